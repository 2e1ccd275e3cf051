#include "tests/generic/Components.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

using orv::EnumRootKey;

namespace {

constexpr int32_t NotFound = 2;
constexpr int32_t InvalidHandle = 6;
constexpr int32_t InvalidData = 13;
constexpr int32_t UnsupportedType = 1630;

class RegistryManager : public ::testing::Test {
protected:
    void SetUp() override {
        test::RegisterGenericComponents();
        m_registry = test::NewRegistryManager();
    }

    test::TempDir m_temp;
    orv::IRegistryManagerPtr m_registry;
};

} // namespace

TEST_F(RegistryManager, ValueCallsWithoutAnOpenKeyRefuseAndTouchNothing) {
    QString text = QStringLiteral("preset");
    int32_t number = 42;
    const auto expectRefused = [&] {
        EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("x"), text), InvalidHandle);
        EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("x"), number), InvalidHandle);
        EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("x"), QStringLiteral("y")), InvalidHandle);
        EXPECT_EQ(m_registry->SetIntegerValue(QStringLiteral("x"), 1), InvalidHandle);
        EXPECT_EQ(text, QStringLiteral("preset"));
        EXPECT_EQ(number, 42);
    };
    expectRefused();
    EXPECT_EQ(m_registry->CloseKey(), InvalidHandle);

    // A key that cannot be opened says so, and leaves no key open.
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Missing")), NotFound);
    expectRefused();
    EXPECT_EQ(m_registry->CloseKey(), InvalidHandle);
    EXPECT_EQ(m_registry->OpenKey(static_cast<EnumRootKey>(5), QStringLiteral("Software")), InvalidHandle);
    EXPECT_EQ(m_registry->CreateKey(static_cast<EnumRootKey>(0x80000009u), QStringLiteral("Software")), InvalidHandle);
    expectRefused();
    EXPECT_FALSE(QFile::exists(m_temp.RegistryDir() + QStringLiteral("/HKEY_CURRENT_USER.reg")));

    // A failed open after a good one also closes the good one.
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software")), 0);
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Missing")), NotFound);
    expectRefused();
}

TEST_F(RegistryManager, ReadsAndWritesValuesOfAnyLength) {
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Orv Solutions\\Ambrel")),
              0);
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("software\\orv solutions\\ambrel")),
              0);
    QString text = QStringLiteral("preset");
    int32_t number = 42;
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Missing"), text), NotFound);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Missing"), number), NotFound);
    EXPECT_EQ(number, 0);

    for (const int length : {0, 254, 255, 20000}) {
        const QString value(length, QChar(u'가' + length % 7));
        EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("Text"), value), 0);
        EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("TEXT"), text), 0);
        EXPECT_EQ(text, value) << length;
    }
    EXPECT_EQ(m_registry->SetStringValue(QString(), QStringLiteral("the default")), 0);
    EXPECT_EQ(m_registry->GetStringValue(QString(), text), 0);
    EXPECT_EQ(text, QStringLiteral("the default"));
    EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("Nul"),
                                         QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after")),
              0);
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Nul"), text), 0);
    EXPECT_EQ(text, QStringLiteral("before"));
    for (const int32_t value : {0, 1, -1, 1042, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(m_registry->SetIntegerValue(QStringLiteral("Number"), value), 0);
        EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("number"), number), 0);
        EXPECT_EQ(number, value);
    }

    // The other type is refused, not reinterpreted: outputs read as empty.
    text = QStringLiteral("preset");
    number = 42;
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Number"), text), UnsupportedType);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Text"), number), UnsupportedType);
    EXPECT_EQ(number, 0);

    // DeleteKey deletes nothing.
    EXPECT_EQ(m_registry->CloseKey(), 0);
    EXPECT_EQ(m_registry->DeleteKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Orv Solutions\\Ambrel")),
              0);
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Orv Solutions\\Ambrel")),
              0);
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Number"), number), 0);
    EXPECT_EQ(number, INT32_MAX);
}

TEST_F(RegistryManager, EachOpenReplacesTheKeyBefore) {
    for (const char* name : {"First", "Second"}) {
        ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_LOCAL_MACHINE, QString::fromLatin1(name)), 0);
        ASSERT_EQ(m_registry->SetStringValue(QStringLiteral("Name"), QString::fromLatin1(name)), 0);
    }
    QString text;
    ASSERT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, QStringLiteral("First")), 0);
    ASSERT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, QStringLiteral("Second")), 0);
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Name"), text), 0);
    EXPECT_EQ(text, QStringLiteral("Second"));
    EXPECT_EQ(m_registry->CloseKey(), 0);
    EXPECT_EQ(m_registry->CloseKey(), InvalidHandle);
    // The same names under another root are other keys.
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("First")), NotFound);
}

TEST_F(RegistryManager, ADamagedFileIsReportedAndNotOverwritten) {
    const QString path = m_temp.RegistryDir() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
    const QByteArray damaged = "Ambrel registry 1\n[SOFTWARE\\Orv Solutions\\Ambrel]\n\"AppDir\"=\"/home/a\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel")),
              InvalidData);
    EXPECT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel")),
              InvalidData);
    EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("AppDir"), QStringLiteral("/home/b")), InvalidHandle);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}
