#include "windows/forms/lists/LookupKinds.h"

#include <array>

namespace amb::windows {

namespace {

using DB = IDatabaseManager;

#define AMB_LOOKUP_KIND(Type, L, flagged)                                                                              \
    LookupKind {                                                                                                       \
        EnumWindowType::Type, &DB::GetLookup##L, &DB::Get##L##ByID, &DB::Get##L##ByName, &DB::Update##L,               \
            &DB::Delete##L, #L, flagged                                                                                \
    }

const std::array<LookupKind, 14> kKinds = {{
    AMB_LOOKUP_KIND(AddressName, AddressName, true),
    AMB_LOOKUP_KIND(OfferingTypeName, OfferingTypeName, false),
    AMB_LOOKUP_KIND(EMailAddressName, EMailAddressName, true),
    AMB_LOOKUP_KIND(ExpenseTypeName, ExpenseTypeName, false),
    AMB_LOOKUP_KIND(FamilyRelationshipName, FamilyRelationshipName, false),
    AMB_LOOKUP_KIND(GroupPositionName, GroupPositionName, false),
    AMB_LOOKUP_KIND(GroupType, GroupType, false),
    AMB_LOOKUP_KIND(MaritalStatus, MaritalStatus, false),
    AMB_LOOKUP_KIND(MemberClassification, MemberClassification, false),
    AMB_LOOKUP_KIND(MemberStatus, MemberStatus, false),
    AMB_LOOKUP_KIND(MemberTitle, PersonTitleName, false),
    AMB_LOOKUP_KIND(PhoneNumberName, PhoneNumberName, true),
    {EnumWindowType::State, nullptr, nullptr, nullptr, nullptr, nullptr, "", false},
    {EnumWindowType::User, nullptr, nullptr, nullptr, nullptr, &DB::DeleteUser, "Username", false},
}};

#undef AMB_LOOKUP_KIND

} // namespace

const LookupKind* FindLookupKind(EnumWindowType type) {
    for (const LookupKind& kind : kKinds)
        if (kind.type == type)
            return &kind;
    return nullptr;
}

} // namespace amb::windows
