#pragma once

#include "windows/forms/member/PersonListPages.h"

namespace amb::windows {

// The pages of the person's families and groups: a row's double-click or Enter opens the family or
// group window, and the list is read again when it closes.
class PersonFamilyGroupPages : public PersonListPages {
public:
    PersonFamilyGroupPages(QTabWidget* pages, const PersonPagesHost& host);
    // A person window opened from a family window does not open a family window again (groups alike).
    void SetOpens(EnumFamilyGroup parentForm) const;

private:
    void OpenFamilyOrGroup(const PersonList& list, int32_t id);
};

} // namespace amb::windows
