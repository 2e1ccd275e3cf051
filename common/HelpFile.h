#pragma once

#include "contracts/IApplication.h"

#include <QString>

#include <functional>

namespace amb {

// The help file's name in the application folder.
inline constexpr char kHelpFileName[] = "Ambrel.html";
// The anchor of the help's Korean half.
inline constexpr char kHelpKoreanHalf[] = "ko";

// What the desktop opens as the help: the help file of the hub's application folder, as a URL at its
// Korean half for a Korean interface; empty when there is no such file.
QString HelpDocument(const IApplicationPtr& hub);
// The same for an application folder and interface language read elsewhere (the saved settings).
QString HelpDocument(const QString& appDir, EnumSupportedLocaleID language);

// Opens the help that `document` names, nothing when it names none; a failure, in finding the file
// too, is written as `source`'s level-9 line.
void OpenHelp(const QString& source, const std::function<QString()>& document) noexcept;

} // namespace amb
