#pragma once

#include "windows/forms/member/PersonPart.h"

#include <QObject>

class QPlainTextEdit;
class QTabWidget;

namespace platform {
class Dictionary;
}

namespace amb::windows {

// The note page of tabMain: the person's note, in which Enter starts a new line instead of pressing
// the window's OK.
class PersonNotePage : public QObject {
public:
    // The note is created on a page of `pages`; `ok` is the window's OK button.
    PersonNotePage(QTabWidget* pages, const WindowSupport& support, QPushButton* ok);

    QWidget* Page() const { return m_page; }
    void SetCaptions(QTabWidget* pages, int page);
    void SetEnabled(bool enabled);
    void Load(const PersonField& field);
    void Enter(platform::Dictionary& record) const;

private:
    void txtNote_GotFocus();
    void txtNote_LostFocus();

    const WindowSupport& m_support;
    QPushButton* m_ok;
    QPlainTextEdit* txtNote = nullptr;
    QWidget* m_page = nullptr;
};

} // namespace amb::windows
