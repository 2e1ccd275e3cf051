#pragma once

#include "windows/forms/report/OptionFrame.h"
#include "windows/forms/report/FormServices.h"

class QLineEdit;
class QPushButton;

namespace amb::windows {

// The offering list's options: a date range, an offering type and the giver. The giver is the person
// the Search button chose; the box shows the name only.
class OfferingOptions : public OptionFrame {
public:
    OfferingOptions(QWidget* page, const WindowSupport& support, DatabaseSource database, PersonSearchSource search);

    void SetCaptions() override;
    // The giver's key hands on the chosen person.
    platform::Variant Value(const ReportKey& key) const override;

private:
    void cmdSearch_Click();
    void cmdClear_Click();
    void RefreshMemberTextBox(int32_t personId);

    DatabaseSource m_database;
    PersonSearchSource m_search;
    int32_t m_personId = 0;
    QLineEdit* txtMember = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdClear = nullptr;
};

} // namespace amb::windows
