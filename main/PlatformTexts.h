#pragma once

#include "contracts/Enums.h"

#include <QString>
#include <QTranslator>

namespace amb::ambrel {

// The platform's own texts in the interface's language for one run: its dialogs (print, files), the
// text boxes' context menus and its standard buttons, read from the platform's translations, and the
// locale that its calendars name months and days in. A translation that cannot be loaded is logged
// and the platform's texts stay English. Everything is taken back when the run ends.
class PlatformTexts {
public:
    // `folder` is where the platform's translations are; by default the system's.
    explicit PlatformTexts(EnumSupportedLocaleID language, const QString& folder = SystemFolder());
    ~PlatformTexts();
    PlatformTexts(const PlatformTexts&) = delete;
    PlatformTexts& operator=(const PlatformTexts&) = delete;

    static QString SystemFolder();

private:
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace amb::ambrel
