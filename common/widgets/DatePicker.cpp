#include "common/widgets/DatePicker.h"

#include "common/DateText.h"
#include "common/StandardModule.h"
#include "platform/data/Clock.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace amb {

namespace {

// The date edit's lowest date stands for "no date" and shows as a blank.
const QDate kNoDate(1752, 9, 14);

// A date box that takes a date typed with its separators. The box moves to the next part by itself
// once a part cannot take another digit ("3" for a month, "15" for a day); the separator a person
// types next would then skip a part, so "3/15/1980" became a date in the wrong day and year.
class TypedDateEdit final : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const bool separator = text.size() == 1 && !text.at(0).isLetterOrNumber() && !text.at(0).isSpace();
        if (separator && m_movedOn) {
            m_movedOn = false;
            event->accept();
            return;
        }
        const int before = currentSectionIndex();
        QDateEdit::keyPressEvent(event);
        m_movedOn = text.size() == 1 && text.at(0).isDigit() && currentSectionIndex() != before;
    }
    void focusInEvent(QFocusEvent* event) override {
        m_movedOn = false;
        QDateEdit::focusInEvent(event);
    }

private:
    bool m_movedOn = false;
};

} // namespace

DatePicker::DatePicker(QWidget* parent)
    : QWidget(parent), m_check(new QCheckBox(this)), m_edit(new TypedDateEdit(this)) {
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDate(kNoDate);
    m_edit->setMaximumDate(QDate(9999, 12, 31));
    m_edit->setSpecialValueText(QStringLiteral(" "));
    m_edit->setMinimumWidth(120);
    setFocusProxy(m_edit);

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
    connect(m_edit, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (m_check->isChecked() && date != kNoDate) {
            m_lastDate = date;
            Q_EMIT DateChanged();
        }
    });
    ShowDate(std::nullopt);
}

DatePicker::~DatePicker() = default;

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
