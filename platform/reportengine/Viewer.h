#pragma once

#include "platform/com/Object.h"
#include "platform/reportengine/Document.h"
#include "platform/reportengine/Report.h"

#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QScrollArea;
class QSpinBox;
class QComboBox;

namespace platform::reportengine {

// The preview: one page at a time at a chosen zoom, with page and zoom controls. Only the page shown
// is held; another is laid out when it is asked for.
class PreviewWidget : public QWidget {
public:
    explicit PreviewWidget(QWidget* parent = nullptr);
    void SetReport(std::optional<PagedReport> report);
    int PageCount() const { return m_report ? m_report->PageCount() : 0; }
    int CurrentPage() const; // 1-based
    void ShowPage(int page);
    void SetZoom(double factor);
    double Zoom() const { return m_zoom; }
    // The page as shown (for tests and screenshots).
    QImage RenderPage(int page, double pixelsPerPoint) const;

private:
    void Refresh();
    const Page& PageAt(int page) const;

    std::optional<PagedReport> m_report;
    mutable std::optional<std::pair<int, Page>> m_shown; // the page last laid out, by number
    double m_zoom = 1.0;
    QSpinBox* m_page = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_image = nullptr;
    QScrollArea* m_scroll = nullptr;
};

// The viewer object a report printer hands a report to: "ReportSource", then "ViewReport".
class ReportViewer : public Object {
public:
    ReportViewer();
    ~ReportViewer() override;
    void SetReportSource(ReportPtr report) { m_report = std::move(report); }
    ReportPtr ReportSource() const { return m_report; }
    // Lays the report out and shows it in the preview window.
    void ViewReport();
    PreviewWidget* Preview() const { return m_preview.get(); }

private:
    ReportPtr m_report;
    std::unique_ptr<PreviewWidget> m_preview;
};

} // namespace platform::reportengine
