#pragma once

#include "windows/forms/member/PersonListPages.h"

class QComboBox;
class QLabel;

namespace amb::windows {

// The offerings page: the person's offerings of the type chosen above the list, opened in the
// offering window by a row's Edit, double-click or Enter; none is added from here.
class PersonOfferingsPage : public PersonListPages {
public:
    PersonOfferingsPage(QTabWidget* pages, const PersonPagesHost& host);

    void SetTypeCaption();
    void FillTypes(const IDatabaseManagerPtr& database);
    void ShowPage(int page) const override;

protected:
    platform::RecordsetPtr Rows(const PersonList& list) const override;

private:
    void cboOfferingType_Click();
    void OpenOffering(int32_t id);

    QComboBox* cboOfferingType = nullptr;
    QLabel* lblOfferingType = nullptr;
};

} // namespace amb::windows
