#pragma once

#include "contracts/IApplication.h"

#include <QString>

namespace amb {

// What the user is told when the database's last query answered nothing because it failed (a damaged
// or unreadable file, another program holding the database) rather than because nothing matched;
// empty when it did not fail, so that the caller says what it says for no match. After a save that
// committed (`afterSave`) the text says that the change was saved, that only the list could not be read,
// and why.
QString ReadFailureText(const IApplicationPtr& hub, bool afterSave = false);

} // namespace amb
