#include "platform/reportengine/Viewer.h"

#include "platform/reportengine/Render.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform::reportengine {

PreviewWidget::PreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ReportPreview"));
    auto* bar = new QHBoxLayout;
    auto* pageLabel = new QLabel(tr("&Page"), this);
    m_page = new QSpinBox(this);
    m_page->setObjectName(QStringLiteral("spnPage"));
    m_page->setMinimum(1);
    pageLabel->setBuddy(m_page);
    m_count = new QLabel(this);
    auto* zoomLabel = new QLabel(tr("&Zoom"), this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cboZoom"));
    zoomLabel->setBuddy(m_zoomBox);
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(2);
    bar->addWidget(pageLabel);
    bar->addWidget(m_page);
    bar->addWidget(m_count);
    bar->addStretch();
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoomBox);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_image);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll);
    connect(m_page, &QSpinBox::valueChanged, this, [this] { Refresh(); });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this, [this] { SetZoom(m_zoomBox->currentData().toDouble()); });
}

void PreviewWidget::SetReport(std::optional<PagedReport> report) {
    m_report = std::move(report);
    m_shown.reset();
    setWindowTitle(m_report ? m_report->Frame().Title : QString());
    m_page->setMaximum(std::max(1, PageCount()));
    m_count->setText(tr("of %1").arg(PageCount()));
    m_page->setValue(1);
    Refresh();
}

int PreviewWidget::CurrentPage() const {
    return m_page->value();
}
void PreviewWidget::ShowPage(int page) {
    m_page->setValue(page);
}

void PreviewWidget::SetZoom(double factor) {
    m_zoom = factor;
    Refresh();
}

const Page& PreviewWidget::PageAt(int page) const {
    if (!m_shown || m_shown->first != page) {
        m_shown.reset();
        m_report->ForEachPage(page, page, [this](const Page& p, int number) { m_shown.emplace(number, p); });
    }
    return m_shown->second;
}

QImage PreviewWidget::RenderPage(int page, double k) const {
    const QSizeF paper = m_report ? m_report->Frame().PageSize : QSizeF(612, 792);
    QImage image((paper * k).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (page >= 1 && page <= PageCount()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        DrawPage(painter, PageAt(page), k);
    }
    return image;
}

void PreviewWidget::Refresh() {
    // A point is drawn as 96/72 pixels at 100 %, as a page looks on a screen.
    m_image->setPixmap(QPixmap::fromImage(RenderPage(CurrentPage(), m_zoom * 96.0 / 72.0)));
}

ReportViewer::ReportViewer() : m_preview(std::make_unique<PreviewWidget>()) {
    m_preview->resize(900, 1000);
}
ReportViewer::~ReportViewer() = default;

void ReportViewer::ViewReport() {
    m_preview->SetReport(m_report ? std::optional<PagedReport>(m_report->Paginate()) : std::nullopt);
    m_preview->show();
}

} // namespace platform::reportengine
