#include "platform/reportengine/PrintDialog.h"

#include <QChildEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageRanges>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>

namespace platform::reportengine {

namespace {

// The entries of Qt's "Page Set" list, in its order.
constexpr PageSet kPageSets[] = {PageSet::All, PageSet::Odd, PageSet::Even};

// The controls of the properties' page set-up that would choose another paper than the report's.
constexpr const char* kPaperControls[] = {"pageSizeCombo", "portrait",    "landscape",   "leftMargin",
                                          "topMargin",     "rightMargin", "bottomMargin"};

} // namespace

PrintDialog::PrintDialog(QPrinter* printer, QPageSize paper, QPageLayout::Orientation orientation)
    : QPrintDialog(printer), m_paper(std::move(paper)), m_orientation(orientation) {}

// Qt 6.4's dialog weighs a Pages text by the range the printer held when it opened, not by the text:
// a text that names no pages would print every page. It is refused as Qt refuses it without a range.
void PrintDialog::accept() {
    const auto* pages = findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
    const auto* text = findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
    if (pages && text && pages->isChecked() && QPageRanges::fromString(text->text()).isEmpty()) {
        QMessageBox::critical(this, tr("Invalid Pages Definition"),
                              tr("%1 does not follow the correct syntax. Please use ',' to separate "
                                 "ranges and pages, '-' to define ranges and make sure ranges do "
                                 "not intersect with each other.")
                                  .arg(text->text()),
                              QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    QPrintDialog::accept();
}

PageSet PrintDialog::ChosenPageSet() const {
    const auto* set = findChild<QComboBox*>(QStringLiteral("pageSetCombo"));
    const int index = set ? set->currentIndex() : 0;
    return index > 0 && index < static_cast<int>(std::size(kPageSets)) ? kPageSets[index] : PageSet::All;
}

// The printer's properties are a dialog of their own, made when first opened (or when the dialog is
// accepted) and again for another printer: each is set to the report's paper whenever it is shown.
void PrintDialog::childEvent(QChildEvent* event) {
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QPrintDialog::childEvent(event);
}

bool PrintDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        if (auto* properties = qobject_cast<QDialog*>(watched);
            properties && properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo")))
            KeepReportPaper(*properties);
    return QPrintDialog::eventFilter(watched, event);
}

void PrintDialog::KeepReportPaper(QDialog& properties) const {
    // Through the controls' own signals, so that the page set-up follows them.
    auto* size = properties.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    for (int i = 0; i < size->count(); ++i)
        if (qvariant_cast<QPageSize>(size->itemData(i)).isEquivalentTo(m_paper)) {
            size->setCurrentIndex(i);
            break;
        }
    if (auto* orientation = properties.findChild<QRadioButton*>(
            m_orientation == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
        orientation && !orientation->isChecked()) {
        orientation->setEnabled(true);
        orientation->click();
    }
    for (const char* name : kPaperControls)
        if (auto* control = properties.findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(false);
    auto* tabs = properties.findChild<QTabWidget*>(QStringLiteral("tabs"));
    auto* job = properties.findChild<QWidget*>(QStringLiteral("QCupsJobWidget"));
    if (tabs && job)
        tabs->setTabEnabled(tabs->indexOf(job), printer()->outputFormat() != QPrinter::PdfFormat);
}

} // namespace platform::reportengine
