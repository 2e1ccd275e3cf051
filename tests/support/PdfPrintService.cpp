#include "tests/support/PdfPrintService.h"

#include "platform/reportengine/Render.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace test {

PdfPrintService::PdfPrintService(QString folder, QStringList printers, QString defaultPrinter)
    : m_folder(std::move(folder)), m_printers(std::move(printers)), m_default(std::move(defaultPrinter)) {}

void PdfPrintService::AcceptDialog(int copies, int fromPage, int toPage) {
    m_accept = true;
    m_copies = copies;
    m_from = fromPage;
    m_to = toPage;
}

void PdfPrintService::CancelDialog() {
    m_accept = false;
}

platform::reportengine::PrinterInfo PdfPrintService::DefaultPrinter() {
    return m_default.isEmpty() ? platform::reportengine::PrinterInfo{}
                               : platform::reportengine::PrinterInfo{QStringLiteral("CUPS"), m_default, QString()};
}

std::optional<platform::reportengine::PrintJob>
PdfPrintService::RunDialog(const platform::reportengine::PrintJob& proposed,
                           const platform::reportengine::PagedReport& /*report*/) {
    ++dialogsShown;
    if (!m_accept)
        return std::nullopt;
    auto job = proposed;
    if (job.Printer.isEmpty())
        job.Printer = m_printers.value(0);
    job.Copies = m_copies;
    job.FromPage = m_from;
    job.ToPage = m_to;
    return job;
}

void PdfPrintService::Print(const platform::reportengine::PrintJob& job,
                            const platform::reportengine::PagedReport& report) {
    const platform::reportengine::Document& doc = report.Frame();
    const QString path = QDir(m_folder).filePath(QStringLiteral("job%1.pdf").arg(jobs.size() + 1));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the job's PDF");
    platform::reportengine::PdfPages pdf(doc, file);
    platform::reportengine::ForEachPageOf(job, report, platform::reportengine::Output::File,
                                          [&pdf](const platform::reportengine::Page& page, int) { pdf.Add(page); });
    pdf.Finish();
    jobs.push_back(Job{job, path, doc.PageSizeId, doc.Orientation, doc.PageSize});
}

QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfText(const QString& path, int firstPage, int lastPage) {
    QStringList args{QStringLiteral("-layout")};
    if (firstPage > 0)
        args << QStringLiteral("-f") << QString::number(firstPage);
    if (lastPage > 0)
        args << QStringLiteral("-l") << QString::number(lastPage);
    args << path << QStringLiteral("-");
    return RunTool(QStringLiteral("pdftotext"), args).normalized(QString::NormalizationForm_KC);
}

QString RtfText(const QString& path) {
    QString html = RunTool(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    QString text;
    static const QRegularExpression entity(QStringLiteral("&#(\\d+);"));
    qsizetype at = 0;
    for (auto it = entity.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        text += html.mid(at, m.capturedStart() - at) + QChar(m.captured(1).toInt());
        at = m.capturedEnd();
    }
    text += html.mid(at);
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

QString PdfInfo(const QString& path, const QString& field) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpression line(QStringLiteral("^") + QRegularExpression::escape(field) +
                                      QStringLiteral(":\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace test
