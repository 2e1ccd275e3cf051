#include "windows/forms/report/DateRangeRow.h"

#include "common/StandardModule.h"
#include "common/ResourceIDs.h"
#include "common/widgets/DatePicker.h"
#include "platform/data/Clock.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/NamedControl.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>

namespace amb::windows {

namespace {

DatePicker* MakeRangePicker(QWidget* parent, const char* name) {
    auto* picker = NamedControl<DatePicker>(parent, name);
    picker->CheckBox()->setVisible(false);
    return picker;
}

} // namespace

DateRangeRow::DateRangeRow(QGroupBox* frame, const DateRangeNames& names)
    : m_start(MakeRangePicker(frame, names.start)), m_end(MakeRangePicker(frame, names.end)),
      m_from(NamedLabel(frame, names.from, m_start)), m_to(NamedLabel(frame, names.to, m_end)),
      m_row(new QWidget(frame)) {
    auto* layout = new QHBoxLayout(m_row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{m_from, m_start, m_to, m_end}) {
        part->setParent(m_row);
        layout->addWidget(part);
    }
    layout->addStretch(1);
}

void DateRangeRow::SetCaptions(const WindowSupport& support) {
    m_from->setText(support.Text(res::kLabelRangeFrom));
    m_to->setText(support.Text(res::kLabelRangeTo));
}

void DateRangeRow::Reset(const QString& dateFormat) {
    const QDateTime today(platform::Today(), QTime(0, 0));
    m_start->SetDateFormat(dateFormat);
    m_start->SetDate(FirstDayOfMonth(today).date());
    m_end->SetDateFormat(dateFormat);
    m_end->SetDate(LastDayOfMonth(today).date());
}

bool DateRangeRow::IsValid(const WindowSupport& support, const std::function<void()>& showStep) const {
    if (!support.CheckDates({m_start, m_end})) {
        showStep();
        for (DatePicker* picker : {m_start, m_end}) {
            if (picker->DateEdit()->ShowsNonDate()) {
                picker->DateEdit()->setFocus();
                break;
            }
        }
        return false;
    }
    if (m_start->Date().value_or(QDate()) <= m_end->Date().value_or(QDate()))
        return true;
    support.ShowMessage(res::kMsgStartDateAfterEndDate);
    showStep();
    m_start->setFocus();
    return false;
}

} // namespace amb::windows
