#include "common/widgets/ControlHelpers.h"

#include "common/StandardModule.h"

#include "common/widgets/ComboBoxHelpers.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QTextEdit>

#include <cmath>
#include <limits>

namespace amb {

namespace {

int TrimmedLength(const QString& text) {
    return static_cast<int>(TrimBlanks(text).size());
}

template <class Edit> void SelectDocumentText(Edit* edit) {
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(TrimmedLength(edit->toPlainText()), QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

} // namespace

void SelectAllText(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setSelection(0, TrimmedLength(line->text()));
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        SelectDocumentText(plain);
    else if (auto* rich = qobject_cast<QTextEdit*>(box))
        SelectDocumentText(rich);
    else if (auto* combo = qobject_cast<QComboBox*>(box))
        SelectAllComboText(combo);
}

void HideControl(QWidget* control, bool hide) {
    if (!control)
        return;
    // A list hidden while it is refilled keeps the keyboard: hiding would move the focus on.
    static const char* const kHadFocus = "ambHideControlHadFocus";
    const QWidget* focus = control->window()->focusWidget();
    if (hide && focus && (focus == control || control->isAncestorOf(focus)))
        control->setProperty(kHadFocus, true);
    control->setVisible(!hide);
    control->setEnabled(!hide);
    if (!hide && control->property(kHadFocus).toBool()) {
        control->setProperty(kHadFocus, QVariant());
        control->setFocus();
    }
}

void HideControl(QAction* control, bool hide) {
    if (!control)
        return;
    control->setVisible(!hide);
    control->setEnabled(!hide);
}

int32_t PixelsToTwips(int32_t pixels, int32_t axis) {
    if (axis != 0 && axis != 1)
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    double dpi = screen ? (axis == 0 ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 0.0;
    if (!(dpi > 0.0))
        dpi = 96.0;
    const double twips = std::nearbyint(pixels * 1440.0 / dpi);
    if (twips >= std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (twips <= std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(twips);
}

} // namespace amb
