#pragma once

#include "windows/forms/report/OptionFrame.h"

class QComboBox;
class QLabel;

namespace amb::windows {

// The member reports' filters, in two columns, and the address kind that only the mailing labels read.
class MemberOptions : public OptionFrame {
public:
    MemberOptions(QWidget* page, const WindowSupport& support);

    void Fill(IDatabaseManager& database) override;
    // Also keeps the age classification hidden: no report offers it.
    void Reset(const QString& dateFormat, bool usAddress) override;
    // The address kind is shown for the mailing labels alone.
    void ShowAddressKind(bool labels);

private:
    QComboBox* cboAgeClassification = nullptr;
    QComboBox* cboBaptized = nullptr;
    QComboBox* cboIsMember = nullptr;
    QComboBox* cboMemberAddressName = nullptr;
};

} // namespace amb::windows
