#pragma once

#include "contracts/IApplication.h"

#include <QString>

#include <functional>

namespace amb {

// The help files' names in the application folder, one per interface language: the desktop's opener
// drops a file URL's fragment, so a language's help cannot be a part of one file.
inline constexpr char kHelpFileName[] = "Ambrel.html";
inline constexpr char kKoreanHelpFileName[] = "Ambrel.ko.html";

// What the desktop opens as the help: the help file of the hub's application folder in its interface
// language. It names the file whether or not the file is there (OpenHelp tells a missing one); empty
// without an application folder.
QString HelpDocument(const IApplicationPtr& hub);
// The same for an application folder and interface language read elsewhere (the saved settings).
QString HelpDocument(const QString& appDir, EnumSupportedLocaleID language);
// What the user is told when the help `file` could not be shown, in `hub`'s language; the file's name
// alone without the string table (a start-up that failed).
QString HelpNotShownText(const IApplicationPtr& hub, const QString& file);

// Made when the help is asked for, with the help file's name; what it returns tells the user, at most
// once and maybe later, that the help could not be shown. It holds all it needs, since the window that
// asked may be gone by then.
using HelpNotShown = std::function<std::function<void()>(const QString& file)>;

// Opens the help file that `document` names. When it cannot be shown (no document, no such file, the
// desktop's opener not starting or ending with a failure) the user is told through `notShown`, once. A
// failure is written as `source`'s level-9 line.
void OpenHelp(const QString& source, const std::function<QString()>& document, const HelpNotShown& notShown) noexcept;

} // namespace amb
