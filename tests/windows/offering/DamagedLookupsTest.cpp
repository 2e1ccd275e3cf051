// A look-up list, a member grid or the report list that cannot be read because the file is damaged is
// said to be so when its window opens, never left empty as if there were nothing to choose.

#include "tests/support/DamagedDatabase.h"
#include "tests/windows/offering/OfferingFixture.h"

namespace {

using test::ModalScript;

class DamagedLookupsTest : public test::OfferingWindowTest {};

TEST_F(DamagedLookupsTest, AWindowWhoseListsCannotBeReadSaysTheFileIsDamaged) {
    const int32_t person = NewPerson(QStringLiteral("Lee"));
    const int32_t family = NewFamily(QStringLiteral("Lee"), person);
    const struct {
        const char* table;
        const char* window;
        std::function<void()> open;
    } cases[] = {
        {.table = "Sex",
         .window = "person",
         .open = [&] { m_loader->ShowPersonWindow(person, amb::EnumFamilyGroup::None, 0); }},
        {.table = "PersonToFamily", .window = "family", .open = [&] { m_loader->ShowFamilyWindow(family); }},
        {.table = "Report", .window = "report", .open = [&] { m_loader->ShowReportWindow(); }},
    };
    const QString saved = m_path + QStringLiteral(".whole");
    ASSERT_TRUE(QFile::copy(m_path, saved));
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.window) + " over a damaged " + c.table);
        raw.reset();
        ASSERT_TRUE(QFile::remove(m_path) && QFile::copy(saved, m_path));
        ASSERT_TRUE(test::DamageTableRootPage(m_path, QString::fromLatin1(c.table)));
        db->SetConnectionString(db->ConnectionString());
        m_messages.Clear();
        ModalScript script([](QDialog&) {});
        c.open();
        EXPECT_EQ(script.Runs(), 1) << "the window still opens";
        EXPECT_FALSE(m_messages.Texts().isEmpty());
        for (const QString& text : m_messages.Texts())
            EXPECT_EQ(text, Text(amb::res::kMsgDatabaseDamaged));
    }
}

} // namespace
