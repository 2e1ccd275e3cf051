#pragma once

#include "common/ReportLayouts.h"
#include "contracts/IDatabaseManager.h"
#include "windows/forms/report/FormServices.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace platform {
class Dictionary;
}

namespace amb {
class WindowSupport;
}

namespace amb::windows {

class MemberOptions;
class OptionFrame;

// The second step of the report window: a frame for each option layout, all in the same place; only
// the frame of the chosen report's layout is shown.
class OptionsStep : public QWidget {
public:
    // The giver of the offering list is chosen through `search`.
    OptionsStep(QWidget* parent, const WindowSupport& support, const DatabaseSource& database,
                const PersonSearchSource& search);

    void SetCaptions();
    void Fill(IDatabaseManager& database);
    void Reset(const QString& dateFormat, bool usAddress);
    void HideAllReportOptionFrame();
    // Shows the layout's frame alone; none with no layout.
    void ShowReportOptionFrame(const ReportLayout* layout);
    // The mailing labels also read the address kind.
    void ShowAddressKind(bool labels);
    // The date range of the layout ends no earlier than it starts (true for a layout without one);
    // `showStep` brings this step into view before the box at fault gets the focus.
    bool IsDateRangeValid(const ReportLayout* layout, const std::function<void()>& showStep) const;
    // The layout's keys in their order, each with the value of its control; none with no layout.
    void AddLayoutParameters(const ReportLayout* layout, platform::Dictionary& parameters) const;

private:
    const OptionFrame& FrameOf(const ReportLayout& layout) const;

    const WindowSupport& m_support;
    // A frame for each option layout, at the layout's value.
    std::array<OptionFrame*, kReportOptionsCount> fraReportOption{};
    MemberOptions* m_member = nullptr;
};

} // namespace amb::windows
