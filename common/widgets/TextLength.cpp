#include "common/widgets/TextLength.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace amb {

namespace {

// Drops the end of what was just added once the text is longer than the length; a text that was
// longer before keeps its length, so nothing already there is cut.
void LimitDocument(QWidget* box, QTextDocument* document, int length) {
    QObject::connect(document, &QTextDocument::contentsChange, box, [document, length](int position, int, int added) {
        const int excess = document->characterCount() - 1 - length;
        if (excess <= 0 || added <= 0)
            return;
        QTextCursor cursor(document);
        const int end = position + added;
        cursor.setPosition(std::max(position, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

} // namespace

void LimitLength(QWidget* box, int length) {
    if (length <= 0)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setMaxLength(length);
    else if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
        combo->lineEdit()->setMaxLength(length);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
        LimitDocument(box, plain->document(), length);
    else if (auto* rich = qobject_cast<QTextEdit*>(box))
        LimitDocument(box, rich->document(), length);
}

} // namespace amb
