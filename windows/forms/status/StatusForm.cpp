#include "windows/forms/status/StatusForm.h"

#include "platform/com/Error.h"
#include "windows/forms/edit/ControlFactory.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace amb::windows {

namespace {

QProgressBar* Bar(QWidget* parent, const char* name) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setTextVisible(false);
    bar->setMinimumWidth(360);
    return bar;
}

// The raised maximum; a range that is still empty is refused before anything changes.
int32_t CheckedMaximum(int32_t minimum, int32_t& maximum) {
    const int32_t raised = maximum <= minimum ? maximum + 1 : maximum;
    if (raised <= minimum)
        throw platform::Error(platform::ErrorNumber::InvalidArgument,
                              QStringLiteral("The maximum of a progress bar must be above its minimum"),
                              QStringLiteral("AmbWindows.StatusForm"));
    return raised;
}

} // namespace

StatusForm::StatusForm(QWidget* parent)
    : QDialog(parent), lblMsg(controls::Label(this, "lblMsg")), pbarMain(Bar(this, "pbarMain")),
      lblMsgSub(controls::Label(this, "lblMsgSub")), pbarSub(Bar(this, "pbarSub")) {
    setObjectName(QStringLiteral("StatusForm"));
    setWindowTitle(QStringLiteral("Status"));
    pbarMain->setAccessibleName(windowTitle());
    pbarSub->setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->addWidget(lblMsg);
    layout->addWidget(pbarMain);
    layout->addSpacing(8);
    layout->addWidget(lblMsgSub);
    layout->addWidget(pbarSub);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

StatusForm::~StatusForm() = default;

void StatusForm::InitializeProgressBars(int32_t& mainMin, int32_t& mainMax, int32_t& subMin, int32_t& subMax) {
    const int32_t newMainMax = CheckedMaximum(mainMin, mainMax);
    const int32_t newSubMax = CheckedMaximum(subMin, subMax);
    mainMax = newMainMax;
    subMax = newSubMax;
    const Level levels[] = {{lblMsg, pbarMain}, {lblMsgSub, pbarSub}};
    const std::pair<int32_t, int32_t> ranges[] = {{mainMin, mainMax}, {subMin, subMax}};
    for (int i = 0; i < 2; ++i) {
        levels[i].message->clear();
        levels[i].bar->setRange(ranges[i].first, ranges[i].second);
        levels[i].bar->setValue(ranges[i].first);
    }
}

void StatusForm::Set(const Level& level, const QString& message, qint64 value, bool refresh) {
    level.message->setText(message);
    level.bar->setValue(int(std::clamp(value, qint64{level.bar->minimum()}, qint64{level.bar->maximum()})));
    if (refresh) {
        level.message->repaint();
        level.bar->repaint();
        repaint();
    }
}

void StatusForm::SetProgress(const QString& message, int32_t value, bool refresh) {
    Set({lblMsg, pbarMain}, message, value, refresh);
}

void StatusForm::IncrementProgress(const QString& message) {
    Set({lblMsg, pbarMain}, message, qint64{pbarMain->value()} + 1, true);
}

void StatusForm::SetSubProgress(const QString& message, int32_t value, bool refresh) {
    Set({lblMsgSub, pbarSub}, message, value, refresh);
}

void StatusForm::IncrementSubProgress(const QString& message) {
    Set({lblMsgSub, pbarSub}, message, qint64{pbarSub->value()} + 1, true);
}

} // namespace amb::windows
