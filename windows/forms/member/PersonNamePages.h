#pragma once

#include "windows/forms/member/PersonPart.h"

#include <QObject>

#include <optional>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace platform {
class Dictionary;
}

namespace amb::windows {

// The person's name on the two pages of tabName: in a name locale other than English the name as one
// text (txtLanguageName), and its parts (first, middle and last name, suffix). Only the page shown
// takes typing; the texts of both are kept and saved.
class PersonNamePages : public QObject {
public:
    // The boxes and pages are created in `area`.
    PersonNamePages(QWidget* area, const WindowSupport& support);

    QTabWidget* Tabs() const { return tabName; }
    void SetCaptions(bool english);
    // The page of the name locale shown (the one-text page hidden in English), and the cursor in the name.
    void ShowLocale(bool english);
    void Load(const PersonField& field);
    // The name the locale requires, when it is left empty.
    std::optional<MissingEntry> FirstMissing(bool english) const;
    // All five name fields, also those the name locale hides.
    void Enter(platform::Dictionary& record) const;
    // The person as the window's caption names them: "Last, First" in English, else the one text.
    QString CaptionName(bool english) const;

private:
    void tabName_Click();

    const WindowSupport& m_support;
    QLineEdit* txtLanguageName = nullptr;
    QLineEdit* txtFirstName = nullptr;
    QLineEdit* txtMiddleName = nullptr;
    QLineEdit* txtLastName = nullptr;
    QLineEdit* txtSuffix = nullptr;
    QLabel* lblLanguageName = nullptr;
    QLabel* lblFirstName = nullptr;
    QLabel* lblMiddleName = nullptr;
    QLabel* lblLastName = nullptr;
    QLabel* lblSuffix = nullptr;
    QTabWidget* tabName = nullptr;
};

} // namespace amb::windows
