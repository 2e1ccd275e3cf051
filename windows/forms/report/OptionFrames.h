#pragma once

#include "windows/forms/report/OptionFrame.h"

class QComboBox;

namespace amb::windows {

// The expense list's options: a date range and an expense type.
class ExpenseOptions : public OptionFrame {
public:
    ExpenseOptions(QWidget* page, const WindowSupport& support);
};

// The family reports' place: city, state and zip code.
class PlaceOptions : public OptionFrame {
public:
    PlaceOptions(QWidget* page, const WindowSupport& support);
};

// The group reports' group type.
class GroupTypeOptions : public OptionFrame {
public:
    GroupTypeOptions(QWidget* page, const WindowSupport& support);
};

// The balance sheet's and the summaries' date range.
class DateRangeOptions : public OptionFrame {
public:
    DateRangeOptions(QWidget* page, const WindowSupport& support);
};

// The birthday list's month: a month of the user's language, or blank for every month.
class MonthOptions : public OptionFrame {
public:
    MonthOptions(QWidget* page, const WindowSupport& support);
    void Fill(IDatabaseManager& database) override;

private:
    QComboBox* cboMonth;
};

} // namespace amb::windows
