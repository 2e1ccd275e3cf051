// The help files as installed, one per language: every window title, menu path, button, box and message
// a file names is spelled as the string table of its language spells it, every picture it shows is
// installed beside it, both cover the same tasks, and each links to the other.

#include "common/HelpFile.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

namespace {

struct Language {
    const char* id;   // the language of the file and the prefix of its section ids
    const char* file; // the help file
    const char* lcid; // the string table it follows
    const char* otherLink;
};

constexpr Language kLanguages[] = {
    {.id = "en",
     .file = amb::kHelpFileName,
     .lcid = "1033",
     .otherLink = R"(<a href="Ambrel.ko.html" hreflang="ko">한국어</a>)"},
    {.id = "ko",
     .file = amb::kKoreanHelpFileName,
     .lcid = "1042",
     .otherLink = R"(<a href="Ambrel.html" hreflang="en">English</a>)"},
};

QString HelpPath(const Language& language) {
    return test::BuiltShareDir() + u'/' + QLatin1String(language.file);
}

// What the file shows: its body without comments.
QString ReadHelp(const Language& language) {
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QFile file(HelpPath(language));
    QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const qsizetype body = text.indexOf(QStringLiteral("<body>"));
    return body < 0 ? QString() : text.mid(body).remove(comment);
}

// A caption as a person reads it: no mnemonic ("&File", "파일(&F)"), no trailing "...".
QString Readable(QString text) {
    static const QRegularExpression koreanMnemonic(QStringLiteral(R"(\(&.\))"));
    text.remove(koreanMnemonic);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text = text.trimmed();
    while (text.endsWith(QLatin1Char('.')) && text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
}

// Span contents as shown: entities decoded, line breaks of the source folded.
QString Shown(QString html) {
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

struct Table {
    QMap<int, QString> texts;
    QSet<QString> readable;

    explicit Table(const char* lcid) {
        QFile file(test::BuiltShareDir() + u'/' + QLatin1String(lcid) + QStringLiteral("/AmbResources.tsv"));
        if (file.open(QIODevice::ReadOnly))
            texts = test::StringTableFile::Parse(file.readAll()).texts;
        for (const QString& text : texts)
            readable.insert(Readable(text));
    }
    bool Has(const QString& text) const { return readable.contains(text); }
    QString Word(int id) const { return Readable(texts.value(id)); }

    // Titles are a text, "New" and a record word, or a list's name and "List" (which may itself be
    // two words, as "Address Name").
    bool IsTitle(const QString& title) const {
        QStringList candidates{title};
        const QString fresh = Word(263) + u' ';
        const QString list = u' ' + Word(290);
        if (title.startsWith(fresh))
            candidates << title.mid(fresh.size());
        if (title.endsWith(list))
            candidates << title.chopped(list.size());
        for (const QString& candidate : candidates) {
            if (Has(candidate))
                return true;
            for (qsizetype space = candidate.indexOf(u' '); space > 0; space = candidate.indexOf(u' ', space + 1))
                if (Has(candidate.left(space)) && Has(candidate.mid(space + 1)))
                    return true;
        }
        return false;
    }

    // A message as the program shows it: a text with each %n standing for any value.
    bool IsMessage(const QString& shown) const {
        for (const QString& text : texts) {
            QStringList pieces = text.simplified().split(QRegularExpression(QStringLiteral(R"(%\d)")));
            for (QString& piece : pieces)
                piece = QRegularExpression::escape(piece);
            const QString pattern = pieces.join(QStringLiteral(".+"));
            if (QRegularExpression(QStringLiteral("^%1$").arg(pattern)).match(shown).hasMatch())
                return true;
        }
        return false;
    }
};

// Captions that a window shows in English whatever the interface language, with no text of their own.
const QStringList kFixedCaptions = {QStringLiteral("Search...")}; // the offering window's person search

QList<std::pair<QString, QString>> Spans(const QString& text) {
    static const QRegularExpression span(
        QStringLiteral(R"re(<span class="(window|menu|button|box|message)">(.*?)</span>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    QList<std::pair<QString, QString>> found;
    for (auto it = span.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        found.append({match.captured(1), Shown(match.captured(2))});
    }
    return found;
}

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    const QRegularExpression expression(pattern);
    for (auto it = expression.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

TEST(HelpFile, EveryNameItGivesIsTheProgramsOwnInItsLanguage) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.id);
        const QString text = ReadHelp(language);
        ASSERT_FALSE(text.isEmpty()) << HelpPath(language).toStdString();
        EXPECT_TRUE(text.left(400).contains(QString::fromUtf8(language.otherLink)))
            << "no link to the other language at the top";
        const Table table(language.lcid);
        ASSERT_GT(table.texts.size(), 300);
        const QStringList menus = {table.Word(29), table.Word(59), table.Word(57), table.Word(32)};
        int checked = 0;
        for (const auto& [kind, shown] : Spans(text)) {
            SCOPED_TRACE(QString(kind + QStringLiteral(": ") + shown).toStdString());
            ++checked;
            if (kind == QLatin1String("window")) {
                EXPECT_TRUE(table.IsTitle(shown));
            } else if (kind == QLatin1String("menu")) {
                const QStringList parts = shown.split(QStringLiteral(" > "));
                EXPECT_TRUE(menus.contains(parts.first()) || parts.size() == 1);
                for (const QString& part : parts)
                    EXPECT_TRUE(table.Has(part)) << part.toStdString();
            } else if (kind == QLatin1String("message")) {
                EXPECT_TRUE(table.IsMessage(shown));
            } else if (kind == QLatin1String("button") && kFixedCaptions.contains(shown)) {
                continue;
            } else {
                EXPECT_TRUE(table.Has(shown));
            }
        }
        EXPECT_GT(checked, 150);
    }
}

TEST(HelpFile, EveryPictureIsInstalledBesideItInTheLanguageOfItsFile) {
    qint64 bytes = 0;
    QSet<QString> names[2];
    for (int i = 0; i < 2; ++i) {
        const Language& language = kLanguages[i];
        SCOPED_TRACE(language.id);
        const QDir folder = QFileInfo(HelpPath(language)).dir();
        const QStringList pictures = Captures(ReadHelp(language), QStringLiteral(R"re(<img src="([^"]+)")re"));
        EXPECT_GE(pictures.size(), 15);
        for (const QString& picture : pictures) {
            SCOPED_TRACE(picture.toStdString());
            EXPECT_TRUE(picture.startsWith(QStringLiteral("images/%1/").arg(QLatin1String(language.lcid))));
            const QString path = folder.filePath(picture);
            const QImage image(path);
            EXPECT_FALSE(image.isNull());
            EXPECT_LE(image.width(), 1000);
            bytes += QFileInfo(path).size();
            names[i].insert(QFileInfo(picture).fileName());
        }
    }
    EXPECT_EQ(names[0], names[1]) << "both languages show the same windows";
    EXPECT_LT(bytes, 3 * 1024 * 1024);
}

TEST(HelpFile, BothLanguagesCoverTheSameTasksAndEveryLinkLands) {
    QStringList sections[2];
    for (int i = 0; i < 2; ++i) {
        const Language& language = kLanguages[i];
        SCOPED_TRACE(language.id);
        const QString help = ReadHelp(language);
        ASSERT_FALSE(help.isEmpty());
        const QString prefix = QLatin1String(language.id) + u'-';
        for (const QString& id : Captures(help, QStringLiteral(R"re(<h2 id="([^"]+)")re"))) {
            EXPECT_TRUE(id.startsWith(prefix)) << id.toStdString();
            sections[i] << id.mid(prefix.size());
        }
        const QStringList ids = Captures(help, QStringLiteral(R"re( id="([^"]+)")re"));
        for (const QString& target : Captures(help, QStringLiteral(R"re(href="([^"]+)")re"))) {
            if (target.startsWith(u'#'))
                EXPECT_TRUE(ids.contains(target.mid(1))) << target.toStdString();
            else
                EXPECT_TRUE(QFileInfo(test::BuiltShareDir() + u'/' + target).isFile()) << target.toStdString();
        }
    }
    EXPECT_GE(sections[0].size(), 25);
    EXPECT_EQ(sections[0], sections[1]);
}

// The Korean help speaks as the Korean windows do: one word for each thing.
TEST(HelpFile, TheKoreanHelpUsesTheWordsOfTheKoreanWindows) {
    const QString korean = ReadHelp(kLanguages[1]);
    ASSERT_FALSE(korean.isEmpty());
    for (const char* avoided :
         {"가족", "모임", "대표", "헌금 번호", "전자 우편", "전자 메일", "휴대폰", "교인 구분", "결혼 여부",
          "결혼 날짜", "열 보기", "표 보기", "아니오", "(?<!가정 내 )관계", "항목을 삭제|개 항목",
          "Portable Document|Rich Text", "이\\(가\\)|은\\(는\\)", "&lt;All&gt;"}) {
        const qsizetype at = korean.indexOf(QRegularExpression(QString::fromUtf8(avoided)));
        EXPECT_LT(at, 0) << avoided << ": ..." << korean.mid(std::max<qsizetype>(0, at - 30), 80).toStdString();
    }
}

} // namespace
