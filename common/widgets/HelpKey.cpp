#include "common/widgets/HelpKey.h"

#include <QShortcut>
#include <QWidget>

namespace amb {

void AddHelpKey(QWidget* window, const QString& source, std::function<QString()> document, HelpNotShown notShown) {
    QObject::connect(new QShortcut(QKeySequence::HelpContents, window), &QShortcut::activated, window,
                     [source, document = std::move(document), notShown = std::move(notShown)] {
                         OpenHelp(source, document, notShown);
                     });
}

} // namespace amb
