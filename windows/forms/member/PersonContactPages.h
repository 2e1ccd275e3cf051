#pragma once

#include "windows/forms/member/PersonListPages.h"

namespace amb::windows {

// The address, phone number and e-mail address pages: New and a row's Edit, double-click or Enter
// open the contact window of the list; Send writes to the selected e-mail address.
class PersonContactPages : public PersonListPages {
public:
    PersonContactPages(QTabWidget* pages, const PersonPagesHost& host);

private:
    void OpenContactWindow(const PersonList& list, int32_t id);
};

} // namespace amb::windows
