#pragma once

#include "common/widgets/DateBox.h"
#include "platform/data/Variant.h"

#include <QDate>
#include <QWidget>

#include <optional>

class QCheckBox;

namespace amb {

// A date box that can hold "no date": a tick box in front of the date. Unticked, the date part is
// blank and locked, and the picker holds no date; ticking it offers the date held before (or today)
// for editing. A stored Null shows as no date, and no date is ever made up for it.
class DatePicker : public QWidget {
    Q_OBJECT

public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    // The stored date pattern in the old notation ("m/d/yyyy"), shown with four-digit years.
    void SetDateFormat(const QString& storedPattern);
    // Nothing while the picker holds no date.
    std::optional<QDate> Date() const;
    // An invalid or missing date leaves the picker empty.
    void SetDate(const std::optional<QDate>& date);
    // A stored value: a date (or date text) shows as that date; Null, Empty or anything else as no date.
    void SetValue(const platform::Variant& value);
    // The value to store: the date, or Null when the picker holds none or is disabled.
    platform::Variant Value() const;
    // Names both parts for assistive technology, usually after the picker's label.
    void SetAccessibleName(const QString& name);

    QCheckBox* CheckBox() const { return m_check; }
    DateBox* DateEdit() const { return m_edit; }

Q_SIGNALS:
    // The date was set, cleared or edited.
    void DateChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void ShowDate(const std::optional<QDate>& date);

    QCheckBox* m_check;
    DateBox* m_edit;
    QDate m_lastDate; // offered again when the box is ticked
};

} // namespace amb
