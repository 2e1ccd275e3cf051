#include "tests/support/AccessibleNames.h"

#include "tests/support/WindowTest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace test {

namespace {

enum class Kind { None, Text, Choice, Date, Button, List, Toolbar };

// The date picker of the application: a tick box and a date box that one label names.
bool IsDatePicker(const QWidget* w) {
    return w && QLatin1String(w->metaObject()->className()) == QLatin1String("amb::DatePicker");
}

// Parts that Qt builds inside other controls (a combo box's line edit, a tab bar's scroll arrows, a
// toolbar's overflow button, a calendar pop-up): they are read through the control they belong to.
bool IsInnerPart(const QWidget* w, const QWidget& window) {
    if (w->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget* p = w->parentWidget(); p && p != &window; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QTabBar*>(p) || qobject_cast<const QCalendarWidget*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

Kind KindOf(const QWidget* w) {
    if (qobject_cast<const QComboBox*>(w))
        return Kind::Choice;
    if (qobject_cast<const QDateTimeEdit*>(w))
        return Kind::Date;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return Kind::Text;
    if (qobject_cast<const QAbstractButton*>(w))
        return Kind::Button;
    if (qobject_cast<const QAbstractItemView*>(w) && !qobject_cast<const QHeaderView*>(w))
        return Kind::List;
    if (qobject_cast<const QToolBar*>(w))
        return Kind::Toolbar;
    return Kind::None;
}

QString StripMnemonic(QString text) {
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('&'))
            text.remove(i, 1); // "&&" keeps one
    return text;
}

// The label that names `w`: the one whose buddy it is, or the one of the date picker it is part of,
// or (a box sharing the label of the box beside it) the label its Label relation names.
const QLabel* LabelOf(const QWidget* w, const QList<QLabel*>& labels) {
    const QWidget* owner = IsDatePicker(w->parentWidget()) ? w->parentWidget() : w;
    for (const QLabel* label : labels)
        if (label->buddy() == owner || label->buddy() == w)
            return label;
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w)))
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            if (const auto* label = other ? qobject_cast<const QLabel*>(other->object()) : nullptr;
                label && labels.contains(label))
                return label;
    return nullptr;
}

bool HasLabelRelation(const QWidget* w, const QLabel* label) {
    const QWidget* picker = IsDatePicker(w->parentWidget()) ? w->parentWidget() : nullptr;
    for (const QWidget* box : {w, picker}) {
        QAccessibleInterface* iface = box ? QAccessible::queryAccessibleInterface(const_cast<QWidget*>(box)) : nullptr;
        if (!iface)
            continue;
        for (const auto& [other, relation] : iface->relations(QAccessible::Label))
            if (other && other->object() == label)
                return true;
    }
    return false;
}

// A button's own caption: its text, else (an icon button) its tooltip or its action's text.
QString CaptionOf(const QAbstractButton* button) {
    QString caption = StripMnemonic(button->text());
    if (caption.isEmpty())
        caption = button->toolTip();
    if (const auto* tool = qobject_cast<const QToolButton*>(button); caption.isEmpty() && tool && tool->defaultAction())
        caption = StripMnemonic(tool->defaultAction()->text());
    return caption;
}

QString Describe(const QWidget* w) {
    return QStringLiteral("%1 (%2)").arg(w->objectName().isEmpty() ? QStringLiteral("<unnamed>") : w->objectName(),
                                         QLatin1String(w->metaObject()->className()));
}

} // namespace

