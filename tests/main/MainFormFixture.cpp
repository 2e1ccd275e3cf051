#include "tests/main/MainFormFixture.h"

#include "main/WindowAvailability.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace test {

MainFormTest::MainFormTest(amb::EnumSupportedLocaleID language) : m_hub(HubWithWriter(m_writer, language)) {
    m_hub->SetCompanyName("Grace Church");
    m_hub->SetDatabaseManager(m_database);
    m_hub->SetWindowLoader(m_loader);
    m_hub->SetReportPrinter(m_printer);
    m_loader->SetAmbApplication(m_hub);
    // Every window exists unless a test says otherwise.
    amb::ambrel::SetWindowAvailability([](const char*) { return true; });
}

MainFormTest::~MainFormTest() {
    m_form.reset();
    amb::ambrel::SetWindowAvailability({});
}

void MainFormTest::OpenWindow() {
    auto wrapper = std::make_unique<amb::ambrel::AppWrapper>(
        [this] { return std::make_unique<amb::ambrel::CApplication>(m_hub, m_personSearch, m_familySearch); });
    m_form = std::make_unique<amb::ambrel::MainForm>(std::move(wrapper));
    m_form->SetAskOnClose(false);
    m_form->Form_Initialize();
    ASSERT_EQ(m_form->UpdateForm(), 1);
}

void MainFormTest::LogIn(bool admin) {
    m_database->userIsAdmin = admin;
    m_loader->results["ShowLogInWindow"] = 7;
    m_form->mnuFileLogInOut_Click();
    ASSERT_TRUE(m_form->IsLoggedIn());
}

void MainFormTest::ClickNode(const QString& key) {
    QTreeWidgetItem* node = m_form->FindNode(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    m_form->trvwIcon->setCurrentItem(node);
    m_form->trvwIcon_NodeClick(node);
}

void MainFormTest::SearchFor(const QString& text) {
    m_form->cboSearchText->setEditText(text);
    // Typed keys reach the box, as they do when a person presses Enter.
    QTest::keyClick(m_form->cboSearchText, Qt::Key_Return);
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
