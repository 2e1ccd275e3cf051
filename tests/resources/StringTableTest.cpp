#include "common/ResourceIDs.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

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

QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder("%\\d+");
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Accelerator keys ("&F"; "&&" is a literal ampersand).
qsizetype Accelerators(const QString& text) {
    return text.count(u'&') - 2 * text.count(QStringLiteral("&&"));
}

// id -> constant name, as the header declares them.
std::map<int, QString> HeaderNames() {
    const QString header = QString::fromUtf8(ReadAll(AMB_SOURCE_DIR "/common/ResourceIDs.h"));
    static const QRegularExpression constant("constexpr\\s+int32_t\\s+(k\\w+)\\s*=\\s*(\\d+)\\s*;");
    std::map<int, QString> names;
    for (auto it = constant.globalMatch(header); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(1) == u"kFirstId" || match.captured(1) == u"kLastId")
            continue;
        EXPECT_TRUE(names.emplace(match.captured(2).toInt(), match.captured(1)).second)
            << "id named twice: " << match.captured(1).toStdString();
    }
    return names;
}

} // namespace

TEST(StringTables, BothFilesParseAndEveryUsedIdHasAUsableTextInBoth) {
    for (const char* lcid : kLocales) {
        const QByteArray source = ReadAll(AMB_SOURCE_DIR "/resources/strings/" + QString(lcid) + "/AmbResources.tsv");
        const StringTableFile file = StringTableFile::Parse(source);
        EXPECT_TRUE(file.errors.isEmpty()) << lcid << ": " << file.errors.join(u'\n').toStdString();
        EXPECT_EQ(ReadAll(BuiltPath(lcid)), source) << lcid << ": the build folder holds a stale copy";
        for (const auto& [id, name] : HeaderNames()) {
            const QString text = Texts(lcid).value(id);
            EXPECT_FALSE(text.isEmpty()) << lcid << " id " << id;
            // Captions get "*", ":" or a word appended, so stray blanks would show. The search band's
            // caption ends with the blank that parts it from the search box.
            if (id == 326)
                EXPECT_EQ(text, text.trimmed() + u' ') << lcid << " id " << id;
            else
                EXPECT_EQ(text, text.trimmed()) << lcid << " id " << id;
            // The loader keeps at most 254 characters of a text.
            EXPECT_LE(text.size(), 254) << lcid << " id " << id;
        }
    }
    EXPECT_EQ(Texts("1033").keys(), Texts("1042").keys()) << "a text exists in one language only";
    // Every named id is one the loader reads.
    for (const auto& [id, name] : HeaderNames()) {
        EXPECT_GE(id, kFirstId) << name.toStdString();
        EXPECT_LE(id, kLastId) << name.toStdString();
    }
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
        const QSet<QString> states{t.value(kStatusWaiting), t.value(kStatusSubmitted), t.value(kStatusInvalid)};
        EXPECT_EQ(states.size(), 3) << lcid;
        // Templates: the one "?" is replaced by a record word or list title.
        EXPECT_EQ(t.value(kDescRecordTemplate).count(u'?'), 1) << lcid;
        EXPECT_EQ(t.value(kDescListTemplate).count(u'?'), 1) << lcid;
    }
    // Each language is listed under its own name, whatever the interface language.
    EXPECT_EQ(Texts("1033").value(kLanguageEnglish), Texts("1042").value(kLanguageEnglish));
    EXPECT_EQ(Texts("1033").value(kLanguageKorean), Texts("1042").value(kLanguageKorean));
}

TEST(StringTables, KoreanTextsAreKoreanAndFormatsAndAcceleratorsMatch) {
    // Texts that are deliberately the same in both languages.
    const QSet<int> sameInBoth{kLanguageEnglish, kLocaleEnglish, kLocaleKorean};
    const std::map<int, QString> names = HeaderNames();
    for (auto it = Texts("1042").cbegin(); it != Texts("1042").cend(); ++it) {
        const int id = it.key();
        const QString& korean = it.value();
        const QString english = Texts("1033").value(id);
        const bool hangul =
            std::any_of(korean.begin(), korean.end(), [](QChar c) { return c.script() == QChar::Script_Hangul; });
        EXPECT_TRUE(sameInBoth.contains(id) ? korean == english : hangul)
            << "id " << id << " is not translated: " << korean.toStdString();
        EXPECT_EQ(Placeholders(korean), Placeholders(english)) << "id " << id;
        EXPECT_EQ(korean.count(u'\n'), english.count(u'\n')) << "id " << id;
        // A menu entry has exactly one accelerator in both languages; nothing else has more than one.
        const auto name = names.find(id);
        const bool menu = name != names.end() && name->second.startsWith(u"kMenu");
        for (const QString* text : {&korean, &english}) {
            if (menu)
                EXPECT_EQ(Accelerators(*text), 1) << "menu id " << id;
            else
                EXPECT_LE(Accelerators(*text), 1) << "id " << id;
        }
        EXPECT_EQ(Accelerators(korean), Accelerators(english)) << "id " << id;
    }
}
