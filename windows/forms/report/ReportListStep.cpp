#include "windows/forms/report/ReportListStep.h"

#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ComboBoxHelpers.h"
#include "common/widgets/ControlHelpers.h"
#include "platform/data/Recordset.h"
#include "windows/base/ReadCheck.h"
#include "windows/base/WindowSupport.h"
#include "windows/forms/FormControls.h"
#include "windows/forms/report/FormServices.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace amb::windows {

ReportListStep::ReportListStep(QWidget* parent, const WindowSupport& support, DatabaseSource database,
                               std::function<void(bool labels)> chosen)
    : QWidget(parent), m_support(support), m_database(std::move(database)), m_chosen(std::move(chosen)),
      cboReport(MakeDropDownList(this, "cboReport")), lblReportType(NamedLabel(this, "lblReportType", cboReport)),
      lblReportTypeDesc(NamedLabel(this, "lblReportTypeDesc", nullptr)) {
    lblReportTypeDesc->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblReportTypeDesc);
    layout->addSpacing(8);
    layout->addWidget(lblReportType);
    layout->addWidget(cboReport);
    layout->addStretch(1);

    connect(cboReport, &QComboBox::currentIndexChanged, this, [this] { cboReport_Click(); });
    SelectAllOnFocus(support, cboReport);
}

void ReportListStep::SetCaptions() {
    lblReportType->setText(m_support.Text(res::kLabelReport));
    lblReportTypeDesc->setText(m_support.Text(res::kLabelReportTypeDesc));
}

void ReportListStep::Fill(IDatabaseManager& database) {
    ReadCheck read(m_support);
    FillComboBox(cboReport, read(database.GetLookupReport(EnumLookupOption{})), QStringLiteral("Name"),
                 QStringLiteral("ID"), false);
    read.Tell();
}

bool ReportListStep::HasReport() const {
    return !cboReport->currentText().isEmpty();
}

void ReportListStep::FocusList() {
    cboReport->setFocus();
}

void ReportListStep::ShowList(bool shown) {
    HideControl(cboReport, !shown);
}

void ReportListStep::cboReport_Click() {
    m_support.Handle(QStringLiteral("cboReport_Click()"), [&] {
        m_layout = &LayoutOf(ReportOptions::ExpenseList);
        platform::RecordsetPtr report = m_database()->GetReportByID(cboReport->currentData().toInt());
        if (!report || report->IsEOF())
            return;
        m_layout = FindReportLayout(AsLong(report->Field(QStringLiteral("OptionIndex"))));
        m_internalName = AsString(report->Field(QStringLiteral("InternalName")));
        const bool labels = AsBoolean(report->Field(QStringLiteral("IsMailingLabel")));
        report->Close();
        m_chosen(labels);
    });
}

} // namespace amb::windows
