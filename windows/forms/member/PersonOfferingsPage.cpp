#include "windows/forms/member/PersonOfferingsPage.h"

#include "windows/forms/NamedControl.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "windows/base/ActionScope.h"
#include "windows/base/ReadCheck.h"
#include "windows/forms/member/MemberForm.h"
#include "windows/forms/member/PersonLists.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace amb::windows {

PersonOfferingsPage::PersonOfferingsPage(QTabWidget* pages, const PersonPagesHost& host) : PersonListPages(host) {
    CreateLists(
        pages, [](const PersonList& list) { return list.bit == MemberForm::kOfferings; },
        [this](const PersonList&, RecordListCommands& commands) {
            commands.open = [this](int32_t id) { OpenOffering(id); };
        });
    cboOfferingType = MakeCombo(pages, "cboOfferingType", false);
    auto* offeringType = new QWidget(pages);
    auto* typeRow = new QHBoxLayout(offeringType);
    typeRow->setContentsMargins(0, 0, 0, 0);
    lblOfferingType = NamedLabel(offeringType, "lblOfferingType", cboOfferingType);
    typeRow->addWidget(lblOfferingType);
    typeRow->addWidget(cboOfferingType);
    typeRow->addStretch(1);
    Of(MemberForm::kOfferings).PutAbove(offeringType);
    connect(cboOfferingType, &QComboBox::currentIndexChanged, this, [this] { cboOfferingType_Click(); });
}

void PersonOfferingsPage::SetTypeCaption() {
    lblOfferingType->setText(m_host.context.support.Text(res::kLabelOfferingType));
}

void PersonOfferingsPage::FillTypes(const IDatabaseManagerPtr& database) {
    ReadCheck read(m_host.context.support);
    FillLookUp(cboOfferingType, read(database->GetLookupOfferingTypeName(EnumLookupOption::IncludeBlank)));
    read.Tell();
}

void PersonOfferingsPage::ShowPage(int page) const {
    PersonListPages::ShowPage(page);
    bool shown = false;
    ForEach([&](const PersonList& list, RecordListPart&) { shown = list.page == page; });
    cboOfferingType->setEnabled(shown);
}

platform::RecordsetPtr PersonOfferingsPage::Rows(const PersonList&) const {
    // With no type chosen, nothing to list.
    if (AsString(platform::Variant(cboOfferingType->currentText())).isEmpty())
        return nullptr;
    return m_host.context.database()->GetOfferingByPersonIDAndTypeID(m_host.personId(),
                                                                     cboOfferingType->currentData().toInt());
}

void PersonOfferingsPage::cboOfferingType_Click() {
    m_host.context.support.Handle(QStringLiteral("cboOfferingType_Click()"), [&] {
        WindowBusy busy(&m_host.window);
        const platform::RecordsetPtr rows = m_host.context.database()->GetOfferingByPersonIDAndTypeID(
            m_host.personId(), cboOfferingType->currentData().toInt());
        Of(MemberForm::kOfferings).Fill(rows);
        m_host.enableButtons(MemberForm::kOfferings);
        if (!rows) {
            busy.End();
            m_host.context.support.ShowReadFailure();
        }
    });
}

void PersonOfferingsPage::OpenOffering(int32_t id) {
    // The offering window opens through the hub's loader, as the offering commands of the main window do.
    if (m_host.context.loader()->ShowOfferingWindow(id, EnumOfferingWindowType::Individual) > 0) {
        ActionScope::MarkSaved(&m_host.window);
        cboOfferingType_Click();
    }
    Of(MemberForm::kOfferings).ReturnTo(id);
}

} // namespace amb::windows
