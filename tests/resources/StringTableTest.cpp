#include "common/ResourceIDs.h"
#include "tests/resources/UsedTextIds.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <initializer_list>
#include <map>

using namespace amb::res;
using test::StringTableFile;

namespace {

const char* const kLocales[] = {"1033", "1042"};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString BuiltPath(const QString& lcid) {
    return test::BuiltShareDir() + u'/' + lcid + "/AmbResources.tsv";
}

// The installed copy is what the application reads.
const QMap<int, QString>& Texts(const QString& lcid) {
    static std::map<QString, QMap<int, QString>> cache;
    auto it = cache.find(lcid);
    if (it == cache.end())
        it = cache.emplace(lcid, StringTableFile::Load(BuiltPath(lcid)).texts).first;
    return it->second;
}

const QMap<int, QString>& English() {
    return Texts("1033");
}
const QMap<int, QString>& Korean() {
    return Texts("1042");
}

QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder("%\\d+");
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Accelerator keys ("&F"; "&&" is a literal ampersand), folded to lower case.
QString Accelerators(const QString& text) {
    QString keys;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) != u'&')
            keys.append(text.at(i + 1).toLower());
        ++i;
    }
    return keys;
}

// Entries that appear together in one menu, and buttons that appear together in one window.
const std::initializer_list<int> kMenus[] = {
    {kMenuFile, kMenuView, kMenuTools, kMenuHelp},
    {kMenuFileNew, kMenuFileOpen, kMenuFileDelete, kMenuFilePrint, kMenuFileLogIn, kMenuFileChangePassword,
     kMenuFileExit},
    {kMenuFileNew, kMenuFileOpen, kMenuFileDelete, kMenuFilePrint, kMenuFileLogOut, kMenuFileChangePassword,
     kMenuFileExit},
    {kMenuFileNewMember, kMenuFileNewFamily, kMenuFileNewGroup, kMenuFileNewOffering, kMenuFileNewExpense},
    {kMenuViewToolbar, kMenuViewStatusBar, kMenuViewRefresh},
    {kMenuToolsLookUp, kMenuToolsReport, kMenuToolsUser, kMenuToolsOptions},
    {kMenuToolsLookUpAddressName, kMenuToolsLookUpEMailAddressName, kMenuToolsLookUpPhoneNumberName,
     kMenuToolsLookUpClassification, kMenuToolsLookUpStatus, kMenuToolsLookUpMaritalStatus, kMenuToolsLookUpTitle,
     kMenuToolsLookUpPosition, kMenuToolsLookUpRelationship, kMenuToolsLookUpGroupType, kMenuToolsLookUpExpenseType,
     kMenuToolsLookUpOfferingType},
    {kMenuHelpContents, kMenuHelpAbout}};
const std::initializer_list<int> kButtonSets[] = {
    {kCaptionOK, kCaptionClose, kCaptionApply, kCaptionBackUpNow, kCaptionPurge, kCaptionClearSearch,
     kCaptionClearTrace, kCaptionClearLog},
    {kCaptionBrowse, kCaptionSearch, kCaptionClear, kCaptionPrevious, kCaptionNext, kCaptionCancel},
    {kCaptionBrowse, kCaptionSearch, kCaptionClear, kCaptionPrevious, kCaptionFinish, kCaptionClose},
    {kCaptionReset, kCaptionSubmit, kCaptionClose},
    {kCaptionSave, kCaptionPrint, kCaptionCancel},
    {kCaptionOK, kCaptionPrint, kCaptionClose},
    {kCaptionNext, kCaptionDone}};

} // namespace

TEST(StringTables, BothFilesParseAndEveryUsedIdHasAUsableTextInBoth) {
    for (const char* lcid : kLocales) {
        const QByteArray source = ReadAll(AMB_SOURCE_DIR "/resources/strings/" + QString(lcid) + "/AmbResources.tsv");
        const StringTableFile file = StringTableFile::Parse(source);
        EXPECT_TRUE(file.errors.isEmpty()) << lcid << ": " << file.errors.join(u'\n').toStdString();
        EXPECT_EQ(ReadAll(BuiltPath(lcid)), source) << lcid << ": the build folder holds a stale copy";
        for (const int id : test::kUsedTextIds) {
            const QString text = Texts(lcid).value(id);
            EXPECT_FALSE(text.isEmpty()) << lcid << " id " << id;
            // Captions get "*", ":" or a word appended, so stray blanks would show.
            EXPECT_EQ(text, text.trimmed()) << lcid << " id " << id;
            // The loader keeps at most 254 characters of a text.
            EXPECT_LE(text.size(), 254) << lcid << " id " << id;
        }
    }
    EXPECT_EQ(English().keys(), Korean().keys()) << "a text exists in one language only";
}

