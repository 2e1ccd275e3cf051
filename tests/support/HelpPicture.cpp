#include "tests/support/HelpPicture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeWidget>

namespace test {

namespace {

void AddItem(QStringList& lines, const QTreeWidgetItem* item, int columns) {
    QStringList cells;
    for (int column = 0; column < columns; ++column)
        cells << item->text(column);
    lines << QStringLiteral("  row: ") + cells.join(QLatin1Char('|'));
    for (int child = 0; child < item->childCount(); ++child)
        AddItem(lines, item->child(child), columns);
}

// What one control shows, or nothing.
QStringList TextsOf(const QWidget& widget) {
    const QString name = QString::fromLatin1(widget.metaObject()->className()) + u' ' + widget.objectName() + u':';
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text().isEmpty() ? QStringList() : QStringList{name + u' ' + label->text()};
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        if (button->text().isEmpty() && !button->isCheckable())
            return {};
        const QString tick = !button->isCheckable() ? QString()
                             : button->isChecked()  ? QStringLiteral(" [x]")
                                                    : QStringLiteral(" [ ]");
        return {name + u' ' + button->text() + tick};
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        // A combo box or a date box shows its own line.
        if (qobject_cast<const QComboBox*>(widget.parentWidget()) ||
            qobject_cast<const QAbstractSpinBox*>(widget.parentWidget()) || edit->echoMode() != QLineEdit::Normal)
            return {};
        return {name + u' ' + edit->text()};
    }
    if (const auto* box = qobject_cast<const QComboBox*>(&widget))
        return {name + u' ' + box->currentText()};
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&widget))
        return {name + u' ' + spin->text()};
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(&widget))
        return {name + u' ' + text->toPlainText()};
    if (const auto* text = qobject_cast<const QTextEdit*>(&widget))
        return {name + u' ' + text->toPlainText()};
    if (const auto* tabs = qobject_cast<const QTabBar*>(&widget)) {
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        return {name + u' ' + titles.join(QLatin1Char('|')) + QStringLiteral(" @") +
                QString::number(tabs->currentIndex())};
    }
    if (const auto* tree = qobject_cast<const QTreeWidget*>(&widget)) {
        QStringList lines;
        const int columns = tree->columnCount();
        QStringList headers;
        for (int column = 0; column < columns; ++column)
            if (!tree->isColumnHidden(column))
                headers << tree->headerItem()->text(column);
        lines << name + u' ' + (tree->isHeaderHidden() ? QString() : headers.join(QLatin1Char('|')));
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            AddItem(lines, tree->topLevelItem(i), columns);
        return lines;
    }
    if (const auto* bar = qobject_cast<const QMenuBar*>(&widget)) {
        QStringList menus;
        for (const QAction* action : bar->actions())
            if (action->isVisible())
                menus << action->text();
        return {name + u' ' + menus.join(QLatin1Char('|'))};
    }
    return {};
}

} // namespace

QStringList ShownTexts(const QWidget& window) {
    // The size too: a window laid out anew is pictured anew.
    QStringList lines{QStringLiteral("title: ") + window.windowTitle(),
                      QStringLiteral("size: %1x%2").arg(window.width()).arg(window.height())};
    for (const QWidget* widget : window.findChildren<QWidget*>())
        if (widget->isVisibleTo(&window) && !widget->objectName().startsWith(QLatin1String("qt_")))
            lines << TextsOf(*widget);
    return lines;
}

void HelpPicture(const QWidget& window, const QString& lcid, const QString& name) {
    const QStringList shown = ShownTexts(window);
    const QString folder = qEnvironmentVariable("AMB_SHOTS_DIR");
    if (!folder.isEmpty()) {
        const QDir help(QDir(folder).filePath(QStringLiteral("help/") + lcid));
        ASSERT_TRUE(help.mkpath(QStringLiteral(".")));
        EXPECT_TRUE(const_cast<QWidget&>(window).grab().save(help.filePath(name + QStringLiteral(".png"))));
        QFile texts(help.filePath(name + QStringLiteral(".txt")));
        ASSERT_TRUE(texts.open(QIODevice::WriteOnly | QIODevice::Truncate));
        texts.write((shown.join(QLatin1Char('\n')) + u'\n').toUtf8());
        return;
    }
    QFile kept(QStringLiteral(AMB_SOURCE_DIR "/resources/help/images/%1/%2.txt").arg(lcid, name));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << kept.fileName().toStdString()
                                                << ": make the help's pictures with scripts/help-pictures.sh";
    const QStringList pictured = QString::fromUtf8(kept.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(pictured, shown) << "the help's picture " << lcid.toStdString() << '/' << name.toStdString()
                               << " no longer shows its window: make it again with scripts/help-pictures.sh";
}

} // namespace test
