#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QAction;
class QToolBar;
class QTreeWidget;
class QWidget;

namespace amb::windows {

struct FamilyGroupWindow;

// The members of the family or group on the window's first tab: the grid and the toolbar above it.
// Every command writes at once; the window's OK and Cancel do not undo it.
class FamilyGroupMemberGrid : public QObject {
public:
    // What the rest of the window hears of the grid.
    struct Events {
        std::function<void()> headChanged;      // the head, or the head's details, may differ now
        std::function<void(int count)> counted; // the grid was filled with `count` members
    };

    // The page and its controls are created for window.form.
    FamilyGroupMemberGrid(const FamilyGroupWindow& window, Events events);

    // The page of the window's tabs that holds the toolbar and the grid.
    QWidget* Page() const { return m_page; }
    // The columns and the toolbar's tips for the window's kind.
    void ConfigureGrid();
    void RefreshGrid();
    void EnableToolbarButtons();
    void SetEnabled(bool enabled);

private:
    bool IsSelectedMemberHead();
    bool MemberExists(int32_t personID);
    void lstvwMember_ItemClick();
    void lstvwMember_ColumnClick(int column);
    void lstvwMember_DblClick();
    void tbarMember_ButtonClick(QAction* button);
    void EditMember();
    void AddMember();
    void RemoveMember();
    void SetHead();
    // Opens the person window on a member (0: a new one) of this family or group; the person's id
    // when it closed with a saved person, else -1.
    int32_t ShowMember(int32_t personID);

    const FamilyGroupWindow& m_window;
    Events m_events;
    QWidget* m_page;
    QToolBar* tbarMember;
    QTreeWidget* lstvwMember;
};

} // namespace amb::windows
