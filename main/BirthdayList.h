#pragma once

#include "main/MainFormHandle.h"

#include <cstdint>

class QTreeWidget;

namespace amb::ambrel {

// The birthdays and wedding anniversaries of the month, below the record list.
class BirthdayList : public MainArea {
public:
    BirthdayList(MainForm& form, QWidget* parent);

    QTreeWidget* Widget() const { return lstvwBirthday; }
    void ConfigureBirthdayGrid();
    int32_t RefreshBirthday();
    void Clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lstvwBirthday_ColumnClick(int column);
    void lstvwBirthday_DblClick();

    QTreeWidget* lstvwBirthday = nullptr;
};

} // namespace amb::ambrel