QStringList AccessibleNameProblems(QWidget& window, std::span<const UnnamedControl> exceptions) {
    QStringList problems;
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const Kind kind = KindOf(w);
        if (kind == Kind::None || !w->isVisible() || IsInnerPart(w, window))
            continue;
        // A picker's parts are excepted by the picker's name.
        const QString name0 = IsDatePicker(w->parentWidget()) ? w->parentWidget()->objectName() : w->objectName();
        if (std::any_of(exceptions.begin(), exceptions.end(),
                        [&name0](const UnnamedControl& e) { return name0 == QLatin1String(e.name); }))
            continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        if (!iface) {
            problems << Describe(w) + QStringLiteral(": no accessible interface");
            continue;
        }
        const QString name = iface->text(QAccessible::Name);
        const QLabel* label = LabelOf(w, labels);
        const QString labelText = label ? StripMnemonic(label->text()) : QString();
        const auto expect = [&](const QString& wanted, const char* what) {
            if (wanted.trimmed().isEmpty())
                problems << Describe(w) + QStringLiteral(": its %1 has no text").arg(QLatin1String(what));
            else if (name != wanted)
                problems << Describe(w) +
                                QStringLiteral(": named '%1', its %2 is '%3'").arg(name, QLatin1String(what), wanted);
        };
        // A check box or option names itself; a tick box without a caption is named by its picker's label.
        const bool selfCaptioned = (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) &&
                                   !static_cast<QAbstractButton*>(w)->text().isEmpty();
        if (kind == Kind::Choice || kind == Kind::Date) {
            if (!label)
                problems << Describe(w) + QStringLiteral(": no label");
            else if (!HasLabelRelation(w, label))
                problems << Describe(w) + QStringLiteral(": no Label relation to '%1'").arg(labelText);
            // On Linux Qt names a combo box by its value; its label reaches a reader through the relation.
            if (label && kind == Kind::Date)
                expect(labelText, "label");
        } else if (label && !selfCaptioned) {
            expect(labelText, "label");
        } else if (kind == Kind::Button) {
            QString caption = CaptionOf(static_cast<QAbstractButton*>(w));
            // "...", "+" and the like are symbols, not captions: such a button needs a name of words.
            if (std::none_of(caption.cbegin(), caption.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
                caption.clear();
            if (caption.isEmpty() && std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.isLetter(); }))
                problems << Describe(w) + QStringLiteral(": named '%1', a symbol").arg(name);
            else if (caption.isEmpty() && name.isEmpty())
                problems << Describe(w) + QStringLiteral(": no caption, tooltip or name");
            else if (!caption.isEmpty() && w->accessibleName().isEmpty())
                expect(caption, "caption");
            else if (name.isEmpty())
                problems << Describe(w) + QStringLiteral(": no name");
        } else if (name.trimmed().isEmpty() || name == w->objectName()) {
            problems << Describe(w) + QStringLiteral(": named '%1'").arg(name);
        }
    }
    return problems;
}

QStringList AccessibleNameProblemsOnEveryPage(QWidget& window, std::span<const UnnamedControl> exceptions) {
    QStringList problems = AccessibleNameProblems(window, exceptions);
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        if (!tabs->isVisible())
            continue;
        const int start = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == start || !tabs->isTabEnabled(i))
                continue;
            ClickTab(tabs, i);
            if (tabs->currentIndex() == i)
                problems << AccessibleNameProblems(window, exceptions);
        }
        ClickTab(tabs, start);
    }
    problems.removeDuplicates();
    return problems;
}

QStringList TabReachedNameProblems(QWidget& window, std::span<const UnnamedControl> exceptions) {
    QStringList problems;
    const auto walk = [&] {
        // Tab from where the focus is until it comes back (or stays, e.g. in a box that takes Tab).
        QList<const QWidget*> seen;
        for (int i = 0; i < 120; ++i) {
            QWidget* focus = window.focusWidget();
            if (!focus || seen.contains(focus))
                break;
            seen << focus;
            const QWidget* named = IsDatePicker(focus->parentWidget()) ? focus->parentWidget() : focus;
            const bool excepted = std::any_of(exceptions.begin(), exceptions.end(), [&](const UnnamedControl& e) {
                return named->objectName() == QLatin1String(e.name);
            });
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(focus);
            const QString name = iface ? iface->text(QAccessible::Name) : QString();
            if (!excepted && (name.trimmed().isEmpty() || name == focus->objectName()))
                problems << Describe(focus) + QStringLiteral(": reached by Tab, named '%1'").arg(name);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    };
    walk();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        if (!tabs->isVisible())
            continue;
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabEnabled(i))
                continue;
            ClickTab(tabs, i);
            walk();
        }
    }
    problems.removeDuplicates();
    return problems;
}

namespace {

void AppendNode(QAccessibleInterface* node, int depth, QString& out) {
    if (!node || node->state().invisible)
        return;
    QString line = QString(depth * 2, QLatin1Char(' ')) +
                   QLatin1String(QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role())) +
                   QStringLiteral(" '%1'").arg(node->text(QAccessible::Name));
    const QString value = node->text(QAccessible::Value);
    if (!value.isEmpty())
        line += QStringLiteral(" [%1]").arg(value);
    for (const auto& [label, relation] : node->relations(QAccessible::Label))
        if (label)
            line += QStringLiteral(" <- '%1'").arg(label->text(QAccessible::Name));
    out += line + QLatin1Char('\n');
    for (int i = 0; i < node->childCount(); ++i)
        AppendNode(node->child(i), depth + 1, out);
}

} // namespace

QString AccessibleTree(QWidget& window) {
    QString out;
    AppendNode(QAccessible::queryAccessibleInterface(&window), 0, out);
    return out;
}

void DumpAccessibleTree(QWidget& window, const QString& file) {
    const QString folder = qEnvironmentVariable("AMB_A11Y_DUMP_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QFile out(QDir(folder).filePath(file + QStringLiteral(".txt")));
    if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        out.write(AccessibleTree(window).toUtf8());
}

} // namespace test
