#include "main/PlatformTexts.h"

#include "common/StandardModule.h"
#include "common/widgets/InterfaceLocale.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace amb::ambrel {

namespace {

struct InterfaceLanguage {
    EnumSupportedLocaleID id;
    const char* translation; // the platform's file, without its extension; none needed
    QLocale::Language language;
    QLocale::Territory territory;
};

// The first row also serves a language the program does not know.
constexpr InterfaceLanguage kLanguages[] = {
    // The platform's texts are English already.
    {.id = EnumSupportedLocaleID::English,
     .translation = nullptr,
     .language = QLocale::English,
     .territory = QLocale::UnitedStates},
    {.id = EnumSupportedLocaleID::Korean,
     .translation = "qtbase_ko",
     .language = QLocale::Korean,
     .territory = QLocale::SouthKorea},
};

const InterfaceLanguage& LanguageOf(EnumSupportedLocaleID id) {
    for (const InterfaceLanguage& row : kLanguages)
        if (row.id == id)
            return row;
    return kLanguages[0];
}

} // namespace

QString PlatformTexts::SystemFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

PlatformTexts::PlatformTexts(EnumSupportedLocaleID language, const QString& folder) {
    const InterfaceLanguage& row = LanguageOf(language);
    SetInterfaceLocale(QLocale(row.language, row.territory));
    if (!row.translation)
        return;
    const QString file = QDir(folder).filePath(QLatin1String(row.translation) + QStringLiteral(".qm"));
    // The exact file: the loader's own fallbacks would take another language's.
    if (QFileInfo::exists(file) && m_translator.load(file))
        m_installed = QCoreApplication::installTranslator(&m_translator);
    if (!m_installed)
        WriteLogLine(QStringLiteral("Ambrel"), QStringLiteral("PlatformTexts()"),
                     QStringLiteral("The platform's translation \"%1\" cannot be loaded; its dialogs, menus and "
                                    "buttons stay English.")
                         .arg(QDir::toNativeSeparators(file)),
                     9);
}

PlatformTexts::~PlatformTexts() {
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    ClearInterfaceLocale();
}

} // namespace amb::ambrel
