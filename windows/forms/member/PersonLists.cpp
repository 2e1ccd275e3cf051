#include "windows/forms/member/PersonLists.h"

#include "common/ResourceIDs.h"
#include "windows/forms/contact/AddressForm.h"
#include "windows/forms/contact/ContactValueForm.h"
#include "windows/forms/member/MemberForm.h"

namespace amb::windows {

namespace {

using namespace amb::res;
using Db = IDatabaseManager;

template <class Form> std::unique_ptr<ContactForm> Make(QWidget* owner) {
    return std::make_unique<Form>(owner);
}

constexpr RecordListColumn kNameColumn = {.header = kColumnName, .width = 160, .align = Qt::AlignLeft, .field = "Name"};
// A contact row's kind (home, work), headed by the word its own window labels it with.
constexpr RecordListColumn kKindColumn = {.header = kTextName, .width = 160, .align = Qt::AlignLeft, .field = "Name"};

constexpr std::array<PersonList, kPersonListCount> kLists = {{
    {.bit = MemberForm::kAddresses,
     .page = 0,
     .title = kLabelAddress,
     .shape = {.list = "lstvwAddress",
               .toolbar = "tbarAddress",
               .first = kKindColumn,
               .second = {.header = kColumnAddress,
                          .width = 150,
                          .align = Qt::AlignLeft,
                          .field = "AddressPart",
                          .kind = CellKind::AddressParts},
               .builtInFlags = {"IsHomeAddress", "IsWorkAddress"}},
     .read = &Db::GetAddressByPersonID,
     .remove = &Db::DeletePersonAddress,
     .contactForm = &Make<AddressForm>},
    {.bit = MemberForm::kPhoneNumbers,
     .page = 1,
     .title = kLabelPhoneNumber,
     .shape = {.list = "lstvwPhoneNumber",
               .toolbar = "tbarPhoneNumber",
               .first = kKindColumn,
               .second = {.header = kColumnPhoneNumber, .width = 100, .align = Qt::AlignLeft, .field = "PhoneNumber"},
               .builtInFlags = {"IsHomePhoneNumber", "IsWorkPhoneNumber", "IsCellPhoneNumber", "IsFaxNumber"}},
     .read = &Db::GetPhoneNumberByPersonID,
     .remove = &Db::DeletePersonPhoneNumber,
     .contactForm = &Make<PhoneNumberForm>},
    {.bit = MemberForm::kEMailAddresses,
     .page = 2,
     .title = kLabelEMailAddress,
     .shape = {.list = "lstvwEMailAddress",
               .toolbar = "tbarEMailAddress",
               .first = kKindColumn,
               .second = {.header = kColumnEMailAddress, .width = 150, .align = Qt::AlignLeft, .field = "EMailAddress"},
               .builtInFlags = {"IsPersonalEMailAddress", "IsWorkEMailAddress"},
               .sendsMail = true},
     .read = &Db::GetEMailAddressByPersonID,
     .remove = &Db::DeletePersonEMailAddress,
     .contactForm = &Make<EMailAddressForm>},
    {.bit = MemberForm::kFamilies,
     .page = 3,
     .title = kLabelFamilies,
     .shape =
         {.list = "lstvwFamily",
          .toolbar = nullptr,
          .first =
              kNameColumn,
          .second = {.header = kColumnRelationship, .width = 100, .align = Qt::AlignHCenter, .field = "Relationship"}},
     .read = &Db::GetFamilyByPersonID,
     .showWindow = &IWindowLoader::ShowFamilyWindow,
     .notFrom = EnumFamilyGroup::Family},
    {.bit = MemberForm::kGroups,
     .page = 4,
     .title = kLabelGroups,
     .shape = {.list = "lstvwGroup",
               .toolbar = nullptr,
               .first = kNameColumn,
               .second = {.header = kColumnPosition, .width = 100, .align = Qt::AlignHCenter, .field = "Position"}},
     .read = &Db::GetGroupByPersonID,
     .showWindow = &IWindowLoader::ShowGroupWindow,
     .notFrom = EnumFamilyGroup::Group},
    // Offerings are listed by the chosen type, sorted by date, and never added from here.
    {.bit = MemberForm::kOfferings,
     .page = 5,
     .title = kLabelOfferings,
     .shape = {.list = "lstvwOffering",
               .toolbar = "tbarOffering",
               .first = {.header = kColumnDate,
                         .width = 80,
                         .align = Qt::AlignLeft,
                         .field = "OfferingDate",
                         .kind = CellKind::Date},
               .second = {.header = kColumnAmount,
                          .width = 70,
                          .align = Qt::AlignRight,
                          .field = "Amount",
                          .kind = CellKind::Amount},
               .sorts = false},
     .remove = &Db::DeletePersonOffering},
}};

constexpr bool PagesInOrder() {
    for (int i = 0; i < kPersonListCount; ++i)
        if (kLists[i].page != i)
            return false;
    return true;
}

constexpr bool EachBitOnce() {
    int32_t all = 0;
    for (const PersonList& l : kLists) {
        if ((all & l.bit) != 0)
            return false;
        all |= l.bit;
    }
    return all == MemberForm::kAllLists;
}

// A contact list has a toolbar for New, Edit and Delete; a family or group list opens its window.
constexpr bool CommandsFitTheLists() {
    for (const PersonList& l : kLists) {
        if (l.contactForm && (!l.shape.toolbar || !l.remove || !l.read))
            return false;
        if (l.showWindow && (l.shape.toolbar || l.notFrom == EnumFamilyGroup::None))
            return false;
        if (!l.read && l.bit != MemberForm::kOfferings)
            return false;
    }
    return true;
}

static_assert(PagesInOrder(), "each list's page is its place in the table");
static_assert(EachBitOnce(), "each bit of the list mask names one list");
static_assert(CommandsFitTheLists());

} // namespace

const std::array<PersonList, kPersonListCount>& PersonLists() {
    return kLists;
}

} // namespace amb::windows
