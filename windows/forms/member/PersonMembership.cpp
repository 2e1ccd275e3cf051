#include "windows/forms/member/PersonMembership.h"

#include "windows/base/ReadCheck.h"
#include "windows/base/SaveFailure.h"
#include "windows/forms/NamedControl.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/TextLength.h"
#include "platform/data/Dictionary.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace amb::windows {

namespace {

using platform::Variant;

// The membership row of a person: its ID (0 for a new one), the person, the family or group, and the
// relationship or position.
platform::DictionaryPtr MembershipRecord(bool family, int32_t id, int32_t personId, int32_t familyGroupId,
                                         const QString& text) {
    auto link = std::make_shared<platform::Dictionary>();
    link->SetItem(QStringLiteral("ID"), Variant(id));
    link->SetItem(QStringLiteral("PersonID"), Variant(personId));
    link->SetItem(family ? QStringLiteral("FamilyID") : QStringLiteral("GroupID"), Variant(familyGroupId));
    link->SetItem(family ? QStringLiteral("Relationship") : QStringLiteral("Position"), NullIfBlank(Variant(text)));
    return link;
}

} // namespace

PersonMembership::PersonMembership(QWidget* area, const PersonContext& context, std::function<void(int32_t)> refill)
    : m_context(context), m_refill(std::move(refill)) {
    cboFamilyGroup = MakeCombo(area, "cboFamilyGroup", true);
    lblFamilyGroup = NamedLabel(area, "lblFamilyGroup", cboFamilyGroup);
    cmdFamilyGroup = MakeLookUpButton(area, "cmdFamilyGroup");
    // The family relationship or the group position, as the window was opened from.
    LimitLength(cboFamilyGroup,
                std::min(TextLimit("PersonToFamily", "Relationship"), TextLimit("PersonToGroup", "Position")));
    connect(cmdFamilyGroup, &QPushButton::clicked, this, [this] { cmdFamilyGroup_Click(); });
}

void PersonMembership::PlaceIn(QGridLayout* grid, int row) const {
    grid->addWidget(lblFamilyGroup, row, 4);
    grid->addWidget(cboFamilyGroup, row, 5);
    grid->addWidget(cmdFamilyGroup, row, 6);
}

void PersonMembership::SetCaptions() {
    lblFamilyGroup->setText(m_context.support.Text(res::kLabelFamilyAndGroup));
    cmdFamilyGroup->setAccessibleName(lblFamilyGroup->text());
}

void PersonMembership::ShowBox(bool shown) {
    for (QWidget* control : {static_cast<QWidget*>(cboFamilyGroup), static_cast<QWidget*>(lblFamilyGroup),
                             static_cast<QWidget*>(cmdFamilyGroup)}) {
        control->setEnabled(shown);
        control->setVisible(shown);
    }
}

void PersonMembership::Fill(const IDatabaseManagerPtr& database, int32_t value, int32_t personId) {
    ShowBox(false);
    if (m_familyGroupId <= 0)
        return;
    if (value == 16 || value == 31) {
        constexpr auto kBlank = EnumLookupOption::IncludeBlank;
        ReadCheck read(m_context.support);
        platform::RecordsetPtr link;
        if (m_parentForm == EnumFamilyGroup::Family) {
            lblFamilyGroup->setText(m_context.support.Text(res::kLabelRelationship));
            FillLookUp(cboFamilyGroup, read(database->GetLookupFamilyRelationshipName(kBlank)));
            link = read(database->GetPersonToFamilyByFamilyIDAndPersonID(m_familyGroupId, personId));
        } else if (m_parentForm == EnumFamilyGroup::Group) {
            lblFamilyGroup->setText(m_context.support.Text(res::kLabelPosition));
            FillLookUp(cboFamilyGroup, read(database->GetLookupGroupPositionName(kBlank)));
            link = read(database->GetPersonToGroupByGroupIDAndPersonID(m_familyGroupId, personId));
        }
        read.Tell();
        m_storedLink.Take(link);
        if (link && !link->IsEOF()) {
            const char* column = m_parentForm == EnumFamilyGroup::Family ? "Relationship" : "Position";
            SelectOrTypeComboText(cboFamilyGroup, AsString(link->Field(QString::fromLatin1(column))));
            link->Close();
        }
    }
    ShowBox(true);
}

// Compared with the membership row as this window read it, so that one changed elsewhere meanwhile
// refuses the save instead of being overwritten. A person who was no member when the window opened
// has none to save.
void PersonMembership::Attach(platform::Dictionary& record, int32_t personId) const {
    const bool family = m_parentForm == EnumFamilyGroup::Family;
    if (personId <= 0 || m_familyGroupId <= 0 || m_storedLink.Id() <= 0 ||
        (!family && m_parentForm != EnumFamilyGroup::Group))
        return;
    const platform::DictionaryPtr link =
        MembershipRecord(family, m_storedLink.Id(), personId, m_familyGroupId, cboFamilyGroup->currentText());
    m_storedLink.AttachTo(*link);
    record.SetItem(IDatabaseManager::kMembershipKey, Variant(platform::ObjectPtr(link)));
}

int32_t PersonMembership::Link(const IDatabaseManagerPtr& database, int32_t personId) {
    const bool family = m_parentForm == EnumFamilyGroup::Family;
    if (!family && m_parentForm != EnumFamilyGroup::Group) {
        m_missing = Step::None;
        return 0;
    }
    // A row that an earlier OK or another program wrote meanwhile is taken, not written again.
    const platform::DictionaryPtr link =
        MembershipRecord(family, 0, personId, m_familyGroupId, cboFamilyGroup->currentText());
    const int32_t saved = family ? database->UpdatePersonToFamily(link) : database->UpdatePersonToGroup(link);
    if (saved < 1) {
        m_missing = Step::Link;
        return MembershipCausePhrase(database->LastFailure());
    }
    m_missing = family ? Step::Copy : Step::None;
    m_storedLink.Take(family ? database->GetPersonToFamilyByFamilyIDAndPersonID(m_familyGroupId, personId)
                             : database->GetPersonToGroupByGroupIDAndPersonID(m_familyGroupId, personId));
    // The family's address belongs to its members only.
    if (family) {
        if (database->CopyFamilyAddressAndPhoneNumber(personId, m_familyGroupId) < 1)
            return MembershipCausePhrase(database->LastFailure());
        m_missing = Step::None;
    }
    return 0;
}

void PersonMembership::Forget() {
    m_familyGroupId = 0;
    m_storedLink = StoredRow();
    m_missing = Step::None;
    ShowBox(false);
}

void PersonMembership::cmdFamilyGroup_Click() {
    const LookUpButton button = {.procedure = "cmdFamilyGroup_Click()",
                                 .type = m_parentForm == EnumFamilyGroup::Family
                                             ? EnumWindowType::FamilyRelationshipName
                                             : EnumWindowType::GroupPositionName,
                                 .box = cboFamilyGroup,
                                 .byId = false};
    LookUpButton_Click(m_context, button, [this] { m_refill(16); });
}

} // namespace amb::windows
