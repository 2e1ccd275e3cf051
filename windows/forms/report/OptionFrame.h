#pragma once

#include "common/ReportLayouts.h"
#include "contracts/IDatabaseManager.h"
#include "windows/forms/report/DateRangeRow.h"

#include <QGroupBox>
#include <QList>
#include <QPair>

#include <cstdint>
#include <memory>
#include <string_view>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace platform {
class Dictionary;
class Variant;
} // namespace platform

namespace amb::windows {

// The look-up that fills a drop-down list of options, its blank entry first.
using OptionLookup = platform::RecordsetPtr (IDatabaseManager::*)(EnumLookupOption);

// One labelled option of a frame: its place in the frame's grid (a frame with many rows puts them in
// two columns), the object names of its control and label, the key it fills and its label's text id.
struct OptionRow {
    int at = 0;
    int column = 0;
    const char* name = nullptr;
    ReportKey key{};
    const char* label = nullptr;
    int32_t textId = 0;
    // A text box rather than a drop-down list.
    bool typed = false;
    // A drop-down list filled from a look-up; none for a text box or a list the frame fills itself.
    OptionLookup lookup = nullptr;
};

// Every row fills a key of the frame's layout.
template <std::size_t N> constexpr bool FillKeysOf(ReportOptions options, const OptionRow (&rows)[N]) {
    for (const OptionRow& row : rows)
        if (!FindReportKey(LayoutOf(options), row.key.name))
            return false;
    return true;
}

// A frame of the options step: the options of one layout, each control filling one key of the
// hand-off. Only the frame of the chosen report's layout is ever shown.
class OptionFrame : public QGroupBox {
public:
    ~OptionFrame() override;

    const ReportLayout& Layout() const { return m_layout; }
    virtual void SetCaptions();
    // The drop-down lists' entries, the first one selected.
    virtual void Fill(IDatabaseManager& database);
    // The date range in the user's format over the month of today; the address boxes only for the
    // address format whose parts they are.
    virtual void Reset(const QString& dateFormat, bool usAddress);
    // The frame's date range; null when it has none.
    const DateRangeRow* Range() const { return m_range.get(); }
    // The value that the key hands on, as its control shows it.
    virtual platform::Variant Value(const ReportKey& key) const;
    // The layout's keys in their order, each with the value of its control.
    void AddLayoutParameters(platform::Dictionary& parameters) const;

protected:
    OptionFrame(QWidget* page, ReportOptions options, const WindowSupport& support);

    const WindowSupport& Support() const { return m_support; }
    QComboBox* AddBox(const OptionRow& row);
    QLineEdit* AddText(const OptionRow& row);
    // Each row's text box or drop-down list.
    template <std::size_t N> void AddRows(const OptionRow (&rows)[N]) {
        for (const OptionRow& row : rows)
            row.typed ? static_cast<void>(AddText(row)) : static_cast<void>(AddBox(row));
    }
    void AddRange(const char* label, const DateRangeNames& names);
    // A control's row: its label (with its text id) and the control at that place of the grid.
    QLabel* AddRow(int at, int column, const char* labelName, int32_t textId, QWidget* control, QWidget* buddy);
    void AddInput(const ReportKey& key, QWidget* control);
    // The control that fills the key; null when the frame has none.
    QWidget* Input(const ReportKey& key) const;
    // The label that names the control.
    QLabel* LabelOf(const QWidget* control) const;
    // Tab moves down each column of the frame, then to the next column; called once every row is in.
    void OrderTabs();

private:
    struct OptionInput {
        std::string_view key;
        QWidget* control;
    };

    const WindowSupport& m_support;
    const ReportLayout& m_layout;
    QGridLayout* m_grid;
    QList<OptionInput> m_inputs;
    QList<QPair<QComboBox*, OptionLookup>> m_lookups;
    QList<QPair<QLabel*, int32_t>> m_labels;
    std::unique_ptr<DateRangeRow> m_range;
};

} // namespace amb::windows
