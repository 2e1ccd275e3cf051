#include "common/widgets/HelpKey.h"

#include "common/HelpFile.h"

#include <QShortcut>
#include <QWidget>

namespace amb {

void AddHelpKey(QWidget* window, const QString& source, std::function<QString()> document) {
    QObject::connect(new QShortcut(QKeySequence::HelpContents, window), &QShortcut::activated, window,
                     [source, document = std::move(document)] { OpenHelp(source, document); });
}

} // namespace amb
