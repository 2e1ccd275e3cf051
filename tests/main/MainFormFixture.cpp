#include "tests/main/MainFormFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace test {

MainFormTest::MainFormTest(amb::EnumSupportedLocaleID language) : m_hub(HubWithWriter(m_writer, language)) {
    m_hub->SetCompanyName("Grace Church");
    m_hub->SetDatabaseManager(m_database);
    m_hub->SetWindowLoader(m_loader);
    m_hub->SetReportPrinter(m_printer);
    m_loader->SetAmbApplication(m_hub);
}

MainFormTest::~MainFormTest() {
    m_form.reset();
}

void MainFormTest::OpenWindow() {
    auto wrapper = std::make_unique<amb::ambrel::AppWrapper>(
        [this] { return std::make_unique<amb::ambrel::CApplication>(m_hub, m_personSearch, m_familySearch); });
    m_form = std::make_unique<amb::ambrel::MainForm>(std::move(wrapper));
    m_form->SetAskOnClose(false);
    m_form->Form_Initialize();
    ASSERT_EQ(m_form->UpdateForm(), 1);
    // Shown, so that its tree, headers and buttons can be clicked; wide enough for every button.
    m_form->resize(1200, 800);
    m_form->show();
    m_form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
}

void MainFormTest::LogIn(bool admin) {
    m_database->userIsAdmin = admin;
    m_loader->results["ShowLogInWindow"] = 7;
    ClickMainButton("LogInOut");
    ASSERT_TRUE(m_form->IsLoggedIn());
}

void MainFormTest::ClickNode(const QString& key) {
    QTreeWidgetItem* node = Node(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    QTreeWidget* tree = Tree();
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

void MainFormTest::SearchFor(const QString& text) {
    QComboBox* box = SearchText();
    // A click into the box, its text selected and typed over, and Enter, as a person searches.
    test::ClickWidget(box->lineEdit());
    test::PressKeyIn(box, Qt::Key_A, Qt::ControlModifier);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    if (text.isEmpty())
        test::PressKeyIn(box, Qt::Key_Delete);
    test::PressKeyIn(box, Qt::Key_Return);
}

void MainFormTest::ClickMainButton(const char* key) {
    ClickToolbarButton(MainBar(), Action(key));
}

void MainFormTest::ClickSearchButton() {
    ClickToolbarButton(SearchBar(), Action("tbarSearchButton2"));
}

void MainFormTest::OpenMenu(const char* name) {
    QMenuBar* bar = m_form->menuBar();
    QMenu* menu = Menu(name);
    ASSERT_NE(menu, nullptr);
    const QRect title = bar->actionGeometry(menu->menuAction());
    ASSERT_TRUE(title.isValid()) << name;
    QTest::mouseClick(bar, Qt::LeftButton, {}, title.center());
    ASSERT_TRUE(menu->isVisible()) << name;
    QTest::keyClick(menu, Qt::Key_Escape);
    menu->hide();
}

void MainFormTest::ChooseMenuEntry(std::initializer_list<const char*> path) {
    ASSERT_GE(path.size(), 2u);
    QMenuBar* bar = m_form->menuBar();
    QMenu* menu = Menu(*path.begin());
    ASSERT_NE(menu, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    for (auto step = path.begin() + 1; step != path.end(); ++step) {
        // A submenu opens a moment after the click on its entry.
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); })) << *step;
        QAction* entry = nullptr;
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String(*step))
                entry = action;
        ASSERT_NE(entry, nullptr) << *step;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        if (entry->menu())
            menu = entry->menu();
    }
    // A click on an entry that is off leaves the menus open.
    for (QMenu* open : m_form->findChildren<QMenu*>())
        open->hide();
}

void MainFormTest::PressKey(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && m_form->isAncestorOf(focus) ? focus : m_form.get(), key);
}

void MainFormTest::ChooseFromDropDown(QComboBox* box, const QString& text) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect arrow = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView* view = box->view();
    ASSERT_TRUE(view->isVisible());
    const int row = box->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    // The entry is reached with the arrow keys and taken with Enter (a click right after the drop-down
    // opens is taken for the end of the opening click).
    for (int i = 0; i <= box->count() && view->currentIndex().row() != row; ++i)
        QTest::keyClick(view, view->currentIndex().row() < row ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(view->currentIndex().row(), row);
    test::PressKeyIn(view, Qt::Key_Return);
    EXPECT_FALSE(view->isVisible());
}

void MainFormTest::ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void MainFormTest::DoubleClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    // A double click is a click and then the second press, as the window system delivers it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QAction* MainFormTest::Action(const char* name) const {
    return Find<QAction>(QLatin1String(name));
}

QMenu* MainFormTest::Menu(const char* name) const {
    return Find<QMenu>(QLatin1String(name));
}

QTreeWidget* MainFormTest::Tree() const {
    return Find<QTreeWidget>(QStringLiteral("trvwIcon"));
}

QTreeWidget* MainFormTest::List() const {
    return Find<QTreeWidget>(QStringLiteral("lstvwData"));
}

QTreeWidget* MainFormTest::Birthdays() const {
    return Find<QTreeWidget>(QStringLiteral("lstvwBirthday"));
}

QComboBox* MainFormTest::SearchText() const {
    return Find<QComboBox>(QStringLiteral("cboSearchText"));
}

QComboBox* MainFormTest::GroupType() const {
    return Find<QComboBox>(QStringLiteral("cboGroupType"));
}

QDateTimeEdit* MainFormTest::StartDate() const {
    return Find<QDateTimeEdit>(QStringLiteral("dtpStart"));
}

QDateTimeEdit* MainFormTest::EndDate() const {
    return Find<QDateTimeEdit>(QStringLiteral("dtpEnd"));
}

QToolBar* MainFormTest::MainBar() const {
    return Find<QToolBar>(QStringLiteral("tbarMain"));
}

QToolBar* MainFormTest::SearchBar() const {
    return Find<QToolBar>(QStringLiteral("tbarSearch"));
}

QLabel* MainFormTest::Panel(int index) const {
    return Find<QLabel>(QStringLiteral("sbarPanel%1").arg(index + 1));
}

QTreeWidgetItem* MainFormTest::Node(const QString& key) const {
    for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    return nullptr;
}

QString MainFormTest::SelectedKey() const {
    const QTreeWidgetItem* node = Tree()->currentItem();
    return node ? node->data(0, Qt::UserRole).toString() : QString();
}

QTreeWidgetItem* MainFormTest::SelectedRow() const {
    QTreeWidgetItem* row = List()->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

QString MainFormTest::Text(int32_t id) const {
    return m_hub->StringTable()->Item(QString::number(id)).ToString();
}

QStringList MainFormTest::Rows(const QTreeWidget* list) {
    QStringList rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(r)->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList MainFormTest::Keys(const QTreeWidget* list) {
    QStringList keys;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
        keys << list->topLevelItem(r)->data(0, Qt::UserRole).toString();
    return keys;
}

} // namespace test
