#include "windows/forms/member/MemberForm.h"

#include "windows/forms/NamedControl.h"

#include "common/ColumnLengths.h"
#include "common/widgets/DatePicker.h"
#include "common/widgets/TextLength.h"
#include "heading/FormHeading.h"
#include "windows/forms/member/PersonNamePages.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

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

    m_name = std::make_unique<PersonNamePages>(area, Support());

    txtEnvelopCode = NamedControl<QLineEdit>(area, "txtEnvelopCode");
    txtEnvelopCode->setReadOnly(true);
    lblEnvelopCode = NamedLabel(area, "lblEnvelopCode", txtEnvelopCode);
    cboTitle = MakeCombo(area, "cboTitle", true);
    lblTitle = NamedLabel(area, "lblTitle", cboTitle);
    cmdMemberTitle = MakeLookUpButton(area, "cmdMemberTitle");
    cboSex = MakeCombo(area, "cboSex", false);
    lblSex = NamedLabel(area, "lblSex", cboSex);
    dtpDOB = NamedControl<DatePicker>(area, "dtpDOB");
    lblDOB = NamedLabel(area, "lblDOB", dtpDOB);
    cboClassification = MakeCombo(area, "cboClassification", false);
    lblClassification = NamedLabel(area, "lblClassification", cboClassification);
    cmdClassification = MakeLookUpButton(area, "cmdClassification");
    cboMemberStatus = MakeCombo(area, "cboMemberStatus", false);
    lblMemberStatus = NamedLabel(area, "lblMemberStatus", cboMemberStatus);
    cmdMemberStatus = MakeLookUpButton(area, "cmdMemberStatus");
    cboMaritalStatus = MakeCombo(area, "cboMaritalStatus", false);
    lblMaritalStatus = NamedLabel(area, "lblMaritalStatus", cboMaritalStatus);
    cmdMaritalStatus = MakeLookUpButton(area, "cmdMaritalStatus");
    dtpMarried = NamedControl<DatePicker>(area, "dtpMarried");
    lblMarried = NamedLabel(area, "lblMarried", dtpMarried);
    chkIsBaptized = NamedControl<QCheckBox>(area, "chkIsBaptized");
    dtpBaptized = NamedControl<DatePicker>(area, "dtpBaptized");
    chkIsMember = NamedControl<QCheckBox>(area, "chkIsMember");
    dtpJoined = NamedControl<DatePicker>(area, "dtpJoined");
    txtOccupation = NamedControl<QLineEdit>(area, "txtOccupation");
    lblOccupation = NamedLabel(area, "lblOccupation", txtOccupation);
    cboFamilyGroup = MakeCombo(area, "cboFamilyGroup", true);
    lblFamilyGroup = NamedLabel(area, "lblFamilyGroup", cboFamilyGroup);
    cmdFamilyGroup = MakeLookUpButton(area, "cmdFamilyGroup");

    // Right of the name: envelope code, title, sex and birth date.
    auto* side = new QGridLayout;
    side->setVerticalSpacing(6);
    side->addWidget(lblEnvelopCode, 0, 0);
    side->addWidget(txtEnvelopCode, 0, 1);
    side->addWidget(lblTitle, 1, 0);
    side->addWidget(cboTitle, 1, 1);
    side->addWidget(cmdMemberTitle, 1, 2);
    side->addWidget(lblSex, 2, 0);
    side->addWidget(cboSex, 2, 1);
    side->addWidget(lblDOB, 3, 0);
    side->addWidget(dtpDOB, 3, 1);
    side->setRowStretch(4, 1);

    // Below: the two columns of look-ups, dates and occupation.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(6);
    fields->addWidget(lblClassification, 0, 0);
    fields->addWidget(cboClassification, 0, 1);
    fields->addWidget(cmdClassification, 0, 2);
    fields->addWidget(lblMemberStatus, 0, 4);
    fields->addWidget(cboMemberStatus, 0, 5);
    fields->addWidget(cmdMemberStatus, 0, 6);
    fields->addWidget(lblMaritalStatus, 1, 0);
    fields->addWidget(cboMaritalStatus, 1, 1);
    fields->addWidget(cmdMaritalStatus, 1, 2);
    // The wedding date belongs to the marital status, in the second column.
    fields->addWidget(lblMarried, 1, 4);
    fields->addWidget(dtpMarried, 1, 5);
    fields->addWidget(chkIsBaptized, 2, 0);
    fields->addWidget(dtpBaptized, 2, 1);
    fields->addWidget(chkIsMember, 2, 4);
    fields->addWidget(dtpJoined, 2, 5);
    fields->addWidget(lblOccupation, 3, 0);
    fields->addWidget(txtOccupation, 3, 1);
    fields->addWidget(lblFamilyGroup, 3, 4);
    fields->addWidget(cboFamilyGroup, 3, 5);
    fields->addWidget(cmdFamilyGroup, 3, 6);
    fields->setColumnMinimumWidth(3, 16);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(m_name->Tabs(), 3);
    top->addLayout(side, 2);

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
    // The lists first, so that Tab reaches a list page's controls in the order shown.
    CreateLists();
    cboOfferingType = MakeCombo(tabMain, "cboOfferingType", false);
    m_note = std::make_unique<PersonNotePage>(tabMain, Support(), cmdOK);
    const std::pair<QWidget*, int> limits[] = {
        {cboTitle, TextLimit("Person", "Title")},
        {txtOccupation, TextLimit("Person", "Occupation")},
        // The family relationship or the group position, as the window was opened from.
        {cboFamilyGroup, std::min(TextLimit("PersonToFamily", "Relationship"), TextLimit("PersonToGroup", "Position"))},
    };
    for (const auto& [box, length] : limits)
        LimitLength(box, length);

    auto* offeringType = new QWidget(tabMain);
    auto* typeRow = new QHBoxLayout(offeringType);
    typeRow->setContentsMargins(0, 0, 0, 0);
    lblOfferingType = NamedLabel(offeringType, "lblOfferingType", cboOfferingType);
    typeRow->addWidget(lblOfferingType);
    typeRow->addWidget(cboOfferingType);
    typeRow->addStretch(1);

    ListOf(kOfferings).part->PutAbove(offeringType);
    for (const ListControls& l : m_lists)
        tabMain->addTab(l.part->Page(), QString());
    tabMain->addTab(m_note->Page(), QString());

    auto* wrapper = new QWidget(this);
    auto* layout = new QVBoxLayout(wrapper);
    layout->setContentsMargins(12, 0, 12, 0);
    layout->addWidget(tabMain);
    return wrapper;
}

} // namespace amb::windows