TEST(StringTables, HeaderNamesEveryUsedIdOnce) {
    const QString header = QString::fromUtf8(ReadAll(AMB_SOURCE_DIR "/common/ResourceIDs.h"));
    static const QRegularExpression constant("constexpr\\s+int32_t\\s+(k\\w+)\\s*=\\s*(\\d+)\\s*;");
    QSet<int> named;
    for (auto it = constant.globalMatch(header); it.hasNext();) {
        const auto match = it.next();
        const int id = match.captured(2).toInt();
        if (match.captured(1) == u"kFirstId" || match.captured(1) == u"kLastId")
            continue;
        EXPECT_FALSE(named.contains(id)) << "id " << id << " named twice: " << match.captured(1).toStdString();
        named.insert(id);
    }
    EXPECT_EQ(named, QSet<int>(test::kUsedTextIds.begin(), test::kUsedTextIds.end()));
}

TEST(StringTables, ComparedTextsKeepTheirRules) {
    for (const char* lcid : kLocales) {
        const QMap<int, QString>& t = Texts(lcid);
        // Folder names of the languages, read as locale ids.
        EXPECT_EQ(t.value(kLocaleEnglish), "1033") << lcid;
        EXPECT_EQ(t.value(kLocaleKorean), "1042") << lcid;
        // Batch mode is told apart from a single entry by the cancel button's caption.
        EXPECT_NE(t.value(kCaptionDone), t.value(kCaptionClose)) << lcid;
        // Combo entries selected or compared by their text.
        EXPECT_NE(t.value(kTextAddressFormatFree), t.value(kTextAddressFormatUS)) << lcid;
        EXPECT_NE(t.value(kTextNo), t.value(kTextYes)) << lcid;
        EXPECT_NE(t.value(kLanguageEnglish), t.value(kLanguageKorean)) << lcid;
        EXPECT_NE(t.value(kTextIsMemberNo), t.value(kTextIsMemberYes)) << lcid;
        // Batch row states are compared with each other.
        const QSet<QString> states{t.value(kStatusWaiting), t.value(kStatusSubmitted), t.value(kStatusInvalid)};
        EXPECT_EQ(states.size(), 3) << lcid;
        // Templates: the one "?" is replaced by a record word or list title.
        EXPECT_EQ(t.value(kDescRecordTemplate).count(u'?'), 1) << lcid;
        EXPECT_EQ(t.value(kDescListTemplate).count(u'?'), 1) << lcid;
    }
    // Each language is listed under its own name, whatever the interface language.
    EXPECT_EQ(English().value(kLanguageEnglish), Korean().value(kLanguageEnglish));
    EXPECT_EQ(English().value(kLanguageKorean), Korean().value(kLanguageKorean));
}

TEST(StringTables, KoreanTextsAreKoreanAndFormatsMatch) {
    // Texts that are deliberately the same in both languages.
    const QSet<int> sameInBoth{kLanguageEnglish, kLocaleEnglish, kLocaleKorean};
    for (auto it = Korean().cbegin(); it != Korean().cend(); ++it) {
        const int id = it.key();
        const QString& korean = it.value();
        const QString english = English().value(id);
        const bool hangul =
            std::any_of(korean.begin(), korean.end(), [](QChar c) { return c.script() == QChar::Script_Hangul; });
        EXPECT_TRUE(sameInBoth.contains(id) ? korean == english : hangul)
            << "id " << id << " is not translated: " << korean.toStdString();
        EXPECT_EQ(Placeholders(korean), Placeholders(english)) << "id " << id;
        EXPECT_EQ(korean.count(u'\n'), english.count(u'\n')) << "id " << id;
        // Both languages offer a keyboard accelerator, or neither does.
        EXPECT_EQ(Accelerators(korean).size(), Accelerators(english).size()) << "id " << id;
    }
}

TEST(StringTables, AcceleratorsOnlyOnMenusAndButtonsAndUniqueWhereShownTogether) {
    QSet<int> menuIds;
    QSet<int> buttonIds;
    for (const auto& menu : kMenus)
        for (const int id : menu)
            menuIds.insert(id);
    for (const auto& set : kButtonSets)
        for (const int id : set)
            buttonIds.insert(id);
    for (const char* lcid : kLocales) {
        const QMap<int, QString>& t = Texts(lcid);
        for (auto it = t.cbegin(); it != t.cend(); ++it) {
            const qsizetype count = Accelerators(it.value()).size();
            if (menuIds.contains(it.key()))
                EXPECT_EQ(count, 1) << lcid << " menu id " << it.key();
            else if (buttonIds.contains(it.key()))
                EXPECT_LE(count, 1) << lcid << " button id " << it.key();
            else // labels, headers, tooltips and messages would show the "&"
                EXPECT_EQ(it.value().count(u'&'), 0) << lcid << " id " << it.key();
        }
        std::vector<std::initializer_list<int>> together(std::begin(kMenus), std::end(kMenus));
        together.insert(together.end(), std::begin(kButtonSets), std::end(kButtonSets));
        for (const auto& set : together) {
            QString seen;
            for (const int id : set) {
                for (const QChar key : Accelerators(t.value(id))) {
                    EXPECT_FALSE(seen.contains(key)) << lcid << ": accelerator of id " << id << " is already taken";
                    seen.append(key);
                }
            }
        }
    }
}
