#include "common/widgets/AccessibleLabels.h"

#include "common/widgets/DatePicker.h"

#include <QLabel>
#include <QList>

namespace amb {

namespace {

bool IsSibling(const QWidget* a, const QWidget* b) {
    return a->parentWidget() == b->parentWidget();
}

// A label beside the control names it already (Qt reads it through the buddy relation).
bool HasLabelBeside(const QWidget* control, const QList<QLabel*>& labels) {
    for (const QLabel* label : labels)
        if (label->buddy() == control && IsSibling(label, control))
            return true;
    return false;
}

QString WithoutMnemonic(QString text) {
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1);
    return text;
}

} // namespace

void NameControlsAfterLabels(QWidget* window) {
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        QWidget* control = label->buddy();
        if (!control || IsSibling(label, control) || HasLabelBeside(control, labels))
            continue;
        const QString name = WithoutMnemonic(label->text());
        if (auto* picker = qobject_cast<DatePicker*>(control))
            picker->SetAccessibleName(name);
        control->setAccessibleName(name);
    }
    // The parts of a picker labelled beside it are named after that label too.
    for (const QLabel* label : labels)
        if (auto* picker = qobject_cast<DatePicker*>(label->buddy()); picker && IsSibling(label, picker))
            picker->SetAccessibleName(WithoutMnemonic(label->text()));
}

} // namespace amb
