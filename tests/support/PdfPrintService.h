#pragma once

#include "platform/reportengine/PrintService.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace test {

// The print seam for tests: printers by name, a default, a dialog answered in advance, and every job
// written as a PDF file (job1.pdf, job2.pdf, ...) into a folder, its pages as a printer gives them
// out: in the job's order, per copy.
class PdfPrintService final : public platform::reportengine::PrintService {
public:
    explicit PdfPrintService(QString folder, QStringList printers = {QStringLiteral("Office")},
                             QString defaultPrinter = QStringLiteral("Office"));

    // The dialog's answer: accept with these copies and pages (0 for all), or cancel.
    void AcceptDialog(int copies, int fromPage = 0, int toPage = 0);
    void CancelDialog();

    struct Job {
        platform::reportengine::PrintJob Settings;
        QString PdfPath;
        // The paper the job's pages are drawn for, in points from the paper's corner.
        QPageSize::PageSizeId Paper = QPageSize::Letter;
        QPageLayout::Orientation Orientation = QPageLayout::Portrait;
        QSizeF PageSize;
    };
    std::vector<Job> jobs;
    int dialogsShown = 0;

    QStringList Printers() override { return m_printers; }
    platform::reportengine::PrinterInfo DefaultPrinter() override;
    std::optional<platform::reportengine::PrintJob>
    RunDialog(const platform::reportengine::PrintJob& proposed,
              const platform::reportengine::PagedReport& report) override;
    void Print(const platform::reportengine::PrintJob& job, const platform::reportengine::PagedReport& report) override;

private:
    QString m_folder;
    QStringList m_printers;
    QString m_default;
    bool m_accept = true;
    int m_copies = 1, m_from = 0, m_to = 0;
};

// Runs a tool (pdftotext, pdfinfo, unrtf...) and returns its standard output as UTF-8.
QString RunTool(const QString& program, const QStringList& arguments);
// The text of a PDF as `pdftotext -layout` gives it, NFKC-normalised (ligatures as letters).
QString PdfText(const QString& path, int firstPage = 0, int lastPage = 0);
// The text of an RTF file as `unrtf --html` reads it, tags left out and characters beyond ASCII decoded.
QString RtfText(const QString& path);
// A field of `pdfinfo` ("Pages", "Page size", "Title").
QString PdfInfo(const QString& path, const QString& field);

} // namespace test
