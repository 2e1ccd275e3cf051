#pragma once

#include <cstdint>

namespace amb {

enum class EnumSupportedLocaleID : int32_t {
    English = 1033,
    Korean = 1042,
};

enum class EnumDatabaseType : int32_t {
    MSAccess = 0,
    SQLServer = 1,
};

// Bits: 3 asks for both the blank and the "all" row.
enum class EnumLookupOption : int32_t {
    IncludeBlank = 1,
    IncludeAll = 2,
};

constexpr EnumLookupOption operator|(EnumLookupOption a, EnumLookupOption b) {
    return static_cast<EnumLookupOption>(static_cast<int32_t>(a) | static_cast<int32_t>(b));
}

constexpr bool HasOption(EnumLookupOption value, EnumLookupOption bit) {
    return (static_cast<int32_t>(value) & static_cast<int32_t>(bit)) != 0;
}

enum class EnumFamilyGroup : int32_t {
    None = 0,
    Family = 1,
    Group = 2,
};

enum class EnumWindowType : int32_t {
    AddressName = 0,
    OfferingTypeName = 1,
    EMailAddressName = 2,
    ExpenseTypeName = 3,
    FamilyRelationshipName = 4,
    GroupPositionName = 5,
    GroupType = 6,
    MaritalStatus = 7,
    MemberClassification = 8,
    MemberStatus = 9,
    MemberTitle = 10,
    PhoneNumberName = 11,
    State = 12,
    User = 13,
};

enum class EnumSearchWindowType : int32_t {
    FamilySearch = 0,
    GroupSearch = 1,
    PersonSearch = 2,
};

enum class EnumOfferingWindowType : int32_t {
    Individual = 0,
    Batch = 1,
};

// There is deliberately no 0: PrintReport answers 0 for a report name it does not know, and callers
// treat everything but Success as a failure.
enum class EnumReportError : int32_t {
    OperationNotAllowed = -4,
    NoReportFile = -3,
    SystemError = -2,
    NoRecordSelected = -1,
    Success = 1,
};

// Why the database manager refused its last call, beside the call's own result (which stays as it
// is). None: nothing was refused, or the refusal has no cause the user can act on (a wrong id, a
// rule of the data); Other: a failure of the database that none of the others names.
enum class EnumDatabaseFailure : int32_t {
    None = 0,
    Other = 1,
    ChangedElsewhere = 2, // the row differs from what the window read
    RecordGone = 3,       // the row was deleted or marked deleted after the window read it
    Locked = 4,           // another program held the database for longer than a save waits
    DiskFullOrReadOnly = 5,
    TextTooLong = 6, // the field is named by LastFailureField
    AmountOutOfRange = 7,
    WrongPassword = 8,
    AmountMissing = 9,     // an offering or expense without an amount
    AmountDecimals = 10,   // an amount whose digits beyond the fourth decimal storing would drop
    AmountNotANumber = 11, // an amount text that is no number
    Damaged = 12,          // the file is damaged or cannot be read (a read's I/O error)
    FamilyGroupGone = 13,  // the family or group a membership row names was deleted meanwhile
};

// Why the report printer's last print failed, beside its EnumReportError result.
enum class EnumReportFailure : int32_t {
    None = 0,
    NoPrinter = 1,          // no default printer is set up
    NoPrinterPrintOnly = 2, // the same, for a report that no window exports
    FileNotWritable = 3,    // the print dialog's or the export's file cannot be written; LastFailureDetail: its folder
    PagesPastEnd = 4,       // the print dialog asked for pages the report lacks; LastFailureDetail: its last page
    DiskFull = 5,           // the report file's disk is full; LastFailureDetail: its folder
    NoPageOfSet = 6,        // none of the pages chosen is of the page set chosen; LastFailureDetail: the pages
};

enum class EnumReportType : int32_t {
    BalanceSheet = 0,
    EnvelopCodeList = 1,
    ExpenseList = 2,
    ExpenseSummary = 3,
    FamilyContactList = 4,
    FamilyDetails = 5,
    GroupContactList = 6,
    GroupDetails = 7,
    MailingLabel = 8,
    MemberContactList = 9,
    MemberDetails = 10,
    OfferingList = 11,
    OfferingSummary = 12,
};

enum class EnumReportExportType : int32_t {
    RichTextFormatFile = 0,
    PortableDocFormatFile = 1,
    TabDelimitedFile = 2,
};

enum class EnumAddressFormat : int32_t {
    UnknownFormat = 0,
    USFormat = 1,
};

} // namespace amb
