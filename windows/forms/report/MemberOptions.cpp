#include "windows/forms/report/MemberOptions.h"

#include "common/ResourceIDs.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "windows/base/ReadCheck.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/report/FormServices.h"

#include <QComboBox>
#include <QLabel>

namespace amb::windows {

namespace {

using namespace report_keys;
using DB = IDatabaseManager;

// clang-format off
constexpr OptionRow kRows[] = {
    {.at = 0, .name = "cboClassification", .key = kMemberClassificationId, .label = "lblClassification",
     .textId = res::kLabelClassification, .lookup = &DB::GetLookupMemberClassification},
    {.at = 1, .name = "cboMemberStatus", .key = kMemberStatusId, .label = "lblMemberStatus",
     .textId = res::kLabelMemberStatus, .lookup = &DB::GetLookupMemberStatus},
    {.at = 2, .name = "cboSex", .key = kSexId, .label = "lblSex", .textId = res::kLabelSex,
     .lookup = &DB::GetLookupSex},
    {.at = 3, .name = "cboMaritalStatus", .key = kMaritalStatusId, .label = "lblMaritalStatus",
     .textId = res::kLabelMaritalStatus, .lookup = &DB::GetLookupMaritalStatus},
    {.at = 4, .name = "cboBaptized", .key = kIsBaptized, .label = "lblBaptized", .textId = res::kLabelBaptized},
    // Always hidden: last in its column, so it leaves no gap.
    {.at = 5, .name = "cboAgeClassification", .key = kAgeClassificationId, .label = "lblAgeClassification",
     .textId = res::kLabelAgeClassification},
    {.at = 0, .column = 1, .name = "cboIsMember", .key = kIsMember, .label = "lblIsMember", .textId = res::kLabelIsMember},
    {.at = 2, .column = 1, .name = "cboState", .key = kState, .label = "lblState", .textId = res::kLabelState,
     .lookup = &DB::GetLookupState},
    {.at = 4, .column = 1, .name = "cboMemberAddressName", .key = kAddressName, .label = "lblMemberAddressName",
     .textId = res::kLabelAddressName},
    // The text boxes after the lists: the frame keeps the order of its controls that the help pictures.
    {.at = 1, .column = 1, .name = "txtCity", .key = kCity, .label = "lblCity", .textId = res::kLabelCity, .typed = true},
    {.at = 3, .column = 1, .name = "txtZipCode", .key = kZipCode, .label = "lblZipCode", .textId = res::kLabelZipCode,
     .typed = true},
};
// clang-format on
static_assert(FillKeysOf(ReportOptions::Member, kRows), "an option fills no key of its frame");

} // namespace

MemberOptions::MemberOptions(QWidget* page, const WindowSupport& support)
    : OptionFrame(page, ReportOptions::Member, support) {
    AddRows(kRows);
    OrderTabs();
    cboAgeClassification = qobject_cast<QComboBox*>(Input(kAgeClassificationId));
    cboBaptized = qobject_cast<QComboBox*>(Input(kIsBaptized));
    cboIsMember = qobject_cast<QComboBox*>(Input(kIsMember));
    cboMemberAddressName = qobject_cast<QComboBox*>(Input(kAddressName));
    SelectAllOnFocus(support, cboBaptized);
}

void MemberOptions::Fill(IDatabaseManager& database) {
    OptionFrame::Fill(database);
    cboAgeClassification->clear();
    cboAgeClassification->addItem(QString(), 0);
    cboAgeClassification->addItem(QStringLiteral("Adult"), 1);
    cboAgeClassification->setCurrentIndex(0);
    ReadCheck read(Support());
    FillComboBox(cboMemberAddressName, read(database.GetLookupAddressName(EnumLookupOption{})), QStringLiteral("Name"),
                 QStringLiteral("ID"), false);
    read.Tell();
    SelectComboItem(cboMemberAddressName, 1, true);
    for (QComboBox* flags : {cboBaptized, cboIsMember}) {
        flags->clear();
        flags->addItems({QString(), Support().Text(res::kTextYes), Support().Text(res::kTextNo)});
        flags->setCurrentIndex(0);
    }
}

void MemberOptions::Reset(const QString& dateFormat, bool usAddress) {
    OptionFrame::Reset(dateFormat, usAddress);
    HideControl(LabelOf(cboAgeClassification), true);
    HideControl(cboAgeClassification, true);
}

void MemberOptions::ShowAddressKind(bool labels) {
    HideControl(LabelOf(cboMemberAddressName), !labels);
    HideControl(cboMemberAddressName, !labels);
}

} // namespace amb::windows
