#pragma once

#include <cstdint>

// Ids of the interface texts in the string tables (<AppDir>/<lcid>/AmbResources.tsv), read through
// the hub's StringTable. One name per id; the ids themselves are fixed, the texts may change.
namespace amb::res {

// Command buttons
inline constexpr int32_t kCaptionOK = 1;
inline constexpr int32_t kCaptionClose = 2; // Cancel button of an existing record; must differ from kCaptionDone
inline constexpr int32_t kCaptionCancel = 3;
inline constexpr int32_t kCaptionApply = 4;
inline constexpr int32_t kCaptionBrowse = 5;
inline constexpr int32_t kCaptionDone = 6; // batch entry's Cancel button; compared with the button caption
inline constexpr int32_t kCaptionSave = 7; // OK of a new person: saves and keeps the window open
inline constexpr int32_t kCaptionNext = 9;
inline constexpr int32_t kCaptionPrint = 10;
inline constexpr int32_t kCaptionReset = 11;
inline constexpr int32_t kCaptionSearch = 12;
inline constexpr int32_t kCaptionSubmit = 13;
inline constexpr int32_t kCaptionClear = 14;
inline constexpr int32_t kCaptionPrevious = 15;
inline constexpr int32_t kCaptionFinish = 16;
inline constexpr int32_t kCaptionBackUpNow = 17;
inline constexpr int32_t kCaptionPurge = 18;
inline constexpr int32_t kCaptionClearSearch = 19;
inline constexpr int32_t kCaptionClearTrace = 20;
inline constexpr int32_t kCaptionClearLog = 21;

// Main window menus (named after their menu entries)
inline constexpr int32_t kMenuHelpAbout = 22;
inline constexpr int32_t kMenuToolsLookUpAddressName = 23;
inline constexpr int32_t kMenuFileChangePassword = 24;
inline constexpr int32_t kMenuFileDelete = 25;
inline constexpr int32_t kMenuToolsLookUpEMailAddressName = 26;
inline constexpr int32_t kMenuFileExit = 27;
inline constexpr int32_t kMenuFileNewFamily = 28;
inline constexpr int32_t kMenuFile = 29;
inline constexpr int32_t kMenuToolsLookUpGroupType = 30;
inline constexpr int32_t kMenuFileNewGroup = 31;
inline constexpr int32_t kMenuHelp = 32;
inline constexpr int32_t kMenuFileLogIn = 33;
inline constexpr int32_t kMenuFileLogOut = 34;
inline constexpr int32_t kMenuToolsLookUp = 35;
inline constexpr int32_t kMenuToolsLookUpMaritalStatus = 36;
inline constexpr int32_t kMenuToolsLookUpClassification = 37;
inline constexpr int32_t kMenuToolsLookUpStatus = 38;
inline constexpr int32_t kMenuFileNewMember = 39;
inline constexpr int32_t kMenuFileNew = 40;
inline constexpr int32_t kMenuFileNewOffering = 42;
inline constexpr int32_t kMenuFileNewExpense = 43;
inline constexpr int32_t kMenuToolsLookUpExpenseType = 44;
inline constexpr int32_t kMenuToolsLookUpOfferingType = 45;
inline constexpr int32_t kMenuFileOpen = 46;
inline constexpr int32_t kMenuToolsLookUpPhoneNumberName = 47;
inline constexpr int32_t kMenuToolsLookUpPosition = 48;
inline constexpr int32_t kMenuViewRefresh = 49;
inline constexpr int32_t kMenuToolsLookUpRelationship = 50;
inline constexpr int32_t kMenuToolsReport = 51;
inline constexpr int32_t kMenuFilePrint = 52;
inline constexpr int32_t kMenuViewStatusBar = 54;
inline constexpr int32_t kMenuToolsLookUpTitle = 55;
inline constexpr int32_t kMenuViewToolbar = 56;
inline constexpr int32_t kMenuTools = 57;
inline constexpr int32_t kMenuToolsUser = 58;
inline constexpr int32_t kMenuView = 59;
inline constexpr int32_t kMenuToolsOptions = 60;
inline constexpr int32_t kMenuHelpContents = 61;

// Toolbar buttons, their drop-down entries and tooltips
inline constexpr int32_t kToolDelete = 62;
inline constexpr int32_t kToolLogInOut = 63;
inline constexpr int32_t kToolNew = 64;
inline constexpr int32_t kToolNewFamily = 65;
inline constexpr int32_t kToolNewGroup = 66;
inline constexpr int32_t kToolNewMember = 67;
inline constexpr int32_t kToolNewOffering = 68;
inline constexpr int32_t kToolNewExpense = 69;
inline constexpr int32_t kToolOpen = 70; // also the Edit tooltip of the list toolbars
inline constexpr int32_t kToolReport = 71;
inline constexpr int32_t kToolPrint = 72;
inline constexpr int32_t kToolSetHeadOfFamily = 73;
inline constexpr int32_t kToolSetHeadOfGroup = 74;
inline constexpr int32_t kToolSendEMail = 75;

// List column headers
inline constexpr int32_t kColumnAddress = 76;
inline constexpr int32_t kColumnAmount = 77;
inline constexpr int32_t kColumnDate = 78;
inline constexpr int32_t kColumnLastLogIn = 79;
inline constexpr int32_t kColumnDateOfBirth = 80;
inline constexpr int32_t kColumnEMailAddress = 81;
inline constexpr int32_t kColumnEnabled = 82;
inline constexpr int32_t kColumnEnvelopeCode = 83;
inline constexpr int32_t kColumnFamily = 84;
inline constexpr int32_t kColumnGroup = 86;
inline constexpr int32_t kColumnGroupType = 87;
inline constexpr int32_t kColumnHeadOfFamily = 88;
inline constexpr int32_t kColumnHeadOfGroup = 89;
inline constexpr int32_t kColumnName = 91;
inline constexpr int32_t kColumnPhoneNumber = 92;
inline constexpr int32_t kColumnPosition = 93;
inline constexpr int32_t kColumnRelationship = 94;
inline constexpr int32_t kColumnSex = 95;
inline constexpr int32_t kColumnStatus = 96;
inline constexpr int32_t kColumnType = 97;
inline constexpr int32_t kColumnUserName = 98;
inline constexpr int32_t kColumnAdministrator = 102;
inline constexpr int32_t kColumnMember = 104;

// Option buttons, check boxes and tabs of the editing windows
inline constexpr int32_t kOptionExistingMember = 106;
inline constexpr int32_t kOptionNewMember = 107;
inline constexpr int32_t kCheckBaptized = 110;
inline constexpr int32_t kOptionDefaultPrinter = 121;
inline constexpr int32_t kCheckEnabled = 124;
inline constexpr int32_t kOptionExportToFile = 131;
inline constexpr int32_t kCheckAdministrator = 183;
inline constexpr int32_t kTabGeneral = 184;
inline constexpr int32_t kTabLogTrace = 185;
inline constexpr int32_t kCheckBackUpAuto = 189;
inline constexpr int32_t kCheckTurnOnTrace = 191;
inline constexpr int32_t kCheckTurnOnLog = 192;
inline constexpr int32_t kTabRegional = 198;
inline constexpr int32_t kCheckIsMember = 201;

// Field labels (required ones get "*" appended, some ":"); several also serve as tab captions,
// tree nodes and list-file headers
inline constexpr int32_t kLabelAddress = 108;
inline constexpr int32_t kLabelAmount = 109;
inline constexpr int32_t kLabelBaptized = 111;
inline constexpr int32_t kLabelCityStateZip = 112;
inline constexpr int32_t kLabelCity = 113;
inline constexpr int32_t kLabelState = 114;
inline constexpr int32_t kLabelZipCode = 115;
inline constexpr int32_t kLabelClassification = 116;
inline constexpr int32_t kLabelAgeClassification = 117;
inline constexpr int32_t kLabelConfirmPassword = 118;
inline constexpr int32_t kLabelDate = 119;
inline constexpr int32_t kLabelDateRange = 120;
inline constexpr int32_t kLabelDateOfBirth = 122;
inline constexpr int32_t kLabelEMailAddress = 123;
inline constexpr int32_t kLabelEnvelopeCode = 126;
inline constexpr int32_t kLabelExpenseType = 127;
inline constexpr int32_t kLabelExpenses = 128;
inline constexpr int32_t kLabelExpensesAndOfferings = 129;
inline constexpr int32_t kLabelFamilyAndGroup = 133;
inline constexpr int32_t kLabelFileName = 134;
inline constexpr int32_t kLabelFileType = 135;
inline constexpr int32_t kLabelFirstName = 136;
inline constexpr int32_t kLabelGroupType = 138;
inline constexpr int32_t kLabelHeadOfFamily = 139;
inline constexpr int32_t kLabelHeadOfGroup = 140;
inline constexpr int32_t kLabelLanguageName = 142;
inline constexpr int32_t kLabelLastName = 143;
inline constexpr int32_t kLabelMaritalStatus = 144;
inline constexpr int32_t kLabelGroupMemberCount = 145;
inline constexpr int32_t kLabelFamilyMemberCount = 146;
inline constexpr int32_t kLabelMemberStatus = 149;
inline constexpr int32_t kLabelMiddleName = 150;
inline constexpr int32_t kLabelName = 151;
inline constexpr int32_t kLabelEnglishName = 152; // the name in parts, beside the language name
inline constexpr int32_t kLabelNewPassword = 153;
inline constexpr int32_t kLabelNote = 154;
inline constexpr int32_t kLabelOfferingType = 155;
inline constexpr int32_t kLabelOldPassword = 156;
inline constexpr int32_t kLabelPassword = 157;
inline constexpr int32_t kLabelPhoneNumber = 158;
inline constexpr int32_t kLabelLogInMessage = 159;
inline constexpr int32_t kLabelPosition = 160;
inline constexpr int32_t kLabelRelationship = 161;
inline constexpr int32_t kLabelReportOptions = 162;
inline constexpr int32_t kLabelSearch = 163;
inline constexpr int32_t kLabelReportDestinationDesc = 164;
inline constexpr int32_t kLabelReportTypeDesc = 165;
inline constexpr int32_t kLabelSex = 166;
inline constexpr int32_t kLabelStreetAddress1 = 167;
inline constexpr int32_t kLabelStreetAddress2 = 168;
inline constexpr int32_t kLabelSuffix = 169;
inline constexpr int32_t kLabelTitle = 170;
inline constexpr int32_t kLabelType = 171;
inline constexpr int32_t kLabelUser = 172;
inline constexpr int32_t kLabelFamilies = 173;
inline constexpr int32_t kLabelGroups = 174;
inline constexpr int32_t kLabelOfferings = 175;
inline constexpr int32_t kLabelUserName = 176;
inline constexpr int32_t kLabelMembers = 177;
inline constexpr int32_t kLabelOccupation = 178;
inline constexpr int32_t kLabelDescription = 180;
inline constexpr int32_t kLabelReport = 181;
inline constexpr int32_t kLabelDestination = 182;
inline constexpr int32_t kLabelAddressName = 187;
inline constexpr int32_t kLabelDateFormat = 194;
inline constexpr int32_t kLabelAddressFormat = 195;
inline constexpr int32_t kLabelLanguage = 199;
inline constexpr int32_t kLabelCompanyName = 200;
inline constexpr int32_t kLabelIsMember = 202;

// File dialog title of the report export
inline constexpr int32_t kTitleExportFile = 125;

// Headers of the tab-delimited list files
inline constexpr int32_t kHeaderFamily = 132;
inline constexpr int32_t kHeaderGroup = 137;
inline constexpr int32_t kHeaderAddress = 325;
inline constexpr int32_t kHeaderHomePhone = 329;
inline constexpr int32_t kHeaderCellPhone = 331;
inline constexpr int32_t kTextUnknownGiver = 332; // the giver of an offering without a person

// Messages (information boxes and Yes/No questions)
inline constexpr int32_t kMsgConfirmDelete = 203;
inline constexpr int32_t kMsgConfirmLogOut = 204;
inline constexpr int32_t kMsgConfirmExit = 205;
inline constexpr int32_t kMsgFamilyHeadNotDeletable = 206;
inline constexpr int32_t kMsgGroupHeadNotDeletable = 207;
inline constexpr int32_t kMsgInvalidLogIn = 208;
inline constexpr int32_t kMsgNoRecordFound = 209;
inline constexpr int32_t kMsgReportNoRecordSelected = 210;
inline constexpr int32_t kMsgPasswordChanged = 211;
inline constexpr int32_t kMsgEnterAmount = 212;
inline constexpr int32_t kMsgEnterCity = 213;
inline constexpr int32_t kMsgEnterConfirmPassword = 214;
inline constexpr int32_t kMsgEnterFirstName = 217;
inline constexpr int32_t kMsgEnterLastName = 218;
inline constexpr int32_t kMsgEnterName = 219;
inline constexpr int32_t kMsgEnterExpenseName = 220;
inline constexpr int32_t kMsgEnterNewPassword = 221;
inline constexpr int32_t kMsgEnterOldPassword = 222;
inline constexpr int32_t kMsgEnterPassword = 223;
inline constexpr int32_t kMsgEnterSearchText = 225;
inline constexpr int32_t kMsgSelectSex = 226;
inline constexpr int32_t kMsgEnterStreetAddress = 227;
inline constexpr int32_t kMsgEnterUserName = 228;
inline constexpr int32_t kMsgEnterZipCode = 229;
inline constexpr int32_t kMsgNewPasswordMismatch = 230;
inline constexpr int32_t kMsgPasswordMismatch = 231;
inline constexpr int32_t kMsgEnterAddressName = 232;
inline constexpr int32_t kMsgSelectExistingMember = 233;
inline constexpr int32_t kMsgEnterEMailAddressName = 236;
inline constexpr int32_t kMsgSelectFileType = 237;
inline constexpr int32_t kMsgSelectGroupType = 238;
inline constexpr int32_t kMsgSelectMemberStatus = 239;
inline constexpr int32_t kMsgSelectOfferingType = 241;
inline constexpr int32_t kMsgSelectExpenseType = 242;
inline constexpr int32_t kMsgEnterPhoneNumberName = 243;
inline constexpr int32_t kMsgSelectState = 244;
inline constexpr int32_t kMsgStartDateAfterEndDate = 248;
inline constexpr int32_t kMsgReportSystemError = 250;
inline constexpr int32_t kMsgReportFileNotFound = 251;
inline constexpr int32_t kMsgReportNotAllowed = 252;
inline constexpr int32_t kMsgAmountNotNumeric = 253;
inline constexpr int32_t kMsgNameExists = 254;
inline constexpr int32_t kMsgRecordNotFound = 255;
inline constexpr int32_t kMsgSaveFailed = 256;
inline constexpr int32_t kMsgAlreadyMember = 257;
inline constexpr int32_t kMsgSelectReport = 259;
inline constexpr int32_t kMsgFolderNotWritable = 299; // report window: the export folder is missing or read-only
inline constexpr int32_t kMsgBatchRowsNotSaved = 300; // batch window: Yes/No before dropping waiting rows
inline constexpr int32_t kMsgEntryNotAdded = 364;     // batch entry window: Yes/No before dropping a typed entry
inline constexpr int32_t kMsgFileNameNeeded = 340;    // report window: export without a file name
inline constexpr int32_t kMsgEnterAddress = 260;
inline constexpr int32_t kMsgLanguageNextStart = 261;
inline constexpr int32_t kMsgEnterCompanyName = 262;
inline constexpr int32_t kMsgConfirmPurge = 333;
inline constexpr int32_t kMsgBackUpFailed = 334;
inline constexpr int32_t kMsgOptionsNotSaved = 335;
inline constexpr int32_t kMsgLastAdministrator = 336;
inline constexpr int32_t kMsgPurgeDone = 337;
inline constexpr int32_t kMsgPurgeFailed = 338;
inline constexpr int32_t kMsgClearFileFailed = 339;
inline constexpr int32_t kMsgAmountOutOfRange = 341;   // an amount beyond what the database stores
inline constexpr int32_t kMsgAmountDecimals = 342;     // an amount typed with more than two decimals
inline constexpr int32_t kMsgChangedElsewhere = 344;   // the record changed in another program since it was read
inline constexpr int32_t kMsgDatabaseLocked = 345;     // another program holds the database
inline constexpr int32_t kMsgDiskFull = 346;           // disk full or database read-only
inline constexpr int32_t kMsgTextTooLong = 347;        // %1 = the field whose text is too long
inline constexpr int32_t kMsgRecordGone = 348;         // the record was deleted elsewhere
inline constexpr int32_t kMsgNoPrinter = 349;          // printing without a printer set up
inline constexpr int32_t kMsgNoPrinterPrintOnly = 378; // the same, for a report that no window exports
inline constexpr int32_t kMsgPagesPastEnd = 383;       // %1 = the report's last page: the dialog asked for more
inline constexpr int32_t kMsgReportDiskFull = 385;     // the report file's disk is full; its folder follows
inline constexpr int32_t kMsgNoPageOfSet = 386;        // %1 = the pages chosen, none of them odd (or even) as asked
inline constexpr int32_t kMsgLabelsCut = 365;          // %1 = how many labels were cut; Log.txt names them
inline constexpr int32_t kMsgWrongPassword = 350;      // change-password window: wrong current password
inline constexpr int32_t kMsgCompactFailed = 351;      // purge done, compaction failed of no known cause
inline constexpr int32_t kMsgCompactBusy = 370;        // purge done, compaction failed: the database is in use
inline constexpr int32_t kMsgCompactDamaged = 371;     // purge done, compaction failed: the file is damaged
inline constexpr int32_t kMsgCompactDiskFull = 372;    // purge done, compaction failed: disk full or read-only
inline constexpr int32_t kMsgBackUpDamaged = 352;      // the backup's check found the database damaged
inline constexpr int32_t kMsgNotAmbrelDatabase = 353;  // %1 = db.mdb's path: empty, not SQLite or another schema
inline constexpr int32_t kMsgBackUpDiskFull = 354;     // %1 = the backup folder, whose disk is full
inline constexpr int32_t kMsgBackUpFolder = 361;       // %1 = the backup folder: a file, or not writable
inline constexpr int32_t kMsgNewerDatabase = 360;      // %1 = db.mdb's path: made by a newer version of Ambrel
inline constexpr int32_t kMsgNotADate = 359;           // %1 = the date box showing a text that is not a date
inline constexpr int32_t kMsgDatabaseDamaged = 367;   // the file is damaged or cannot be read: ambrel-fixdb or a backup
inline constexpr int32_t kMsgCountsUnreadable = 368;  // %1 = db.mdb's path: the start-up could not read the counts
inline constexpr int32_t kMsgDatabaseBusyRead = 369;  // another program holds the database, so a read failed
inline constexpr int32_t kMsgFamilyGroupGone = 373;   // the family or group was deleted elsewhere: nobody joins it
inline constexpr int32_t kMsgMemberNotLinked = 374;   // %1 = why a saved new person did not join the family or group
inline constexpr int32_t kMsgAddressNotCopied = 384;  // %1 = why a new member did not take the family's address
inline constexpr int32_t kMsgHeadWithoutFamily = 390; // %1 = why a saved new head's family or group was not made
inline constexpr int32_t kMsgSavedListUnreadable = 375; // saved, but the list read again after it failed: damaged file
inline constexpr int32_t kMsgSavedListBusy = 387;       // the same: another program holds the database
inline constexpr int32_t kMsgSavedListDiskFull = 388;   // the same: disk full, or the file or its folder read-only
inline constexpr int32_t kMsgSavedListOther = 389;      // the same, of no known cause: Log.txt says why
inline constexpr int32_t kMsgHelpNotShown = 376; // %1 = the help file: missing, or no program of the desktop shows it
inline constexpr int32_t kMsgPurgeLocked = 377;  // another program holds the database, so the purge deleted nothing
// Why a saved new person did not join the family or group, or take its address: the cause sentence
// of kMsgMemberNotLinked, kMsgAddressNotCopied and kMsgHeadWithoutFamily
inline constexpr int32_t kCauseDatabaseInUse = 379;
inline constexpr int32_t kCauseDiskFull = 380;
inline constexpr int32_t kCauseDamaged = 381;
inline constexpr int32_t kCauseOther = 382;

// Words and values that the code composes or compares
inline constexpr int32_t kTextAddressFormatFree = 196; // address-format entries, selected by their text
inline constexpr int32_t kTextAddressFormatUS = 197;
inline constexpr int32_t kTextNew = 263; // caption prefix: kTextNew + " " + record word
inline constexpr int32_t kTextNo = 266;  // report combo entries and user list; compared with the combo text
inline constexpr int32_t kTextYes = 267;
inline constexpr int32_t kTextIsMemberNo = 268; // membership column of person lists
inline constexpr int32_t kTextIsMemberYes = 269;
inline constexpr int32_t kStatusWaiting = 270; // batch row states, compared by text
inline constexpr int32_t kStatusSubmitted = 271;
inline constexpr int32_t kStatusInvalid = 272;
// The kind of a contact row (home, work): its window's label and the second word of the kind-list titles
// ("Address" + " " + "Name")
inline constexpr int32_t kTextName = 274;
inline constexpr int32_t kTextBirthday = 275;
inline constexpr int32_t kTextAnniversary = 276;
inline constexpr int32_t kLanguageEnglish = 277; // display names of the interface languages
inline constexpr int32_t kLanguageKorean = 278;
inline constexpr int32_t kLocaleEnglish = 279;  // "1033": folder name and locale id, compared exactly
inline constexpr int32_t kLocaleKorean = 280;   // "1042"
inline constexpr int32_t kTextAllEntries = 366; // how a list shows its "all" entry (id -999, stored as '<All>')

// Window captions, headings and record words
inline constexpr int32_t kTitleAbout = 281;
inline constexpr int32_t kTitleAddress = 283;
inline constexpr int32_t kTitleBatchOffering = 284;
inline constexpr int32_t kTitleBatchExpense = 285;
inline constexpr int32_t kTitleChangePassword = 286;
inline constexpr int32_t kTitleEMailAddress = 287;
inline constexpr int32_t kTitleFamily = 288;
inline constexpr int32_t kTitleGroup = 289;
inline constexpr int32_t kTitleList = 290; // list title + " " + kTitleList
inline constexpr int32_t kTitleLogIn = 291;
inline constexpr int32_t kTitleMember = 292;
inline constexpr int32_t kTitleOffering = 293;
inline constexpr int32_t kTitleExpense = 294;
inline constexpr int32_t kTitlePhoneNumber = 295;
inline constexpr int32_t kTitleReport = 296;
inline constexpr int32_t kTitleSearch = 297;
inline constexpr int32_t kTitleUser = 298;
inline constexpr int32_t kTitleNewFamily = 304;
inline constexpr int32_t kTitleNewGroup = 305;
inline constexpr int32_t kTitleNewMember = 306;
inline constexpr int32_t kTitleOptions = 307;
inline constexpr int32_t kTitleCompanyName = 308;

// Banner descriptions of the windows
inline constexpr int32_t kDescNewFamily = 310;
inline constexpr int32_t kDescNewGroup = 311;
inline constexpr int32_t kDescAddMember = 312;
inline constexpr int32_t kDescBatchOffering = 313;
inline constexpr int32_t kDescBatchExpense = 314;
inline constexpr int32_t kDescChangePassword = 315;
inline constexpr int32_t kDescLogIn = 316;
inline constexpr int32_t kDescOffering = 317;
inline constexpr int32_t kDescExpense = 318;
inline constexpr int32_t kDescReport = 319;
inline constexpr int32_t kDescSearch = 320;
inline constexpr int32_t kDescRecordTemplate = 321; // every "?" is replaced by the record word
inline constexpr int32_t kDescListTemplate = 322;   // every "?" is replaced by the list title
inline constexpr int32_t kDescOptions = 323;
inline constexpr int32_t kDescCompanyName = 324;

// Main window and About window
inline constexpr int32_t kLabelSearchBand = 326; // caption of the search band
inline constexpr int32_t kTextItemCount = 327;   // status bar: "%1" is the number of listed records
inline constexpr int32_t kButtonMore = 328;      // About window
inline constexpr int32_t kButtonClose = 330;     // About window

// A date range: the labels of its two dates
inline constexpr int32_t kLabelRangeFrom = 357;
inline constexpr int32_t kLabelRangeTo = 358;

// Reports
inline constexpr int32_t kTextContinued = 355; // a group header repeated on a new page

// Report window: the export types
inline constexpr int32_t kTextRtfType = 362;
inline constexpr int32_t kTextPdfType = 363;

// Range of ids that the hub loads
inline constexpr int32_t kFirstId = 1;
inline constexpr int32_t kLastId = 390;

} // namespace amb::res
