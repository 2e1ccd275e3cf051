#include "windows/forms/member/MemberForm.h"

#include "windows/forms/NamedControl.h"

#include "heading/FormHeading.h"
#include "windows/forms/member/PersonContactPages.h"
#include "windows/forms/member/PersonDetails.h"
#include "windows/forms/member/PersonFamilyGroupPages.h"
#include "windows/forms/member/PersonMembership.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"
#include "windows/forms/member/PersonOfferingsPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace amb::windows {

void MemberForm::CreateLayout() {
    fhMain = NamedControl<orv::FormHeading>(this, "fhMain");
    cmdOK = NamedControl<QPushButton>(this, "cmdOK");
    cmdCancel = NamedControl<QPushButton>(this, "cmdCancel");
    cmdPrint = NamedControl<QPushButton>(this, "cmdPrint");
    for (QPushButton* button : {cmdOK, cmdCancel, cmdPrint})
        button->setMinimumWidth(88);

    QWidget* person = CreatePersonArea();
    QWidget* tabs = CreateMainTabs();

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(12, 0, 12, 12);
    buttons->addWidget(cmdPrint);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(fhMain);
    layout->addWidget(person);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
    // Resizing the window changes nothing in it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The person window's Cancel is not bound to Esc.
    SetDialogButtons(cmdOK, cmdCancel, false);
}

QWidget* MemberForm::CreatePersonArea() {
    auto* area = new QWidget(this);
    // A look-up button refills the boxes as the window prepares them.
    const auto refill = [this](int32_t value) { InitializeComboBoxes(value); };
    m_name = std::make_unique<PersonNamePages>(area, Support());
    m_details = std::make_unique<PersonDetails>(area, m_context, refill);
    m_membership = std::make_unique<PersonMembership>(area, m_context, refill);

    QGridLayout* fields = m_details->FieldsGrid();
    m_membership->PlaceIn(fields, 3);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_name->Tabs(), 3);
    top->addLayout(m_details->SideGrid(), 2);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addLayout(fields);
    return area;
}

QWidget* MemberForm::CreateMainTabs() {
    tabMain = NamedControl<QTabWidget>(this, "tabMain");
    tabMain->setMinimumSize(640, 230);
    // The pages in the order of the tabs, so that Tab reaches a page's controls in the order shown.
    m_contacts = std::make_unique<PersonContactPages>(tabMain, m_host);
    m_familiesGroups = std::make_unique<PersonFamilyGroupPages>(tabMain, m_host);
    m_offerings = std::make_unique<PersonOfferingsPage>(tabMain, m_host);
    m_note = std::make_unique<PersonNotePage>(tabMain, Support(), cmdOK);
    for (const PersonListPages* pages : ListPages())
        pages->AddPages(tabMain);
    tabMain->addTab(m_note->Page(), QString());

    auto* wrapper = new QWidget(this);
    auto* layout = new QVBoxLayout(wrapper);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(tabMain);
    // After the tab control is adopted by its wrapper, which rebuilds its part of the focus chain.
    for (const PersonListPages* pages : ListPages())
        pages->OrderTabStops();
    return wrapper;
}

void MemberForm::ConnectControls() {
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(tabMain, &QTabWidget::currentChanged, this, [this] { tabMain_Click(); });
}

} // namespace amb::windows
