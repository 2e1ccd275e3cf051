// A 1,000-page list of 50,000 generated rows laid out and written as PDF and as RTF, timed, beside its
// floor: the same texts drawn at fixed positions by a bare QPdfWriter loop, with no layout engine.
//   AmbReportBench [--persons 50000] [folder for the files]   (or AMB_BENCH_PERSONS; one row a person)

#include "bench/BenchOutput.h"
#include "common/Values.h"
#include "platform/reportengine/Definition.h"
#include "platform/reportengine/Layout.h"
#include "platform/reportengine/Render.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

using namespace platform::reportengine;

namespace {

const char* const kDefinition = R"({
  "name": "Member List",
  "parameters": ["CompanyName"],
  "pageHeader": {"lines": [{"cells": [{"x": 0, "width": 540, "align": "center", "parameter": 1}]}]},
  "pageFooter": {"lines": [{"cells": [{"x": 340, "width": 200, "align": "right", "pageNumber": "Page %1 of %2"}]}]},
  "groups": [{"field": "Initial", "header": {"lines": [{"cells": [{"x": 0, "width": 200, "font": "heading", "field": "Initial"}]}]},
              "footer": {"lines": [{"cells": [{"x": 0, "width": 200, "count": true},
                                              {"x": 380, "width": 100, "align": "right", "sum": "Amount"}]}]}}],
  "detail": {"columns": [
      {"caption": "Name", "width": 180, "value": {"join": ["LastName", "FirstName"], "separator": ", "}},
      {"caption": "Address", "width": 200, "value": "Address"},
      {"caption": "Amount", "width": 100, "align": "right", "value": "Amount", "format": "currency"},
      {"caption": "Joined", "width": 60, "value": "Joined", "format": "date"}]},
  "reportFooter": {"lines": [{"cells": [{"x": 380, "width": 100, "align": "right", "sum": "Amount"}]}]}
})";

class Rows final : public RowSource {
public:
    explicit Rows(int count) : m_count(count) {}
    int RowCount() const override { return m_count; }
    bool HasField(const QString&) const override { return true; }
    int FieldIndex(const QString& name) const override {
        static const QStringList names{"Initial", "LastName", "FirstName", "Address", "Amount", "Joined"};
        return static_cast<int>(names.indexOf(name));
    }
    platform::Variant Value(int row, int column) const override {
        switch (column) {
        case 0:
            return QString(QChar(u'A' + row * 26 / m_count));
        case 1:
            return QString(QStringLiteral("%1son%2").arg(QChar(u'A' + row * 26 / m_count)).arg(row));
        case 2:
            return QStringLiteral("Ann");
        case 3:
            return QStringLiteral("%1 Main Street, Springfield").arg(row % 997);
        case 4:
            return platform::Currency::FromTicks(row % 100000);
        default:
            return platform::MakeDateTime(2000 + row % 25, 1 + row % 12, 1 + row % 28);
        }
    }

private:
    int m_count;
};

// The least any writer of these rows does: each row's four texts drawn one line apart, a new page
// every 50 lines, into a PDF. Returns its milliseconds.
qint64 BarePdfLoop(const Rows& rows, const QString& path) {
    QElapsedTimer timer;
    timer.start();
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const int linesPerPage = 50;
    for (int row = 0; row < rows.RowCount(); ++row) {
        if (row > 0 && row % linesPerPage == 0)
            writer.newPage();
        const int y = 60 + (row % linesPerPage) * 13;
        painter.drawText(QRect(36, y, 180, 13), Qt::AlignLeft,
                         rows.Value(row, 1).ToString() + QStringLiteral(", ") + rows.Value(row, 2).ToString());
        painter.drawText(QRect(216, y, 200, 13), Qt::AlignLeft, rows.Value(row, 3).ToString());
        painter.drawText(QRect(416, y, 100, 13), Qt::AlignRight, rows.Value(row, 4).ToString());
        painter.drawText(QRect(516, y, 60, 13), Qt::AlignLeft, rows.Value(row, 5).ToString());
    }
    painter.end();
    return timer.elapsed();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption(bench::PersonsOption(50000));
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where the files go (default: the temporary folder)."));
    parser.process(app);
    const int count = bench::Persons(parser);
    const QString folder = parser.positionalArguments().value(0, QDir::tempPath());
    QDir().mkpath(folder);
    const Definition def = ParseDefinition(kDefinition, QStringLiteral("bench.rpt"));
    LayoutInput in;
    in.Def = &def;
    in.Rows = std::make_shared<Rows>(count);
    in.Parameters = {QStringLiteral("Grace Church")};
    in.PrintDate = QDate(2026, 12, 9);
    // Amounts cost what they cost in the program: the session locale's form.
    in.FormatAmount = [](const platform::Currency& amount) {
        return amb::FormatAmount(amount, amb::AmountStyle::Number);
    };

    QElapsedTimer timer;
    timer.start();
    const Document doc = LayOut(in);
    const qint64 layout = timer.restart();
    QFile pdf(QDir(folder).filePath(QStringLiteral("bench.pdf")));
    if (!pdf.open(QIODevice::WriteOnly))
        return 1;
    WritePdf(doc, pdf);
    pdf.close();
    const qint64 pdfTime = timer.restart();
    const QByteArray rtf = WriteRtf(doc);
    QFile rtfFile(QDir(folder).filePath(QStringLiteral("bench.rtf")));
    if (!rtfFile.open(QIODevice::WriteOnly) || rtfFile.write(rtf) != rtf.size())
        return 1;
    rtfFile.close();
    const qint64 rtfTime = timer.elapsed();
    const qint64 floor = BarePdfLoop(Rows(count), QDir(folder).filePath(QStringLiteral("floor.pdf")));
    std::printf("%d rows, %zu pages: layout %lld ms, PDF %lld ms (%lld KB), RTF %lld ms (%lld KB)\n", count,
                doc.Pages.size(), static_cast<long long>(layout), static_cast<long long>(pdfTime),
                static_cast<long long>(pdf.size() / 1024), static_cast<long long>(rtfTime),
                static_cast<long long>(rtf.size() / 1024));
    std::printf("floor, the same texts by a bare QPdfWriter loop: %lld ms; layout and PDF are %.2f x the floor\n",
                static_cast<long long>(floor), floor > 0 ? double(layout + pdfTime) / double(floor) : 0.0);
    return 0;
}
