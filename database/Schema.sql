-- The database of one congregation's office: people, families, groups, offerings, expenses, users,
-- the report catalogue and the look-up lists. Texts compare without regard to letter case (NOCASE),
-- dates are ISO text "YYYY-MM-DD HH:MM:SS", money is whole ten-thousandths (CURRENCY), Booleans 0/1.
-- Ids come from AUTOINCREMENT so an id is never given twice (envelope codes are built from it).

CREATE TABLE Person (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    LanguageName VARCHAR(255) COLLATE NOCASE,
    FirstName VARCHAR(255) COLLATE NOCASE,
    MiddleName VARCHAR(255) COLLATE NOCASE,
    LastName VARCHAR(255) COLLATE NOCASE,
    Title VARCHAR(255) COLLATE NOCASE,
    Suffix VARCHAR(255) COLLATE NOCASE,
    DOB DATETIME,
    SexID INTEGER DEFAULT 0,
    MaritalStatusID INTEGER DEFAULT 0,
    MemberStatusID INTEGER DEFAULT 0,
    MemberClassificationID INTEGER DEFAULT 0,
    DateMarried DATETIME,
    Occupation VARCHAR(255) COLLATE NOCASE,
    IsBaptized BOOLEAN NOT NULL DEFAULT 0,
    DateBaptized DATETIME,
    IsMember BOOLEAN NOT NULL DEFAULT 0,
    DateJoined DATETIME,
    Note TEXT COLLATE NOCASE,
    EnvelopCode VARCHAR(20) COLLATE NOCASE
);
CREATE INDEX PersonLastName ON Person (LastName COLLATE NOCASE);
CREATE INDEX PersonLanguageName ON Person (LanguageName COLLATE NOCASE);
CREATE INDEX PersonEnvelopCode ON Person (EnvelopCode COLLATE NOCASE);
CREATE INDEX PersonIsDeleted ON Person (IsDeleted);
CREATE INDEX PersonNameOrder ON Person (LanguageName, LastName, FirstName, MiddleName);
-- The month of a date is the two characters after the year: the month's lists read these indexes.
CREATE INDEX PersonBirthMonth ON Person (substr(DOB, 6, 2));
CREATE INDEX PersonMarriedMonth ON Person (substr(DateMarried, 6, 2));

CREATE TABLE PersonAddress (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    PersonID INTEGER DEFAULT 0,
    Name VARCHAR(255) COLLATE NOCASE,
    AddressPart1 VARCHAR(255) COLLATE NOCASE,
    AddressPart2 VARCHAR(255) COLLATE NOCASE,
    AddressPart3 VARCHAR(255) COLLATE NOCASE,
    AddressPart4 VARCHAR(255) COLLATE NOCASE,
    AddressPart5 VARCHAR(255) COLLATE NOCASE,
    IsHomeAddress BOOLEAN NOT NULL DEFAULT 0,
    IsWorkAddress BOOLEAN NOT NULL DEFAULT 0,
    Note TEXT COLLATE NOCASE
);
-- The contact indexes cover the lists' joins to a person's home address, personal e-mail, home and
-- cell phone: within one person and kind they run by id, so the first row of a kind is the first found.
CREATE INDEX PersonAddressPerson ON PersonAddress (PersonID, IsHomeAddress, ID, AddressPart1, AddressPart2,
    AddressPart3, AddressPart4, AddressPart5);

