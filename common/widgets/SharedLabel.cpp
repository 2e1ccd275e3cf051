#include "common/widgets/SharedLabel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace amb {

namespace {

constexpr char kSharedLabel[] = "ambSharedLabel";

// The box reads as Qt's own combo box does (its value, its pop-up list and its editor as children,
// the pop-up as its action) and adds the label it shares to its relations.
class SharedLabelComboBox : public QAccessibleWidget {
public:
    SharedLabelComboBox(QComboBox* box, QLabel* label) : QAccessibleWidget(box, QAccessible::ComboBox), m_label(label) {}

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Label) && m_label)
            if (QAccessibleInterface* label = QAccessible::queryAccessibleInterface(m_label.data()))
                found.append({label, QAccessible::Label});
        return found;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Box()->isEditable() ? Box()->lineEdit()->text() : Box()->currentText();
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? text(QAccessible::Value) : own;
    }

    int childCount() const override { return Box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(Box()->view());
        if (index == 1 && Box()->isEditable())
            return QAccessible::queryAccessibleInterface(Box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child)
            return -1;
        if (child->object() == Box()->view())
            return 0;
        return Box()->isEditable() && child->object() == Box()->lineEdit() ? 1 : -1;
    }
    // An editable box passes its focus to its editor, which a reader reads as the focused child.
    QAccessibleInterface* focusChild() const override {
        return Box()->isEditable() ? child(1) : QAccessibleWidget::focusChild();
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (Box()->view()->isVisible())
            Box()->hidePopup();
        else
            Box()->showPopup();
    }

private:
    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }

    QPointer<QLabel> m_label;
};

// Asked for each class of the object's hierarchy, most derived first: the property decides.
QAccessibleInterface* SharedLabelFactory(const QString&, QObject* object) {
    auto* box = qobject_cast<QComboBox*>(object);
    if (!box)
        return nullptr;
    auto* label = qobject_cast<QLabel*>(box->property(kSharedLabel).value<QObject*>());
    return label ? new SharedLabelComboBox(box, label) : nullptr;
}

} // namespace

void AlsoLabel(QLabel* label, QComboBox* box) {
    // Installed once, after the application's own factories, so that it is asked first.
    static const bool installed = [] {
        QAccessible::installFactory(SharedLabelFactory);
        return true;
    }();
    (void)installed;
    box->setProperty(kSharedLabel, QVariant::fromValue<QObject*>(label));
}

} // namespace amb
