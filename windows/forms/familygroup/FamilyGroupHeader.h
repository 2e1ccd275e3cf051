#pragma once

#include <QObject>

class QGridLayout;
class QLabel;

namespace amb::windows {

struct FamilyGroupWindow;
class LinkLabel;

// The head of the family or group above the window's tabs: the head person's name, home address, home
// phone and personal e-mail address (a link that opens a new message), and the member count.
class FamilyGroupHeader : public QObject {
public:
    // The labels are controls of window.form.
    explicit FamilyGroupHeader(const FamilyGroupWindow& window);

    // Adds a row per detail, its label beside its value, to the window's fields from `row` on.
    void AddRows(QGridLayout& fields, int& row);
    void SetCaptions();
    // Empties every value, the member count too.
    void Clear();
    // Shows the current head's name and contact details (blank where there is none).
    void RefreshInformation();
    void SetMemberCount(int count);

private:
    void lblEMailAddress_Click();

    const FamilyGroupWindow& m_window;
    QLabel* lblHeadPersonLabel;
    QLabel* lblHeadPerson;
    QLabel* lblAddressLabel;
    QLabel* lblAddress;
    QLabel* lblPhoneNumberLabel;
    QLabel* lblPhoneNumber;
    QLabel* lblEMailAddressLabel;
    LinkLabel* lblEMailAddress;
    QLabel* lblMemberCountLabel;
    QLabel* lblMemberCount;
};

} // namespace amb::windows
