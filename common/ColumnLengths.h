#pragma once

#include <string_view>

namespace amb {

// How many characters each text column of the database holds, so that a box stops where its column
// does instead of the save failing. The schema is what counts: a test checks this table against the
// declared types of a new database, both ways.
struct ColumnLength {
    std::string_view table;
    std::string_view column;
    int length = 0;
};

// A TEXT column (the notes).
inline constexpr int kMemoLength = 65535;

inline constexpr ColumnLength kColumnLengths[] = {
    {.table = "Person", .column = "LanguageName", .length = 255},
    {.table = "Person", .column = "FirstName", .length = 255},
    {.table = "Person", .column = "MiddleName", .length = 255},
    {.table = "Person", .column = "LastName", .length = 255},
    {.table = "Person", .column = "Title", .length = 255},
    {.table = "Person", .column = "Suffix", .length = 255},
    {.table = "Person", .column = "Occupation", .length = 255},
    {.table = "Person", .column = "Note", .length = kMemoLength},
    {.table = "Person", .column = "EnvelopCode", .length = 20},
    {.table = "PersonAddress", .column = "Name", .length = 255},
    {.table = "PersonAddress", .column = "AddressPart1", .length = 255},
    {.table = "PersonAddress", .column = "AddressPart2", .length = 255},
    {.table = "PersonAddress", .column = "AddressPart3", .length = 255},
    {.table = "PersonAddress", .column = "AddressPart4", .length = 255},
    {.table = "PersonAddress", .column = "AddressPart5", .length = 255},
    {.table = "PersonAddress", .column = "Note", .length = kMemoLength},
    {.table = "PersonPhoneNumber", .column = "Name", .length = 255},
    {.table = "PersonPhoneNumber", .column = "PhoneNumber", .length = 255},
    {.table = "PersonPhoneNumber", .column = "Note", .length = kMemoLength},
    {.table = "PersonEMailAddress", .column = "Name", .length = 255},
    {.table = "PersonEMailAddress", .column = "EMailAddress", .length = 255},
    {.table = "PersonEMailAddress", .column = "Note", .length = kMemoLength},
    {.table = "Family", .column = "Name", .length = 255},
    {.table = "Family", .column = "Note", .length = kMemoLength},
    {.table = "Group", .column = "Name", .length = 255},
    {.table = "Group", .column = "Note", .length = kMemoLength},
    {.table = "PersonToFamily", .column = "Relationship", .length = 255},
    {.table = "PersonToGroup", .column = "Position", .length = 255},
    {.table = "PersonOffering", .column = "Note", .length = kMemoLength},
    {.table = "Expense", .column = "ExpenseName", .length = 255},
    {.table = "Expense", .column = "Note", .length = kMemoLength},
    {.table = "User", .column = "Name", .length = 255},
    {.table = "User", .column = "EMailAddress", .length = 255},
    {.table = "User", .column = "Username", .length = 255},
    {.table = "User", .column = "Password", .length = 255},
    {.table = "Report", .column = "Report", .length = 255},
    {.table = "Report", .column = "InternalName", .length = 255},
    {.table = "Report", .column = "FileName", .length = 255},
    {.table = "AddressName", .column = "AddressName", .length = 255},
    {.table = "PhoneNumberName", .column = "PhoneNumberName", .length = 255},
    {.table = "EMailAddressName", .column = "EMailAddressName", .length = 255},
    {.table = "MaritalStatus", .column = "MaritalStatus", .length = 255},
    {.table = "OfferingTypeName", .column = "OfferingTypeName", .length = 255},
    {.table = "ExpenseTypeName", .column = "ExpenseTypeName", .length = 255},
    {.table = "FamilyRelationshipName", .column = "FamilyRelationshipName", .length = 255},
    {.table = "GroupPositionName", .column = "GroupPositionName", .length = 255},
    {.table = "GroupType", .column = "GroupType", .length = 255},
    {.table = "MemberClassification", .column = "MemberClassification", .length = 255},
    {.table = "MemberStatus", .column = "MemberStatus", .length = 255},
    {.table = "PersonTitleName", .column = "PersonTitleName", .length = 255},
    {.table = "Sex", .column = "Sex", .length = 255},
    {.table = "State", .column = "State", .length = 255},
};

// The column's length; 0 for a column that is not in the table.
constexpr int DeclaredLength(std::string_view table, std::string_view column) {
    for (const ColumnLength& c : kColumnLengths) {
        if (c.table == table && c.column == column)
            return c.length;
    }
    return 0;
}

// The same, for a column named in code: a name that is not a text column of the schema does not compile.
consteval int TextLimit(std::string_view table, std::string_view column) {
    const int length = DeclaredLength(table, column);
    if (length == 0)
        throw "not a text column of the schema";
    return length;
}

} // namespace amb
