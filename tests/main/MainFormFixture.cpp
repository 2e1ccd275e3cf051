#include "tests/main/MainFormFixture.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
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
    ClickToolButton(m_form->tbarMain, m_form->tbarMainButtons[1]);
    ASSERT_TRUE(m_form->IsLoggedIn());
}

void MainFormTest::ClickNode(const QString& key) {
    QTreeWidgetItem* node = m_form->FindNode(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    QTreeWidget* tree = m_form->trvwIcon;
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

void MainFormTest::SearchFor(const QString& text) {
    QComboBox* box = m_form->cboSearchText;
    box->clearEditText();
    // Typed keys reach the box, as they do when a person types and presses Enter.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
}

void MainFormTest::ClickToolButton(QToolBar* bar, QAction* button) {
    QWidget* widget = bar->widgetForAction(button);
    ASSERT_NE(widget, nullptr);
    ASSERT_TRUE(widget->isVisible());
    QTest::mouseClick(widget, Qt::LeftButton);
}

void MainFormTest::ClickHeader(QTreeWidget* list, int column) {
    QHeaderView* header = list->header();
    ASSERT_FALSE(header->isHidden());
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
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
