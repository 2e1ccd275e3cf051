#include "windows/forms/report/OfferingOptions.h"

#include "common/Values.h"
#include "common/ResourceIDs.h"
#include "platform/data/Recordset.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/NamedControl.h"
#include "windows/forms/report/FormServices.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace amb::windows {

namespace {

constexpr OptionRow kOfferingType{.at = 1, .name = "cboOfferingType", .key = report_keys::kOfferingTypeId,
                                  .label = "lblOfferingType", .textId = res::kLabelOfferingType,
                                  .lookup = &IDatabaseManager::GetLookupOfferingTypeName};
static_assert(FillKeysOf(ReportOptions::OfferingList, {kOfferingType}), "an option fills no key of its frame");

} // namespace

OfferingOptions::OfferingOptions(QWidget* page, const WindowSupport& support, DatabaseSource database,
                                 PersonSearchSource search)
    : OptionFrame(page, ReportOptions::OfferingList, support), m_database(std::move(database)),
      m_search(std::move(search)) {
    AddBox(kOfferingType);
    AddRange("lblOfferingDate", {.start = "dtpOfferingStartDate",
                                 .end = "dtpOfferingEndDate",
                                 .from = "lblOfferingDateFrom",
                                 .to = "lblOfferingDateTo"});
    auto* member = new QWidget(this);
    txtMember = NamedControl<QLineEdit>(member, "txtMember");
    txtMember->setReadOnly(true);
    cmdSearch = NamedControl<QPushButton>(member, "cmdSearch");
    cmdClear = NamedControl<QPushButton>(member, "cmdClear");
    auto* layout = new QHBoxLayout(member);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtMember, 1);
    layout->addWidget(cmdSearch);
    layout->addWidget(cmdClear);
    AddInput(report_keys::kPersonId, txtMember);
    AddRow(2, 0, "lblMember", res::kLabelMembers, member, txtMember);
    OrderTabs();

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    SelectAllOnFocus(support, txtMember);
}

void OfferingOptions::SetCaptions() {
    OptionFrame::SetCaptions();
    cmdSearch->setText(Support().Text(res::kCaptionSearch));
    cmdClear->setText(Support().Text(res::kCaptionClear));
}

platform::Variant OfferingOptions::Value(const ReportKey& key) const {
    if (key.name == report_keys::kPersonId.name)
        return m_personId;
    return OptionFrame::Value(key);
}

void OfferingOptions::cmdSearch_Click() {
    Support().Handle(QStringLiteral("cmdSearch_Click()"), [&] {
        const PersonChoice choice = m_search();
        if (choice.id <= 0)
            return;
        m_personId = choice.id;
        RefreshMemberTextBox(choice.id);
    });
}

void OfferingOptions::RefreshMemberTextBox(int32_t personId) {
    Support().Trace(QStringLiteral("RefreshMemberTextBox()"));
    const IApplicationPtr hub = Support().Hub();
    platform::RecordsetPtr person = m_database()->GetPersonByID(personId);
    if (!person || person->IsEOF())
        return;
    txtMember->setText(DisplayName(*person, hub->NameLocaleID()));
    person->Close();
}

void OfferingOptions::cmdClear_Click() {
    txtMember->clear();
    m_personId = 0;
}

} // namespace amb::windows
