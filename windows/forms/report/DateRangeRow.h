#pragma once

#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QWidget;

namespace amb {
class DatePicker;
class WindowSupport;
} // namespace amb

namespace amb::windows {

// The object names of a date range's controls.
struct DateRangeNames {
    const char* start;
    const char* end;
    const char* from;
    const char* to;
};

// The row of a date range in an option frame: "From" start "To" end, each date with its own label.
// The dates always hold a date: a report range has no "no date".
class DateRangeRow {
public:
    DateRangeRow(QGroupBox* frame, const DateRangeNames& names);

    // The row's widget, for the frame's grid.
    QWidget* Row() const { return m_row; }
    DatePicker* Start() const { return m_start; }
    DatePicker* End() const { return m_end; }
    void SetCaptions(const WindowSupport& support);
    // The user's date format, and the month of today.
    void Reset(const QString& dateFormat);
    // A range that ends before it starts, or a date box showing a text that is not a date, is refused:
    // the message, then `showStep` (which brings the range into view), then the focus on the box at fault.
    bool IsValid(const WindowSupport& support, const std::function<void()>& showStep) const;

private:
    DatePicker* m_start;
    DatePicker* m_end;
    QLabel* m_from;
    QLabel* m_to;
    QWidget* m_row;
};

} // namespace amb::windows
