#pragma once

#include "platform/reportengine/PrintService.h"

#include <QPageLayout>
#include <QPrintDialog>

class QDialog;

namespace platform::reportengine {

// The platform's print dialog, offering what a report can do. Its printer's properties show the
// report's paper, orientation and margins, which the report is laid out for, and offer no other (Qt
// 6.4 shows the printer's default paper there); for a file they offer none of the print server's job
// options (banner pages, scheduled printing, priority). A Pages text that names no pages is refused.
class PrintDialog final : public QPrintDialog {
public:
    PrintDialog(QPrinter* printer, QPageSize paper, QPageLayout::Orientation orientation);

    void accept() override;
    // The page set as the person chose it. Qt turns it over on the printer for a range that begins on an
    // even page, for a print server that counts the pages it is sent; the program draws the pages itself.
    PageSet ChosenPageSet() const;

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeepReportPaper(QDialog& properties) const;

    QPageSize m_paper;
    QPageLayout::Orientation m_orientation;
};

} // namespace platform::reportengine
