#include "windows/forms/report/OptionsStep.h"

#include "common/widgets/ControlHelpers.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/report/MemberOptions.h"
#include "windows/forms/report/OfferingOptions.h"
#include "windows/forms/report/OptionFrames.h"

#include <QVBoxLayout>

namespace amb::windows {

OptionsStep::OptionsStep(QWidget* parent, const WindowSupport& support, const DatabaseSource& database,
                         const PersonSearchSource& search)
    : QWidget(parent), m_support(support) {
    using enum ReportOptions;
    // clang-format off
    const std::array<OptionFrame*, kReportOptionsCount> frames{
        new ExpenseOptions(this, support), new PlaceOptions(this, support), new GroupTypeOptions(this, support),
        m_member = new MemberOptions(this, support), new OfferingOptions(this, support, database, search),
        new DateRangeOptions(this, support), new MonthOptions(this, support)};
    // clang-format on
    auto* layout = new QVBoxLayout(this);
    for (OptionFrame* frame : frames) {
        fraReportOption[static_cast<std::size_t>(frame->Layout().options)] = frame;
        layout->addWidget(frame);
    }
    layout->addStretch(1);
}

void OptionsStep::SetCaptions() {
    for (OptionFrame* frame : fraReportOption)
        frame->SetCaptions();
}

void OptionsStep::Fill(IDatabaseManager& database) {
    for (OptionFrame* frame : fraReportOption)
        frame->Fill(database);
}

void OptionsStep::Reset(const QString& dateFormat, bool usAddress) {
    for (OptionFrame* frame : fraReportOption)
        frame->Reset(dateFormat, usAddress);
}

void OptionsStep::HideAllReportOptionFrame() {
    m_support.Trace(QStringLiteral("HideAllReportOptionFrame()"));
    for (OptionFrame* frame : fraReportOption)
        HideControl(frame, true);
}

void OptionsStep::ShowReportOptionFrame(const ReportLayout* layout) {
    m_support.Trace(QStringLiteral("ShowReportOptionFrame()"));
    for (OptionFrame* frame : fraReportOption)
        HideControl(frame, &frame->Layout() != layout);
}

void OptionsStep::ShowAddressKind(bool labels) {
    m_member->ShowAddressKind(labels);
}

bool OptionsStep::IsDateRangeValid(const ReportLayout* layout, const std::function<void()>& showStep) const {
    if (!layout)
        return true;
    const DateRangeRow* range = FrameOf(*layout).Range();
    return !range || range->IsValid(m_support, showStep);
}

void OptionsStep::AddLayoutParameters(const ReportLayout* layout, platform::Dictionary& parameters) const {
    if (!layout)
        return;
    FrameOf(*layout).AddLayoutParameters(parameters);
}

const OptionFrame& OptionsStep::FrameOf(const ReportLayout& layout) const {
    return *fraReportOption[static_cast<std::size_t>(layout.options)];
}

} // namespace amb::windows
