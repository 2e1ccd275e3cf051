#pragma once

#include "common/ReportLayouts.h"
#include "contracts/IDatabaseManager.h"

#include <QString>
#include <QWidget>

#include "windows/forms/report/FormServices.h"

class QComboBox;
class QLabel;

namespace amb {
class WindowSupport;
}

namespace amb::windows {

// The first step of the report window: the list of the catalogue's reports. Choosing one chooses its
// option layout and the name the report printer knows it by.
class ReportListStep : public QWidget {
public:
    // `chosen` runs after each report chosen, with whether it prints mailing labels.
    ReportListStep(QWidget* parent, const WindowSupport& support, DatabaseSource database,
                   std::function<void(bool labels)> chosen);

    void SetCaptions();
    // Fills the list, which chooses its first report.
    void Fill(IDatabaseManager& database);
    bool HasReport() const;
    // The chosen report's option layout; null when its stored number names none.
    const ReportLayout* Layout() const { return m_layout; }
    const QString& InternalName() const { return m_internalName; }
    void FocusList();
    void ShowList(bool shown);

private:
    void cboReport_Click();

    const WindowSupport& m_support;
    DatabaseSource m_database;
    std::function<void(bool labels)> m_chosen;
    const ReportLayout* m_layout = &LayoutOf(ReportOptions::ExpenseList);
    QString m_internalName;
    QComboBox* cboReport;
    QLabel* lblReportType;
    QLabel* lblReportTypeDesc;
};

} // namespace amb::windows