CREATE TABLE PersonPhoneNumber (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    PersonID INTEGER DEFAULT 0,
    Name VARCHAR(255) COLLATE NOCASE,
    PhoneNumber VARCHAR(255) COLLATE NOCASE,
    IsHomePhoneNumber BOOLEAN NOT NULL DEFAULT 0,
    IsWorkPhoneNumber BOOLEAN NOT NULL DEFAULT 0,
    IsCellPhoneNumber BOOLEAN NOT NULL DEFAULT 0,
    IsFaxNumber BOOLEAN NOT NULL DEFAULT 0,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX PersonPhoneNumberPerson ON PersonPhoneNumber (PersonID, IsHomePhoneNumber, ID, PhoneNumber);
CREATE INDEX PersonPhoneNumberCell ON PersonPhoneNumber (PersonID, IsCellPhoneNumber, ID, PhoneNumber);

CREATE TABLE PersonEMailAddress (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    PersonID INTEGER DEFAULT 0,
    Name VARCHAR(255) COLLATE NOCASE,
    EMailAddress VARCHAR(255) COLLATE NOCASE,
    IsPersonalEMailAddress BOOLEAN NOT NULL DEFAULT 0,
    IsWorkEMailAddress BOOLEAN NOT NULL DEFAULT 0,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX PersonEMailAddressPerson ON PersonEMailAddress (PersonID, IsPersonalEMailAddress, ID, EMailAddress);

CREATE TABLE Family (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    Name VARCHAR(255) COLLATE NOCASE,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX FamilyName ON Family (Name COLLATE NOCASE);

CREATE TABLE "Group" (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    GroupTypeID INTEGER DEFAULT 0,
    Name VARCHAR(255) COLLATE NOCASE,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX GroupName ON "Group" (Name COLLATE NOCASE);
CREATE INDEX GroupGroupType ON "Group" (GroupTypeID);

CREATE TABLE PersonToFamily (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    PersonID INTEGER DEFAULT 0,
    FamilyID INTEGER DEFAULT 0,
    IsHeadOfFamily BOOLEAN NOT NULL DEFAULT 0,
    Relationship VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX PersonToFamilyFamily ON PersonToFamily (FamilyID, IsHeadOfFamily);
CREATE INDEX PersonToFamilyPerson ON PersonToFamily (PersonID, IsHeadOfFamily);
CREATE INDEX PersonToFamilyHead ON PersonToFamily (IsHeadOfFamily);

CREATE TABLE PersonToGroup (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    PersonID INTEGER DEFAULT 0,
    GroupID INTEGER DEFAULT 0,
    IsHeadOfGroup BOOLEAN NOT NULL DEFAULT 0,
    "Position" VARCHAR(255) COLLATE NOCASE
);
CREATE INDEX PersonToGroupGroup ON PersonToGroup (GroupID, IsHeadOfGroup);
CREATE INDEX PersonToGroupPerson ON PersonToGroup (PersonID, IsHeadOfGroup);
CREATE INDEX PersonToGroupHead ON PersonToGroup (IsHeadOfGroup);

CREATE TABLE PersonOffering (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    UserID INTEGER DEFAULT 0,
    PersonID INTEGER DEFAULT 0,
    OfferingDate DATETIME,
    OfferingTypeID INTEGER DEFAULT 0,
    Amount CURRENCY DEFAULT 0,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX PersonOfferingDate ON PersonOffering (OfferingDate);
-- Covers the balance sheet's daily offering totals.
CREATE INDEX PersonOfferingDay ON PersonOffering (OfferingDate, OfferingTypeID, Amount);
CREATE INDEX PersonOfferingPerson ON PersonOffering (PersonID, OfferingTypeID, OfferingDate);

CREATE TABLE Expense (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    UserID INTEGER DEFAULT 0,
    ExpenseName VARCHAR(255) COLLATE NOCASE,
    ExpenseDate DATETIME,
    ExpenseTypeID INTEGER DEFAULT 0,
    Amount CURRENCY DEFAULT 0,
    Note TEXT COLLATE NOCASE
);
CREATE INDEX ExpenseDate ON Expense (ExpenseDate);
CREATE INDEX ExpenseType ON Expense (ExpenseTypeID);

CREATE TABLE "User" (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    DateEntered DATETIME,
    DateUpdated DATETIME,
    Name VARCHAR(255) COLLATE NOCASE,
    EMailAddress VARCHAR(255) COLLATE NOCASE,
    Username VARCHAR(255) COLLATE NOCASE,
    Password VARCHAR(255),
    IsAdmin BOOLEAN NOT NULL DEFAULT 0,
    IsEnabled BOOLEAN NOT NULL DEFAULT 0,
    DateLogin DATETIME
);
CREATE INDEX UserUsername ON "User" (Username COLLATE NOCASE);

CREATE TABLE Report (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Report VARCHAR(255) COLLATE NOCASE,
    InternalName VARCHAR(255),
    FileName VARCHAR(255),
    OptionIndex INTEGER DEFAULT 0,
    IsMailingLabel BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX ReportInternalName ON Report (InternalName);

-- Look-up lists: the name column is named like its table.
CREATE TABLE AddressName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    AddressName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0,
    IsUpdatable BOOLEAN NOT NULL DEFAULT 1
);
CREATE INDEX AddressNameName ON AddressName (AddressName COLLATE NOCASE);
CREATE TABLE PhoneNumberName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    PhoneNumberName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0,
    IsUpdatable BOOLEAN NOT NULL DEFAULT 1
);
CREATE INDEX PhoneNumberNameName ON PhoneNumberName (PhoneNumberName COLLATE NOCASE);
CREATE TABLE EMailAddressName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    EMailAddressName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0,
    IsUpdatable BOOLEAN NOT NULL DEFAULT 1
);
CREATE INDEX EMailAddressNameName ON EMailAddressName (EMailAddressName COLLATE NOCASE);
CREATE TABLE MaritalStatus (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    MaritalStatus VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0,
    DateAllowed BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX MaritalStatusName ON MaritalStatus (MaritalStatus COLLATE NOCASE);
CREATE TABLE OfferingTypeName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    OfferingTypeName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX OfferingTypeNameName ON OfferingTypeName (OfferingTypeName COLLATE NOCASE);
CREATE TABLE ExpenseTypeName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    ExpenseTypeName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX ExpenseTypeNameName ON ExpenseTypeName (ExpenseTypeName COLLATE NOCASE);
CREATE TABLE FamilyRelationshipName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    FamilyRelationshipName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX FamilyRelationshipNameName ON FamilyRelationshipName (FamilyRelationshipName COLLATE NOCASE);
CREATE TABLE GroupPositionName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    GroupPositionName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX GroupPositionNameName ON GroupPositionName (GroupPositionName COLLATE NOCASE);
CREATE TABLE GroupType (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    GroupType VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX GroupTypeName ON GroupType (GroupType COLLATE NOCASE);
CREATE TABLE MemberClassification (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    MemberClassification VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX MemberClassificationName ON MemberClassification (MemberClassification COLLATE NOCASE);
CREATE TABLE MemberStatus (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    MemberStatus VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX MemberStatusName ON MemberStatus (MemberStatus COLLATE NOCASE);
CREATE TABLE PersonTitleName (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    PersonTitleName VARCHAR(255) COLLATE NOCASE,
    IsDeleted BOOLEAN NOT NULL DEFAULT 0,
    DateDeleted DATETIME,
    OrderIndex INTEGER DEFAULT 0
);
CREATE INDEX PersonTitleNameName ON PersonTitleName (PersonTitleName COLLATE NOCASE);

-- Fixed lists, read by id and name only.
CREATE TABLE Sex (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Sex VARCHAR(255) COLLATE NOCASE
);
CREATE TABLE State (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    State VARCHAR(255) COLLATE NOCASE
);

-- Seed rows. The built-in contact kinds keep their ids (home, work; home, work, cell, fax;
-- personal, work) and cannot be deleted; marital status 2 is "Married".
INSERT INTO AddressName (ID, AddressName, OrderIndex, IsUpdatable) VALUES
    (1, 'Home', 0, 0), (2, 'Work', 0, 0), (3, 'Other', 0, 1);
INSERT INTO PhoneNumberName (ID, PhoneNumberName, OrderIndex, IsUpdatable) VALUES
    (1, 'Home', 0, 0), (2, 'Work', 0, 0), (3, 'Cell', 0, 0), (4, 'Fax', 0, 0), (5, 'Other', 0, 1);
INSERT INTO EMailAddressName (ID, EMailAddressName, OrderIndex, IsUpdatable) VALUES
    (1, 'Personal', 0, 0), (2, 'Work', 0, 0), (3, 'Other', 0, 1);
INSERT INTO MaritalStatus (ID, MaritalStatus, DateAllowed) VALUES
    (1, 'Single', 0), (2, 'Married', 1), (3, 'Divorced', 0), (4, 'Widowed', 1);
INSERT INTO OfferingTypeName (ID, OfferingTypeName) VALUES
    (1, 'Tithe'), (2, 'Sunday Offering'), (3, 'Thanksgiving'), (4, 'Mission'), (5, 'Building Fund'),
    (6, 'Special');
INSERT INTO ExpenseTypeName (ID, ExpenseTypeName) VALUES
    (1, 'Salaries'), (2, 'Utilities'), (3, 'Rent'), (4, 'Mission'), (5, 'Supplies'), (6, 'Maintenance'),
    (7, 'Other');
INSERT INTO FamilyRelationshipName (ID, FamilyRelationshipName) VALUES
    (1, 'Head'), (2, 'Spouse'), (3, 'Son'), (4, 'Daughter'), (5, 'Father'), (6, 'Mother'), (7, 'Grandchild'),
    (8, 'Relative'), (9, 'Other');
INSERT INTO GroupPositionName (ID, GroupPositionName) VALUES
    (1, 'Leader'), (2, 'Assistant Leader'), (3, 'Secretary'), (4, 'Treasurer'), (5, 'Member');
INSERT INTO GroupType (ID, GroupType) VALUES
    (1, 'Cell Group'), (2, 'Choir'), (3, 'Committee'), (4, 'Ministry'), (5, 'Bible Study');
INSERT INTO MemberClassification (ID, MemberClassification) VALUES
    (1, 'Adult'), (2, 'Young Adult'), (3, 'Youth'), (4, 'Child');
INSERT INTO MemberStatus (ID, MemberStatus) VALUES
    (1, 'Active'), (2, 'Inactive'), (3, 'Visitor'), (4, 'Transferred');
INSERT INTO PersonTitleName (ID, PersonTitleName) VALUES
    (1, 'Mr.'), (2, 'Mrs.'), (3, 'Ms.'), (4, 'Miss'), (5, 'Dr.'), (6, 'Rev.'), (7, 'Elder'), (8, 'Deacon');
INSERT INTO Sex (ID, Sex) VALUES (1, 'Male'), (2, 'Female');
INSERT INTO State (State) VALUES
    ('AK'), ('AL'), ('AR'), ('AZ'), ('CA'), ('CO'), ('CT'), ('DC'), ('DE'), ('FL'), ('GA'), ('HI'), ('IA'),
    ('ID'), ('IL'), ('IN'), ('KS'), ('KY'), ('LA'), ('MA'), ('MD'), ('ME'), ('MI'), ('MN'), ('MO'), ('MS'),
    ('MT'), ('NC'), ('ND'), ('NE'), ('NH'), ('NJ'), ('NM'), ('NV'), ('NY'), ('OH'), ('OK'), ('OR'), ('PA'),
    ('RI'), ('SC'), ('SD'), ('TN'), ('TX'), ('UT'), ('VA'), ('VT'), ('WA'), ('WI'), ('WV'), ('WY');

-- The Report table's rows are written from the report catalogue (common/ReportCatalogue.h) when a
-- database is created, named in the installation's language.

PRAGMA user_version = 1;
