#include "windows/forms/member/MemberForm.h"

#include "common/ErrorGuard.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/DatePicker.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace amb::windows {

namespace {

using platform::Variant;

// The item data of the selected entry of a drop-down list; a box without one cannot be saved.
int32_t SelectedId(const QComboBox* box) {
    if (box->currentIndex() < 0)
        throw platform::Error(platform::ErrorNumber::TypeMismatch,
                              QStringLiteral("No entry of %1 is selected").arg(box->objectName()),
                              QStringLiteral("AmbWindows.MemberForm"));
    return AsLong(Variant(box->currentData().toInt()));
}

Variant Trimmed(const QString& text) {
    return NullIfBlank(Variant(text));
}

} // namespace

int32_t MemberForm::UpdateRecord() {
    Trace(QStringLiteral("UpdateRecord()"));
    return CatchAll(SourceName(), QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const IDatabaseManagerPtr database = Database();
        const bool baptized = chkIsBaptized->checkState() == Qt::Checked;
        const bool member = chkIsMember->checkState() == Qt::Checked;
        auto record = std::make_shared<platform::Dictionary>();
        // All five name fields go, also those the name locale hides. Dates travel as date values, or
        // Null when the picker holds none or is switched off.
        const std::pair<const char*, Variant> entries[] = {
            {"ID", Variant(m_id)},
            {"MemberClassificationID", Variant(SelectedId(cboClassification))},
            {"Title", Trimmed(cboTitle->currentText())},
            {"DOB", dtpDOB->Value()},
            {"SexID", Variant(SelectedId(cboSex))},
            {"Occupation", Trimmed(txtOccupation->text())},
            {"MemberStatusID", Variant(SelectedId(cboMemberStatus))},
            {"MaritalStatusID", Variant(SelectedId(cboMaritalStatus))},
            {"DateMarried", dtpMarried->Value()},
            {"IsBaptized", Variant(baptized)},
            {"DateBaptized", baptized ? dtpBaptized->Value() : Variant::Null()},
            {"IsMember", Variant(member)},
            {"DateJoined", member ? dtpJoined->Value() : Variant::Null()},
        };
        for (const auto& [key, value] : entries)
            record->SetItem(QString::fromLatin1(key), value);
        m_name->Enter(*record);
        m_note->Enter(*record);
        m_stored.AttachTo(*record);
        AttachMembership(*record);

        const int32_t result = database->UpdatePerson(record);
        if (result > 0 && m_id == 0)
            LinkNewPerson(result);
        return result;
    });
}

// The relationship or position goes with the person's own save, compared with the membership row as
// this window read it, so that one changed elsewhere meanwhile refuses the save instead of being
// overwritten. A person who was no member when the window opened has none to save.
void MemberForm::AttachMembership(platform::Dictionary& record) const {
    const bool family = m_parentForm == EnumFamilyGroup::Family;
    if (m_id <= 0 || m_familyGroupId <= 0 || m_storedLink.Id() <= 0 ||
        (!family && m_parentForm != EnumFamilyGroup::Group))
        return;
    auto link = std::make_shared<platform::Dictionary>();
    link->SetItem(QStringLiteral("ID"), Variant(m_storedLink.Id()));
    link->SetItem(QStringLiteral("PersonID"), Variant(m_id));
    link->SetItem(family ? QStringLiteral("FamilyID") : QStringLiteral("GroupID"), Variant(m_familyGroupId));
    link->SetItem(family ? QStringLiteral("Relationship") : QStringLiteral("Position"),
                  Trimmed(cboFamilyGroup->currentText()));
    m_storedLink.AttachTo(*link);
    record.SetItem(IDatabaseManager::kMembershipKey, Variant(platform::ObjectPtr(link)));
}

// The steps after a new person's first save. The person is stored now: a step that fails writes its
// line and the others still run, and the window goes to its edit state, so that the next OK updates
// this person instead of adding a second one (D21).
void MemberForm::LinkNewPerson(int32_t newId) {
    const IDatabaseManagerPtr database = Database();
    const QString procedure = QStringLiteral("UpdateRecord()");
    CatchAll(SourceName(), procedure, [&] {
        platform::RecordsetPtr person = database->GetPersonByID(newId);
        if (!person || person->IsEOF())
            throw platform::Error(platform::ErrorNumber::DatabaseError,
                                  QStringLiteral("The new person %1 was not read back").arg(newId), SourceName());
        txtEnvelopCode->setText(AsString(person->Field(QStringLiteral("EnvelopCode"))));
        // The next OK updates this row as it was just stored.
        m_stored.Take(person);
        person->Close();
        txtEnvelopCode->setEnabled(true);
        lblEnvelopCode->setEnabled(true);
    });
    if (m_familyGroupId > 0) {
        CatchAll(SourceName(), procedure, [&] {
            const bool family = m_parentForm == EnumFamilyGroup::Family;
            if (!family && m_parentForm != EnumFamilyGroup::Group)
                return;
            auto link = std::make_shared<platform::Dictionary>();
            link->SetItem(QStringLiteral("ID"), Variant(int32_t{0}));
            link->SetItem(QStringLiteral("PersonID"), Variant(newId));
            link->SetItem(family ? QStringLiteral("FamilyID") : QStringLiteral("GroupID"), Variant(m_familyGroupId));
            link->SetItem(family ? QStringLiteral("Relationship") : QStringLiteral("Position"),
                          Trimmed(cboFamilyGroup->currentText()));
            if (family) {
                database->UpdatePersonToFamily(link);
                database->CopyFamilyAddressAndPhoneNumber(newId, m_familyGroupId);
                m_storedLink.Take(database->GetPersonToFamilyByFamilyIDAndPersonID(m_familyGroupId, newId));
            } else {
                database->UpdatePersonToGroup(link);
                m_storedLink.Take(database->GetPersonToGroupByGroupIDAndPersonID(m_familyGroupId, newId));
            }
        });
    }
    cmdOK->setText(Text(res::kCaptionOK));
    cmdPrint->setEnabled(true);
    EnableTabs(true);
    tabMain->setCurrentIndex(0);
}

} // namespace amb::windows
