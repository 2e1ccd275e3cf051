#include "windows/forms/member/MemberForm.h"

#include "common/StandardModule.h"
#include "contracts/IDatabaseManager.h"
#include "windows/forms/member/PersonLists.h"

#include <QComboBox>
#include <QTabWidget>

#include <algorithm>

namespace amb::windows {

void MemberForm::CreateLists() {
    m_lists.reserve(PersonLists().size());
    for (const PersonList& list : PersonLists()) {
        m_lists.push_back({list, std::make_unique<RecordListPart>(tabMain, Support(), list.shape, ListCommands(list))});
    }
}

const MemberForm::ListControls& MemberForm::ListOf(int32_t bit) const {
    return *std::find_if(m_lists.cbegin(), m_lists.cend(), [bit](const ListControls& l) { return l.list.bit == bit; });
}

void MemberForm::ConfigureGrid(int32_t mask) {
    Trace(QStringLiteral("ConfigureGrid()"));
    for (const ListControls& l : m_lists)
        if ((mask & l.list.bit) != 0)
            l.part->Configure();
}

void MemberForm::RefreshGrids(int32_t mask) {
    Member(QStringLiteral("RefreshGrids()"), 0, [&] {
        for (const ListControls& l : m_lists)
            if ((mask & l.list.bit) != 0)
                FillList(l);
        EnableToolbarButtons(mask);
        return 0;
    });
}

void MemberForm::FillList(const ListControls& l) {
    if (l.list.read) {
        l.part->Fill((Database().get()->*l.list.read)(m_id));
        return;
    }
    // The offerings of the chosen type; with no type chosen, nothing to list.
    if (AsString(platform::Variant(cboOfferingType->currentText())).isEmpty()) {
        l.part->Fill(nullptr);
        return;
    }
    l.part->Fill(Database()->GetOfferingByPersonIDAndTypeID(m_id, cboOfferingType->currentData().toInt()));
}

void MemberForm::cboOfferingType_Click() {
    Handle(QStringLiteral("cboOfferingType_Click()"), [&] {
        WindowBusy busy(this);
        ListOf(kOfferings)
            .part->Fill(Database()->GetOfferingByPersonIDAndTypeID(m_id, cboOfferingType->currentData().toInt()));
        EnableToolbarButtons(kOfferings);
    });
}

} // namespace amb::windows
