#pragma once

#include "common/ResourceIDs.h"
#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace amb::windows {

// What differs between the address, e-mail address and phone number windows: each edits one row of a
// person's contact table, whose kind is free text offered from a look-up list.
struct ContactKind {
    using Lookup = platform::RecordsetPtr (IDatabaseManager::*)(EnumLookupOption);
    using ById = platform::RecordsetPtr (IDatabaseManager::*)(int32_t);
    using ByName = platform::RecordsetPtr (IDatabaseManager::*)(int32_t, const QString&);
    using Save = int32_t (IDatabaseManager::*)(const platform::DictionaryPtr&);

    const char* formName;       // the class name, also the trace source's last part
    int32_t entityText;         // caption, heading and the "?" of the description
    int32_t kindLabel;          // lblName
    int32_t kindMissingMessage; // OK with a blank kind
    EnumWindowType listWindow;  // the kinds' look-up list that "+" opens
    Lookup lookup;
    ById byId;
    ByName byName;
    Save save;
    // The flags of the built-in kinds: a row with one of them set keeps its kind.
    std::array<const char*, 4> builtInFlags; // unused places are null
    // The one value of the e-mail and phone windows: its column, label and box (unused by the address).
    const char* valueColumn;
    int32_t valueLabel;
    const char* valueLabelName;
    const char* valueBoxName;
    const char* table; // the contact table, whose column lengths the boxes take
};

// clang-format off
inline const ContactKind kAddressKind{
    "AddressForm", res::kTitleAddress, res::kTextName, res::kMsgEnterAddressName, EnumWindowType::AddressName,
    &IDatabaseManager::GetLookupAddressName, &IDatabaseManager::GetPersonAddressByID,
    &IDatabaseManager::GetPersonAddressByName, &IDatabaseManager::UpdatePersonAddress,
    {{"IsHomeAddress", "IsWorkAddress"}},
    nullptr, 0, nullptr, nullptr, "PersonAddress"};

inline const ContactKind kEMailAddressKind{
    "EMailAddressForm", res::kTitleEMailAddress, res::kTextName, res::kMsgEnterEMailAddressName, EnumWindowType::EMailAddressName,
    &IDatabaseManager::GetLookupEMailAddressName, &IDatabaseManager::GetPersonEMailAddressByID,
    &IDatabaseManager::GetPersonEMailAddressByName, &IDatabaseManager::UpdatePersonEMailAddress,
    {{"IsPersonalEMailAddress", "IsWorkEMailAddress"}},
    "EMailAddress", res::kLabelEMailAddress, "lblEMailAddress", "txtEMailAddress", "PersonEMailAddress"};

inline const ContactKind kPhoneNumberKind{
    "PhoneNumberForm", res::kTitlePhoneNumber, res::kTextName, res::kMsgEnterPhoneNumberName, EnumWindowType::PhoneNumberName,
    &IDatabaseManager::GetLookupPhoneNumberName, &IDatabaseManager::GetPersonPhoneNumberByID,
    &IDatabaseManager::GetPersonPhoneNumberByName, &IDatabaseManager::UpdatePersonPhoneNumber,
    {{"IsHomePhoneNumber", "IsWorkPhoneNumber", "IsCellPhoneNumber", "IsFaxNumber"}},
    "PhoneNumber", res::kLabelPhoneNumber, "lblPhoneNumber", "txtPhoneNumber", "PersonPhoneNumber"};
// clang-format on

} // namespace amb::windows
