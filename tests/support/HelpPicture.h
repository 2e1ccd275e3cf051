#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace test {

// The size of a window and the texts it shows, one line per visible control in the order the window
// made them: labels, buttons (with their tick), boxes, tabs, list headers and rows, the status bar.
// Passwords are left out.
QStringList ShownTexts(const QWidget& window);

// A picture of the help. With AMB_SHOTS_DIR set, saves the window there as help/<lcid>/<name>.png and
// the texts it shows beside it as <name>.txt (scripts/help-pictures.sh copies both beside the help);
// otherwise checks that the texts kept beside the help's picture are the ones the window shows now,
// so that a picture which no longer shows its window fails until it is made again.
void HelpPicture(const QWidget& window, const QString& lcid, const QString& name);

} // namespace test
