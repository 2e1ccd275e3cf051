#pragma once

#include "contracts/Enums.h"
#include "contracts/IDatabaseManager.h"
#include "contracts/IWindowLoader.h"
#include "windows/forms/member/RecordListPart.h"

#include <array>
#include <cstdint>
#include <memory>

class QWidget;

namespace amb::windows {

class ContactForm;

// One list of the person window: its bit of the list mask, its page of tabMain, how it looks, and
// what its rows come from and open.
struct PersonList {
    int32_t bit;   // of MemberForm::ListMask
    int page;      // of tabMain, also the list's place in the order of filling
    int32_t title; // the page's title, also the list's accessible name
    RecordListShape shape;
    // The person's rows by the person's ID; nullptr for the offerings, read by the chosen type.
    platform::RecordsetPtr (IDatabaseManager::*read)(int32_t) = nullptr;
    // Deletes a row by its ID; nullptr: the list deletes nothing.
    int32_t (IDatabaseManager::*remove)(int32_t) = nullptr;
    // The window of a contact row (New, Edit); nullptr: not a contact list.
    std::unique_ptr<ContactForm> (*contactForm)(QWidget* owner) = nullptr;
    // The family or group window of a row, opened through the hub's loader, and the kind of window
    // from which a person window does not open it again.
    int32_t (IWindowLoader::*showWindow)(int32_t) = nullptr;
    EnumFamilyGroup notFrom = EnumFamilyGroup::None;
};

inline constexpr int kPersonListCount = 6;
// The note's page of tabMain follows the lists' pages.
inline constexpr int kNotePage = kPersonListCount;

// The six lists in the order in which they are configured and filled.
const std::array<PersonList, kPersonListCount>& PersonLists();

} // namespace amb::windows
