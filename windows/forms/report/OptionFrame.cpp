#include "windows/forms/report/OptionFrame.h"

#include "common/ResourceIDs.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/DatePicker.h"
#include "platform/com/Error.h"
#include "platform/data/Dictionary.h"
#include "windows/base/ReadCheck.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/FormControls.h"
#include "windows/forms/report/FormServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <string>

namespace amb::windows {

namespace {

platform::Variant DateOf(const DatePicker* picker) {
    return QDateTime(picker->Date().value_or(QDate()), QTime(0, 0));
}

// The id of the selected look-up entry (-998 for the blank entry); a box without a selected entry
// cannot give one.
platform::Variant IdOf(const QComboBox* box, const QString& source) {
    if (box->currentIndex() < 0)
        throw platform::Error(5,
                              QStringLiteral("Invalid procedure call or argument: ") + box->objectName() +
                                  QStringLiteral(" has no selected entry"),
                              source);
    return box->currentData().toInt();
}

// The controls that Tab stops at in `widget`: the widget itself, or those of a row of controls (a date
// range, the giver's box and buttons) in the order of the row.
void AddTabStops(QWidget* widget, QList<QWidget*>& stops) {
    if (widget->focusPolicy() & Qt::TabFocus) {
        stops << widget;
        return;
    }
    for (QObject* child : widget->children())
        if (auto* part = qobject_cast<QWidget*>(child); part && !part->isWindow())
            AddTabStops(part, stops);
}

QString Q(std::string_view text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

OptionFrame::OptionFrame(QWidget* page, ReportOptions options, const WindowSupport& support)
    : QGroupBox(page), m_support(support), m_layout(LayoutOf(options)), m_grid(new QGridLayout(this)) {
    setObjectName(QStringLiteral("fraReportOption") + QString::number(static_cast<int>(options)));
    m_grid->setColumnStretch(1, 1);
}

OptionFrame::~OptionFrame() = default;

void OptionFrame::SetCaptions() {
    setTitle(m_support.Text(res::kLabelReportOptions));
    for (const auto& [label, id] : m_labels)
        label->setText(m_support.Text(id));
    if (m_range)
        m_range->SetCaptions(m_support);
}

void OptionFrame::Fill(IDatabaseManager& database) {
    ReadCheck read(m_support);
    for (const auto& [box, lookup] : m_lookups)
        FillComboBox(box, read((database.*lookup)(EnumLookupOption::IncludeBlank)), QStringLiteral("Name"),
                     QStringLiteral("ID"), false);
    read.Tell();
}

void OptionFrame::Reset(const QString& dateFormat, bool usAddress) {
    if (m_range)
        m_range->Reset(dateFormat);
    for (const ReportKey& part : {report_keys::kCity, report_keys::kState, report_keys::kZipCode})
        if (QWidget* box = Input(part))
            box->setEnabled(usAddress);
}

QComboBox* OptionFrame::AddBox(const OptionRow& row) {
    QComboBox* box = MakeDropDownList(this, row.name);
    AddInput(row.key, box);
    AddRow(row.at, row.column, row.label, row.textId, box, nullptr);
    if (row.lookup)
        m_lookups.append({box, row.lookup});
    return box;
}

QLineEdit* OptionFrame::AddText(const OptionRow& row) {
    auto* box = NamedControl<QLineEdit>(this, row.name);
    AddInput(row.key, box);
    AddRow(row.at, row.column, row.label, row.textId, box, nullptr);
    SelectAllOnFocus(m_support, box);
    return box;
}

// The range fills DateStart and DateEnd, in the first row.
void OptionFrame::AddRange(const char* label, const DateRangeNames& names) {
    m_range = std::make_unique<DateRangeRow>(this, names);
    AddInput(report_keys::kDateStart, m_range->Start());
    AddInput(report_keys::kDateEnd, m_range->End());
    AddRow(0, 0, label, res::kLabelDateRange, m_range->Row(), nullptr);
}

QLabel* OptionFrame::AddRow(int at, int column, const char* labelName, int32_t textId, QWidget* control,
                            QWidget* buddy) {
    QLabel* label = NamedLabel(this, labelName, buddy ? buddy : control);
    m_grid->addWidget(label, at, column * 2);
    m_grid->addWidget(control, at, column * 2 + 1);
    m_labels.append({label, textId});
    return label;
}

void OptionFrame::AddInput(const ReportKey& key, QWidget* control) {
    m_inputs.append({.key = key.name, .control = control});
}

QWidget* OptionFrame::Input(const ReportKey& key) const {
    for (const OptionInput& input : m_inputs)
        if (input.key == key.name)
            return input.control;
    return nullptr;
}

QLabel* OptionFrame::LabelOf(const QWidget* control) const {
    for (const auto& [label, id] : m_labels)
        if (label->buddy() == control)
            return label;
    return nullptr;
}

void OptionFrame::OrderTabs() {
    QList<QWidget*> stops;
    for (int column = 1; column < m_grid->columnCount(); column += 2)
        for (int at = 0; at < m_grid->rowCount(); ++at)
            if (QLayoutItem* item = m_grid->itemAtPosition(at, column); item && item->widget())
                AddTabStops(item->widget(), stops);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

void OptionFrame::AddLayoutParameters(platform::Dictionary& parameters) const {
    for (const ReportKey& key : m_layout.keys)
        parameters.SetItem(Q(key.name), Value(key));
}

platform::Variant OptionFrame::Value(const ReportKey& key) const {
    QWidget* control = Input(key);
    auto* box = qobject_cast<QComboBox*>(control);
    auto* line = qobject_cast<QLineEdit*>(control);
    switch (key.value) {
    case ReportValue::Date:
        if (auto* picker = qobject_cast<DatePicker*>(control))
            return DateOf(picker);
        break;
    case ReportValue::Text:
        if (box || line)
            return (box ? box->currentText() : line->text()).trimmed();
        break;
    case ReportValue::Flag:
        if (box) {
            const QString shown = box->currentText();
            return shown == m_support.Text(res::kTextYes) ? 1 : shown == m_support.Text(res::kTextNo) ? -1 : 0;
        }
        break;
    case ReportValue::Id:
        if (box)
            return IdOf(box, m_support.SourceName());
        break;
    }
    throw platform::Error(
        5, QStringLiteral("Invalid procedure call or argument: the options have no control for ") + Q(key.name),
        m_support.SourceName());
}

} // namespace amb::windows
