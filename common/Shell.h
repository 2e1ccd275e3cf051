#pragma once

#include <QString>

namespace amb {

// Opens a document, folder or web link with the program the desktop chose for it. Nothing is
// reported when it cannot be opened.
void ShellOpenDocument(const QString& path);

// Opens a new message to `address` in the mail program.
void OpenMailTo(const QString& address);

// The "mailto:" link for `address`. The address is the link's path, so whatever it holds ("?",
// "&", "#") stays part of the address and can add no header, body or attachment.
QString MailToLink(const QString& address);

} // namespace amb
