#include "tests/support/GenericComponents.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

using orv::EnumRootKey;

namespace {

constexpr int32_t NotFound = 2;
constexpr int32_t InvalidHandle = 6;
constexpr int32_t UnsupportedType = 1630;
const QString kAmbrel = QStringLiteral("Software\\Orv Solutions\\Ambrel");

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
        EXPECT_EQ(m_registry->CloseKey(), InvalidHandle);
        EXPECT_EQ(text, QStringLiteral("preset"));
        EXPECT_EQ(number, 42);
    };
    expectRefused();

    // A key that cannot be opened says so and leaves no key open, even after a good one.
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software")), 0);
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Software\\Missing")), NotFound);
    expectRefused();
    EXPECT_EQ(m_registry->OpenKey(static_cast<EnumRootKey>(5), QStringLiteral("Software")), InvalidHandle);
    EXPECT_EQ(m_registry->CreateKey(static_cast<EnumRootKey>(0x80000009u), QStringLiteral("Software")), InvalidHandle);
    expectRefused();
    EXPECT_FALSE(QFile::exists(m_temp.RegistryDir() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg")));
}

TEST_F(RegistryManager, ReadsAndWritesValuesOfAnyLength) {
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, kAmbrel), 0);
    QString text = QStringLiteral("preset");
    int32_t number = 42;
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Missing"), text), NotFound);
    EXPECT_EQ(text, QString());

    for (const int length : {255, 20000}) {
        const QString value(length, QChar(u'가'));
        EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("Text"), value), 0);
        EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("TEXT"), text), 0);
        EXPECT_EQ(text, value) << length;
    }
    for (const int32_t value : {-1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(m_registry->SetIntegerValue(QStringLiteral("Number"), value), 0);
        EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("number"), number), 0);
        EXPECT_EQ(number, value);
    }
    // A text ends at a NUL character.
    EXPECT_EQ(m_registry->SetStringValue(QStringLiteral("Nul"), QStringLiteral("before") + QChar(u'\0') + "after"), 0);
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Nul"), text), 0);
    EXPECT_EQ(text, QStringLiteral("before"));

    // The other type is refused, not reinterpreted: outputs read as empty.
    EXPECT_EQ(m_registry->GetStringValue(QStringLiteral("Number"), text), UnsupportedType);
    EXPECT_EQ(text, QString());
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Text"), number), UnsupportedType);
    EXPECT_EQ(number, 0);

    // Each open replaces the key before; DeleteKey deletes nothing.
    ASSERT_EQ(m_registry->CreateKey(EnumRootKey::HKEY_CURRENT_USER, QStringLiteral("Other")), 0);
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Number"), number), NotFound);
    EXPECT_EQ(m_registry->DeleteKey(EnumRootKey::HKEY_CURRENT_USER, kAmbrel), 0);
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_CURRENT_USER, kAmbrel), 0);
    EXPECT_EQ(m_registry->GetIntegerValue(QStringLiteral("Number"), number), 0);
    EXPECT_EQ(number, INT32_MAX);
    // The same names under another root are other keys.
    EXPECT_EQ(m_registry->OpenKey(EnumRootKey::HKEY_LOCAL_MACHINE, kAmbrel), NotFound);
}
