#include "windows/forms/familygroup/AddOptionForm.h"

#include "common/GlobalModule.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/Values.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "contracts/IDatabaseManager.h"
#include "heading/FormHeading.h"
#include "platform/data/Recordset.h"
#include "windows/base/ModalRunner.h"
#include "windows/base/ReadCheck.h"
#include "windows/forms/SearchForm.h"
#include "windows/forms/familygroup/FamilyGroupKinds.h"
#include "windows/forms/familygroup/FormParts.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <memory>

namespace amb::windows {

AddOptionForm::AddOptionForm(QWidget* parent)
    : FormBase(QStringLiteral("AddOptionForm"), parent), fhMain(Named(new orv::FormHeading(this), "fhMain")),
      lblName(Named(new QLabel(this), "lblName")), txtName(Named(new QLineEdit(this), "txtName")),
      lblMember(Named(new QLabel(this), "lblMember")), optAddOption0(Named(new QRadioButton(this), "optAddOption0")),
      txtMember(Named(new QLineEdit(this), "txtMember")), cmdSearch(Named(new QPushButton(this), "cmdSearch")),
      optAddOption1(Named(new QRadioButton(this), "optAddOption1")), optAddOption(new QButtonGroup(this)),
      cmdOK(Named(new QPushButton(this), "cmdOK")), cmdCancel(Named(new QPushButton(this), "cmdCancel")) {
    for (QLabel* label : {lblName, lblMember})
        label->setTextFormat(Qt::PlainText);
    txtName->setMinimumWidth(260);
    LimitLength(txtName, kFamilyGroupNameLength);
    txtMember->setReadOnly(true);
    lblName->setBuddy(txtName);
    lblMember->setBuddy(optAddOption0);
    txtMember->setAccessibleName(QStringLiteral("txtMember"));
    optAddOption->addButton(optAddOption0, 0);
    optAddOption->addButton(optAddOption1, 1);
    for (QPushButton* button : {cmdOK, cmdCancel, cmdSearch})
        button->setMinimumWidth(88);

    auto* existing = new QHBoxLayout;
    existing->addWidget(optAddOption0);
    existing->addWidget(txtMember, 1);
    existing->addWidget(cmdSearch);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    fields->addWidget(lblName, 0, 0);
    fields->addWidget(txtName, 0, 1);
    fields->setRowMinimumHeight(1, 6);
    fields->addWidget(lblMember, 2, 0, 1, 2);
    fields->addLayout(existing, 3, 0, 1, 2);
    fields->addWidget(optAddOption1, 4, 0, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 12);
    body->setSpacing(14);
    body->addLayout(fields);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(fhMain);
    layout->addLayout(body);
    layout->addStretch(1);
    // Resizing the window changes nothing in it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtName, optAddOption0);
    setTabOrder(optAddOption0, optAddOption1);
    setTabOrder(optAddOption1, txtMember);
    setTabOrder(txtMember, cmdSearch);
    setTabOrder(cmdSearch, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    SetDialogButtons(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(optAddOption, &QButtonGroup::idClicked, this, [this](int index) { optAddOption_Click(index); });
    OnFocusIn(txtName, [this] { txtName_GotFocus(); });
}

AddOptionForm::~AddOptionForm() = default;

int32_t AddOptionForm::PersonID() {
    return Member(QStringLiteral("Get_PersonID()"), int32_t{0}, [&] { return m_personID; });
}

EnumFamilyGroup AddOptionForm::FamilyGroupType() {
    return Member(QStringLiteral("Get_FamilyGroupType()"), EnumFamilyGroup::None, [&] { return m_familyGroupType; });
}

void AddOptionForm::SetFamilyGroupType(EnumFamilyGroup value) {
    Member(QStringLiteral("Let_FamilyGroupType()"), 0, [&] {
        m_familyGroupType = value;
        return 0;
    });
}

QString AddOptionForm::NameText() const {
    return txtName->text().trimmed();
}

bool AddOptionForm::IsExistingPersonChosen() const {
    return optAddOption0->isChecked();
}

int32_t AddOptionForm::UpdateForm() {
    return Member(QStringLiteral("UpdateForm()"), int32_t{-1}, [&] {
        SetControlCaption();
        if (const FamilyGroupKind* kind = FindFamilyGroupKind(m_familyGroupType)) {
            setWindowTitle(Text(kind->newTitle));
            fhMain->SetHeading(Text(kind->newTitle));
            fhMain->SetDescription(Text(kind->newDescription));
            txtName->setFocus();
        } else if (m_familyGroupType == EnumFamilyGroup::None) {
            setWindowTitle(Text(res::kTitleMember));
            fhMain->SetHeading(Text(res::kTitleMember));
            fhMain->SetDescription(Text(res::kDescAddMember));
            lblName->hide();
            txtName->hide();
            // The focus starts on the existing-person option; Qt does not select an option button
            // that gets the focus, so select it here and run its click handling.
            optAddOption0->setChecked(true);
            optAddOption0->setFocus();
            optAddOption_Click(0);
        }
        return int32_t{1};
    });
}

void AddOptionForm::SetControlCaption() {
    Trace(QStringLiteral("SetControlCaption()"));
    lblName->setText(RequiredText(res::kLabelName));
    if (const FamilyGroupKind* kind = FindFamilyGroupKind(m_familyGroupType))
        lblMember->setText(RequiredText(kind->headLabel));
    else if (m_familyGroupType == EnumFamilyGroup::None)
        lblMember->setText(Text(res::kLabelMembers));
    optAddOption0->setText(Text(res::kOptionExistingMember));
    optAddOption1->setText(Text(res::kOptionNewMember));
    txtMember->setAccessibleName(Text(res::kOptionExistingMember));
    cmdCancel->setText(Text(res::kCaptionCancel));
    cmdOK->setText(Text(res::kCaptionOK));
    cmdSearch->setText(Text(res::kCaptionSearch));
}

void AddOptionForm::optAddOption_Click(int index) {
    Handle(QStringLiteral("optAddOption_Click()"), [&] {
        if (index == 0) {
            txtMember->setEnabled(true);
            cmdSearch->setEnabled(true);
            cmdSearch->setFocus();
            setTabOrder(optAddOption0, cmdSearch);
            setTabOrder(cmdSearch, optAddOption1);
            setTabOrder(optAddOption1, cmdOK);
            setTabOrder(cmdOK, cmdCancel);
            return;
        }
        m_personID = 0;
        cmdSearch->setEnabled(false);
        txtMember->clear();
        txtMember->setEnabled(false);
        setTabOrder(optAddOption0, optAddOption1);
        setTabOrder(optAddOption1, cmdOK);
        setTabOrder(cmdOK, cmdCancel);
    });
}

void AddOptionForm::cmdSearch_Click() {
    Handle(QStringLiteral("cmdSearch_Click()"), [&] {
        WindowBusy busy(this);
        const int32_t found = SearchPerson();
        if (found <= 0)
            return;
        m_personID = found;
        RefreshMemberTextBox(found);
        // A person chosen through Search is the one meant, also when the existing-person option
        // was not ticked first; otherwise OK would go on to enter a new person instead.
        if (!optAddOption0->isChecked()) {
            optAddOption0->setChecked(true);
            txtMember->setEnabled(true);
        }
    });
}

int32_t AddOptionForm::SearchPerson() {
    // The search window belongs to this one and is gone when the search is over.
    const auto search = std::make_unique<SearchForm>(this);
    search->SetWindowLoader(WindowLoader());
    if (search->UpdateForm() <= 0)
        return -1;
    ModalRunner::Run(*search);
    return search->Response() == FormResponse::OK ? search->ID() : -1;
}

void AddOptionForm::ChoosePerson(int32_t personID) {
    m_personID = personID;
    optAddOption0->setChecked(true);
    optAddOption_Click(0);
    RefreshMemberTextBox(personID);
}

void AddOptionForm::RefreshMemberTextBox(int32_t personID) {
    Trace(QStringLiteral("RefreshMemberTextBox()"));
    const IApplicationPtr hub = Hub();
    ReadCheck read(Support());
    platform::RecordsetPtr person = read(Database()->GetPersonByID(personID));
    if (read.Tell() || !person || person->IsEOF())
        return;
    txtMember->setText(DisplayName(*person, hub->NameLocaleID()));
    person->Close();
}

bool AddOptionForm::IsFormValid() {
    Trace(QStringLiteral("IsFormValid()"));
    if (m_familyGroupType != EnumFamilyGroup::None) {
        const QString name = txtName->text().trimmed();
        if (name.isEmpty()) {
            ShowMessage(res::kMsgEnterName);
            txtName->setFocus();
            return false;
        }
        m_nameUnread = false;
        if (RecordExistsAlready(name)) {
            if (!m_nameUnread)
                ShowMessage(res::kMsgNameExists);
            txtName->setFocus();
            return false;
        }
    }
    if (optAddOption0->isChecked() && m_personID <= 0) {
        ShowMessage(res::kMsgSelectExistingMember);
        cmdSearch->setFocus();
        return false;
    }
    return true;
}

bool AddOptionForm::RecordExistsAlready(const QString& name) {
    Trace(QStringLiteral("RecordExistsAlready()"));
    const FamilyGroupKind* kind = FindFamilyGroupKind(m_familyGroupType);
    if (!kind)
        return false;
    // A name that could not be looked up is taken as taken: the user is told why, and no second
    // family or group of that name is made.
    ReadCheck read(Support());
    platform::RecordsetPtr found = read((Database().get()->*kind->readByName)(name));
    if (read.Tell()) {
        m_nameUnread = true;
        return true;
    }
    if (!found)
        return false;
    const bool taken = !found->IsEOF();
    found->Close();
    return taken;
}

void AddOptionForm::cmdOK_Click() {
    Handle(QStringLiteral("cmdOK_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        if (!IsFormValid() || (m_save && !m_save()))
            return;
        SetResponse(FormResponse::OK);
        HideForm();
    });
}

void AddOptionForm::cmdCancel_Click() {
    Handle(QStringLiteral("cmdCancel_Click()"), [&] {
        SetResponse(FormResponse::Cancel);
        HideForm();
    });
}

void AddOptionForm::txtName_GotFocus() {
    Handle(QStringLiteral("txtName_GotFocus()"), [&] { SelectAllText(txtName); });
}

} // namespace amb::windows
