#pragma once

#include "windows/base/FormBase.h"
#include "windows/forms/member/PersonPart.h"
#include "windows/forms/member/RecordListPart.h"

#include <QObject>

#include <memory>
#include <vector>

class QTabWidget;

namespace amb {
class ReadCheck;
}

namespace amb::windows {

struct PersonList;

// What the list pages ask of the person window.
struct PersonPagesHost {
    const PersonContext& context;
    FormBase& window; // the owner of the windows the lists open, kept busy meanwhile
    std::function<int32_t()> personId;
    std::function<void(int32_t mask)> refresh;       // the window's RefreshGrids
    std::function<void(int32_t mask)> enableButtons; // the window's EnableToolbarButtons
    std::function<void()> notSaved; // after a list's window closed without saving (see DropWritesIfPersonGone)
};

// Pages of tabMain with a list each: a RecordListPart for each list of PersonLists() that the pages
// take, in the table's order. What a list's row opens is the pages' own; Delete removes the row
// through the list's entry of the table.
class PersonListPages : public QObject {
public:
    ~PersonListPages() override;

    void AddPages(QTabWidget* pages) const;
    // Once the tab control sits in the window: the Tab order of each page as shown.
    void OrderTabStops() const;
    // Each page's title, which also names its list and toolbar.
    void SetCaptions(QTabWidget* pages) const;
    // The lists of `mask` (bits of MemberForm::ListMask) get their columns, their rows, their buttons.
    void Configure(int32_t mask) const;
    // Rows for the lists of `mask`; a list that could not be read leaves its cause with `read`.
    void Refresh(int32_t mask, ReadCheck& read) const;
    void EnableButtons(int32_t mask) const;
    // The lists offer nothing more that would write (see RecordListPart::DropWrites).
    void DropWrites() const;
    // Only the controls of the page shown are on.
    virtual void ShowPage(int page) const;

protected:
    explicit PersonListPages(const PersonPagesHost& host);
    // Creates the parts of the lists that `takes` on pages of `pages`; `open` adds the commands that
    // open rows (and New).
    using OpenCommands = std::function<void(const PersonList&, RecordListCommands&)>;
    void CreateLists(QTabWidget* pages, bool (*takes)(const PersonList&), const OpenCommands& open);
    RecordListPart& Of(int32_t bit) const;
    void ForEach(const std::function<void(const PersonList&, RecordListPart&)>& visit) const;
    // The rows of a list for the window's person.
    virtual platform::RecordsetPtr Rows(const PersonList& list) const;

    const PersonPagesHost& m_host;

private:
    struct Entry {
        const PersonList& list;
        std::unique_ptr<RecordListPart> part;
    };
    std::vector<Entry> m_entries;
};

} // namespace amb::windows
