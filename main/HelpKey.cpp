#include "main/HelpKey.h"

#include "main/AppWrapper.h"

#include "common/ErrorGuard.h"
#include "common/Shell.h"

#include <QShortcut>
#include <QWidget>

namespace amb::ambrel {

void AddHelpKey(QWidget* window, const AppWrapper& wrapper, const QString& source) {
    QObject::connect(new QShortcut(QKeySequence::HelpContents, window), &QShortcut::activated, window,
                     [&wrapper, source] {
                         CatchAll(source, QStringLiteral("Form_Help()"), [&] { ShellOpenDocument(wrapper.HelpFile()); });
                     });
}

} // namespace amb::ambrel
