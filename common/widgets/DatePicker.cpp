#include "common/widgets/DatePicker.h"

#include "common/DateText.h"
#include "common/StandardModule.h"
#include "platform/data/Clock.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace amb {

namespace {

// The date edit's lowest date stands for "no date" and shows as a blank.
const QDate kNoDate(1752, 9, 14);

} // namespace

DatePicker::DatePicker(QWidget* parent) : QWidget(parent), m_check(new QCheckBox(this)), m_edit(new DateBox(this)) {
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDate(kNoDate);
    m_edit->setMaximumDate(QDate(9999, 12, 31));
    m_edit->setSpecialValueText(QStringLiteral(" "));
    m_edit->setMinimumWidth(120);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);

    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        ShowDate(on ? std::optional<QDate>(m_lastDate.isValid() ? m_lastDate : platform::Today()) : std::nullopt);
        if (on)
            m_edit->setFocus();
        Q_EMIT DateChanged();
    });
    connect(m_edit, &QDateTimeEdit::dateChanged, this, [this](QDate date) {
        if (m_check->isChecked() && date != kNoDate) {
            m_lastDate = date;
            Q_EMIT DateChanged();
        }
    });
    ShowDate(std::nullopt);
}

DatePicker::~DatePicker() = default;

void DatePicker::focusInEvent(QFocusEvent* event) {
    // Not a focus proxy: that would put the date before its tick box in the Tab order.
    QWidget* part = m_edit->isEnabled() ? static_cast<QWidget*>(m_edit) : m_check;
    if (part->isVisibleTo(this))
        part->setFocus(event->reason());
}

void DatePicker::SetDateFormat(const QString& storedPattern) {
    m_edit->setDisplayFormat(ToQtDatePattern(storedPattern));
}

std::optional<QDate> DatePicker::Date() const {
    if (!m_check->isChecked() || m_edit->date() == kNoDate)
        return std::nullopt;
    return m_edit->date();
}

void DatePicker::SetDate(const std::optional<QDate>& date) {
    const bool has = date && date->isValid() && *date > kNoDate;
    if (has)
        m_lastDate = *date;
    ShowDate(has ? date : std::nullopt);
    Q_EMIT DateChanged();
}

void DatePicker::SetValue(const platform::Variant& value) {
    const QDateTime stored = AsDate(value);
    SetDate(stored.isValid() && !IsNoDate(stored) ? std::optional<QDate>(stored.date()) : std::nullopt);
}

platform::Variant DatePicker::Value() const {
    const std::optional<QDate> date = Date();
    if (!date || !isEnabled())
        return platform::Variant::Null();
    return platform::Variant(*date);
}

void DatePicker::SetAccessibleName(const QString& name) {
    m_check->setAccessibleName(name);
    m_edit->setAccessibleName(name);
}

void DatePicker::ShowDate(const std::optional<QDate>& date) {
    const QSignalBlocker checkBlocker(m_check);
    const QSignalBlocker editBlocker(m_edit);
    m_check->setChecked(date.has_value());
    m_edit->setDate(date ? *date : kNoDate);
    m_edit->setEnabled(date.has_value());
}

} // namespace amb
