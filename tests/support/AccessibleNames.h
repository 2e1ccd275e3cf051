#pragma once

#include <QString>
#include <QStringList>

#include <span>

class QWidget;

namespace test {

// A control left out of the name check, by object name, and why (for the reader of the test).
struct UnnamedControl {
    const char* name;
    const char* reason;
};

// What a screen reader would get wrong in `window`, one line per control (empty when nothing): every
// visible input control, button, list, tree and toolbar needs a name, equal to the text of its label
// (the label whose buddy it is) or to its own caption; a combo box or date box needs a Label relation
// to its label, since Qt names a combo box by its value. The parts of a date picker are checked
// against the picker's label.
QStringList AccessibleNameProblems(QWidget& window, std::span<const UnnamedControl> exceptions = {});

// The same for every page of every tab control of the window, each page shown by a click on its tab.
QStringList AccessibleNameProblemsOnEveryPage(QWidget& window, std::span<const UnnamedControl> exceptions = {});

// Every control that Tab reaches in `window`, on each page of its tab controls, has a name of its own
// (not empty, not its object name): what a reader says when the focus arrives there.
QStringList TabReachedNameProblems(QWidget& window, std::span<const UnnamedControl> exceptions = {});

// The accessibility tree of `window` as a reader walks it, one visible node a line ("role 'name'
// [value] <- label"). With AMB_A11Y_DUMP_DIR set, DumpAccessibleTree also writes it to
// <dir>/<file>.txt for reading.
QString AccessibleTree(QWidget& window);
void DumpAccessibleTree(QWidget& window, const QString& file);

} // namespace test
