#include "windows/forms/member/PersonPart.h"

#include "windows/forms/NamedControl.h"

#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "platform/data/Variant.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>

namespace amb::windows {

namespace {

// Watches one control's focus for a part; a child of the part, so that no handler outlives it.
class FocusWatch : public QObject {
public:
    FocusWatch(QObject* owner, QWidget* widget, std::function<void()> in, std::function<void()> out)
        : QObject(owner), m_in(std::move(in)), m_out(std::move(out)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && m_in)
            m_in();
        else if (event->type() == QEvent::FocusOut && m_out)
            m_out();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_in;
    std::function<void()> m_out;
};

} // namespace

void OnFocus(QObject* owner, QWidget* widget, std::function<void()> in, std::function<void()> out) {
    new FocusWatch(owner, widget, std::move(in), std::move(out));
}

void FillLookUp(QComboBox* box, const platform::RecordsetPtr& rows) {
    FillComboBox(box, rows, QStringLiteral("Name"), QStringLiteral("ID"), false);
}

QComboBox* MakeCombo(QWidget* parent, const char* name, bool editable) {
    auto* box = NamedControl<QComboBox>(parent, name);
    box->setEditable(editable);
    if (editable)
        box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(150);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QPushButton* MakeLookUpButton(QWidget* parent, const char* name) {
    auto* button = NamedControl<QPushButton>(parent, name);
    button->setText(QStringLiteral("..."));
    button->setFixedWidth(28);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void SelectStoredEntry(QComboBox* box, const platform::Variant& id, const QString& name) {
    SelectComboItem(box, id, true);
    const int32_t stored = AsLong(id);
    if (stored <= 0 || name.trimmed().isEmpty() || (box->currentIndex() >= 0 && box->currentData().toInt() == stored))
        return;
    box->addItem(name.trimmed(), stored);
    box->setCurrentIndex(box->count() - 1);
}

void LookUpButton_Click(const PersonContext& context, const LookUpButton& button, const std::function<void()>& refill) {
    QComboBox* box = button.box;
    context.support.Handle(QString::fromLatin1(button.procedure), [&] {
        WindowBusy busy(box->window());
        const platform::Variant before =
            button.byId ? platform::Variant(box->currentIndex() >= 0 ? box->currentData().toInt() : 0)
                        : platform::Variant(box->currentText());
        const QString textBefore = box->currentText();
        context.loader()->ShowListWindow(button.type);
        refill();
        if (button.byId)
            SelectStoredEntry(box, before, textBefore);
        else
            SelectOrTypeComboText(box, before.ToString());
    });
}

} // namespace amb::windows
