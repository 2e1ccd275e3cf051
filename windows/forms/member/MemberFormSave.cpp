#include "windows/forms/member/MemberForm.h"

#include "common/ErrorGuard.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "platform/data/Recordset.h"
#include "windows/forms/member/PersonDetails.h"
#include "windows/forms/member/PersonMembership.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QPushButton>
#include <QTabWidget>

namespace amb::windows {

int32_t MemberForm::UpdateRecord() {
    Trace(QStringLiteral("UpdateRecord()"));
    return CatchAll(SourceName(), QStringLiteral("UpdateRecord()"), int32_t{-1}, [&] {
        const IDatabaseManagerPtr database = Database();
        auto record = std::make_shared<platform::Dictionary>();
        record->SetItem(QStringLiteral("ID"), platform::Variant(m_id));
        m_details->Enter(*record);
        m_name->Enter(*record);
        m_note->Enter(*record);
        m_stored.AttachTo(*record);
        // The relationship or position goes with the person's own save.
        m_membership->Attach(*record, m_id);

        const int32_t result = database->UpdatePerson(record);
        if (result > 0 && m_id == 0)
            LinkNewPerson(result);
        else if (result > 0 && result == m_id && m_membership->StepMissing())
            LinkSavedPerson(result);
        return result;
    });
}

// The steps after a new person's first save. The person is stored now, so a failed step must not make
// the next OK add the person a second time: the step writes its line, the others still run, and the
// window goes to its edit state, so that the next OK updates this person. A membership (or the copy of
// the family's address) that could not be saved is told by OK, and the next OK tries it again.
void MemberForm::LinkNewPerson(int32_t newId) {
    const IDatabaseManagerPtr database = Database();
    const QString procedure = QStringLiteral("UpdateRecord()");
    CatchAll(SourceName(), procedure, [&] {
        platform::RecordsetPtr person = database->GetPersonByID(newId);
        if (!person || person->IsEOF())
            throw platform::Error(platform::ErrorNumber::DatabaseError,
                                  QStringLiteral("The new person %1 was not read back").arg(newId), SourceName());
        const QString code = AsString(person->Field(QStringLiteral("EnvelopCode")));
        // The next OK updates this row as it was just stored.
        m_stored.Take(person);
        person->Close();
        m_details->ShowEnvelopCode(code);
    });
    if (m_membership->FamilyGroupID() > 0) {
        m_membership->SetLinkMissing();
        m_linkFailure = LinkMember(newId);
    }
    cmdOK->setText(Text(res::kCaptionOK));
    cmdPrint->setEnabled(true);
    EnableTabs(true);
    tabMain->setCurrentIndex(0);
}

int32_t MemberForm::LinkMember(int32_t personId) {
    int32_t cause = 0;
    // A failure of the window's own before the membership was saved: its line says which.
    if (!CatchAll(SourceName(), QStringLiteral("UpdateRecord()"),
                  [&] { cause = m_membership->Link(Database(), personId); }) &&
        m_membership->StepMissing())
        cause = res::kCauseOther;
    return cause;
}

// A saved person still outside the family or group: the window stays open when the link fails again,
// so the next OK compares the person with the row as it is now stored.
void MemberForm::LinkSavedPerson(int32_t id) {
    CatchAll(SourceName(), QStringLiteral("UpdateRecord()"), [&] {
        platform::RecordsetPtr person = Database()->GetPersonByID(id);
        if (!person || person->IsEOF())
            return;
        m_stored.Take(person);
        person->Close();
    });
    m_linkFailure = LinkMember(id);
}

} // namespace amb::windows
