#include "platform/com/Factory.h"
#include "generic/OrvInterfaces/IDefault.h"
#include "platform/registry/Registry.h"
#include "tests/support/Components.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace reg = platform::registry;
using platform::Error;
namespace ErrorNumber = platform::ErrorNumber;

namespace {

constexpr char ThingClsid[] = "{089B2940-937D-4B01-A738-189D573927EF}";

int CallEntry(const char* name) {
    return test::CallComponentEntry(TEST_COMPONENT, name);
}

QString ReadDefault(const QString& subKey) {
    reg::ScopedKey key;
    QString text;
    if (reg::OpenKey(reg::ClassesRoot, subKey, key.Receive()) == 0)
        reg::QueryString(key.Get(), QString(), text);
    return text;
}

void SetDefault(const QString& subKey, const QString& text) {
    reg::ScopedKey key;
    ASSERT_EQ(reg::CreateKey(reg::ClassesRoot, subKey, key.Receive()), 0);
    ASSERT_EQ(reg::SetString(key.Get(), QString(), text), 0);
}

// Runs CreateObject and returns the error it raised.
Error CreateFails(const QString& className) {
    try {
        platform::com::CreateObject(className);
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error for " << className.toStdString();
    return Error(0, QString(), QString());
}

} // namespace

TEST(Factory, RegistersCreatesAndUnregistersByClassName) {
    test::TempDir temp;
    ASSERT_EQ(CallEntry("AmbRegisterServer"), 0);
    EXPECT_EQ(ReadDefault("Test.Thing\\Clsid"), QString::fromLatin1(ThingClsid));
    const QString path = ReadDefault(QString("CLSID\\%1\\InprocServer32").arg(ThingClsid));
    EXPECT_EQ(path, QFileInfo(QString(TEST_COMPONENT)).canonicalFilePath());

    const platform::ObjectPtr first = platform::com::CreateObject("test.THING");
    const platform::ObjectPtr second = platform::com::CreateObjectAs<platform::Object>("Test.Thing");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    try {
        platform::com::CreateObjectAs<orv::IDefault>("Test.Thing");
        ADD_FAILURE() << "a Thing is no IDefault";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), ErrorNumber::NoSuchInterface);
    }

    ASSERT_EQ(CallEntry("AmbUnregisterServer"), 0);
    EXPECT_EQ(ReadDefault("Test.Thing\\Clsid"), QString());
    reg::Key key = 0;
    EXPECT_EQ(reg::OpenKey(reg::ClassesRoot, QString("CLSID\\%1").arg(ThingClsid), key), reg::Status::FileNotFound);
    EXPECT_EQ(CreateFails("Test.Thing").Number(), ErrorNumber::InvalidClassString);
    EXPECT_EQ(CallEntry("AmbUnregisterServer"), 0); // already gone is fine
}

TEST(Factory, EachFailureRaisesAClearError) {
    test::TempDir temp;
    struct Case {
        const char* className;
        const char* clsid; // nullptr: no Clsid key
        QString library;   // empty: no InprocServer32 key
        int32_t number;
        const char* words; // part of the description
    };
    const QString noEntryPoint = QFileInfo(QString(REGISTRY_LIBRARY)).canonicalFilePath();
    QFile text(temp.FilePath("libText.so"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a shared object\n");
    text.close();
    const Case cases[] = {
        {"Unknown.Class", nullptr, QString(), ErrorNumber::InvalidClassString, "is not registered"},
        {"", nullptr, QString(), ErrorNumber::InvalidClassString, "is not registered"},
        {"No.Library", "{11111111-1111-1111-1111-111111111111}", QString(), ErrorNumber::ClassNotRegistered,
         "has no registered library"},
        {"Missing.File", "{22222222-2222-2222-2222-222222222222}", temp.FilePath("gone/libGone.so"),
         ErrorNumber::CannotLoadLibrary, "does not exist"},
        {"Not.A.Library", "{33333333-3333-3333-3333-333333333333}", temp.Path(), ErrorNumber::CannotLoadLibrary,
         "does not exist"},
        {"Text.File", "{55555555-5555-5555-5555-555555555555}", text.fileName(), ErrorNumber::CannotLoadLibrary,
         "cannot be loaded"},
        {"No.Entry", "{44444444-4444-4444-4444-444444444444}", noEntryPoint, ErrorNumber::ProcedureNotFound,
         "not a component library"},
        {"Other.Class", ThingClsid, QFileInfo(QString(TEST_COMPONENT)).canonicalFilePath(),
         ErrorNumber::ClassNotAvailable, "does not provide the class"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.className);
        if (item.clsid)
            SetDefault(QString("%1\\Clsid").arg(item.className), QString::fromLatin1(item.clsid));
        if (!item.library.isEmpty())
            SetDefault(QString("CLSID\\%1\\InprocServer32").arg(item.clsid), item.library);
        const Error error = CreateFails(QString::fromLatin1(item.className));
        EXPECT_EQ(error.Number(), item.number);
        EXPECT_TRUE(error.Description().contains(QLatin1String(item.words))) << error.what();
        EXPECT_EQ(error.Source(), QString::fromLatin1(item.className));
    }

    // A damaged registry file is an error of its own, and the file is left alone.
    QFile file(temp.RegistryDir() + "/HKEY_CLASSES_ROOT.reg");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("garbage\n");
    file.close();
    const Error error = CreateFails("Unknown.Class");
    EXPECT_EQ(error.Number(), static_cast<int32_t>(0x8007000Du));
    EXPECT_TRUE(error.Description().contains(QLatin1String("status 13")));
}
