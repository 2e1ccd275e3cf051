#include "windows/forms/member/PersonNotePage.h"

#include "windows/forms/NamedControl.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/TextLength.h"
#include "platform/data/Dictionary.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace amb::windows {

PersonNotePage::PersonNotePage(QTabWidget* pages, const WindowSupport& support, QPushButton* ok)
    : m_support(support), m_ok(ok) {
    txtNote = NamedControl<QPlainTextEdit>(pages, "txtNote");
    txtNote->setTabChangesFocus(true);
    LimitLength(txtNote, TextLimit("Person", "Note"));
    m_page = new QWidget(pages);
    auto* layout = new QVBoxLayout(m_page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(txtNote);
    OnFocus(this, txtNote, [this] { txtNote_GotFocus(); }, [this] { txtNote_LostFocus(); });
}

void PersonNotePage::SetCaptions(QTabWidget* pages, int page) {
    pages->setTabText(page, m_support.Text(res::kLabelNote));
    txtNote->setAccessibleName(m_support.Text(res::kLabelNote));
}

void PersonNotePage::SetEnabled(bool enabled) {
    txtNote->setEnabled(enabled);
}

void PersonNotePage::Load(const PersonField& field) {
    txtNote->setPlainText(AsString(field("Note")));
}

void PersonNotePage::Enter(platform::Dictionary& record) const {
    record.SetItem(QStringLiteral("Note"), NullIfBlank(platform::Variant(txtNote->toPlainText())));
}

void PersonNotePage::txtNote_GotFocus() {
    // Enter in the note starts a new line instead of pressing OK.
    m_support.Handle(QStringLiteral("txtNote_GotFocus()"), [&] { m_ok->setDefault(false); });
}

void PersonNotePage::txtNote_LostFocus() {
    m_support.Handle(QStringLiteral("txtNote_LostFocus()"), [&] { m_ok->setDefault(true); });
}

} // namespace amb::windows
