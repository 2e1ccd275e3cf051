#include "contracts/IDatabaseManager.h"
#include "platform/com/Object.h"
#include "tests/support/DatabaseTest.h"

#include <dlfcn.h>

// The deliverable itself: loaded as the component runtime loads it, it hands out the contract.
TEST(AmbDatabaseComponent, ServesTheManagerByClassName) {
    void* library =
        dlopen((test::BuiltLibraryDir() + "/libAmbDatabase.so").toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using GetClassObject = bool (*)(const char*, platform::ObjectPtr*);
    auto get = reinterpret_cast<GetClassObject>(dlsym(library, "AmbGetClassObject"));
    ASSERT_NE(get, nullptr);
    platform::ObjectPtr object;
    ASSERT_TRUE(get("AmbDatabase.Manager", &object));
    auto manager = std::dynamic_pointer_cast<amb::IDatabaseManager>(object);
    ASSERT_NE(manager, nullptr);
    EXPECT_FALSE(get("AmbDatabase.Other", &object));

    test::TempDir dir;
    const QString path = dir.FilePath("db.mdb");
    amb::database::CreateDatabase(path, 1042);
    manager->SetDatabaseType(amb::EnumDatabaseType::MSAccess);
    manager->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path + "; Jet OLEDB:");
    auto rs = manager->GetLookupSex(static_cast<amb::EnumLookupOption>(0));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(test::Column(rs, "Name"), (QStringList{"남", "여"}));

    // The stored flags: stored procedures only count away from the Access type.
    manager->SetUseStoredProcedures(true);
    EXPECT_FALSE(manager->UseStoredProcedures());
    manager->SetDatabaseType(amb::EnumDatabaseType::SQLServer);
    manager->SetUseStoredProcedures(true);
    EXPECT_TRUE(manager->UseStoredProcedures());
    manager.reset();
    object.reset();
}
