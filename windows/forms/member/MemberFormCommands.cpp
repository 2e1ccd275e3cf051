#include "windows/forms/member/MemberForm.h"

#include "windows/forms/member/PersonLists.h"
#include "windows/forms/member/PersonNotePage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

// The page changes of the person window's two tab controls. The lists' own commands (header sorts,
// row clicks, double-clicks, toolbars and keys) are their parts' (RecordListPart).
namespace amb::windows {

void MemberForm::tabMain_Click() {
    Handle(QStringLiteral("tabMain_Click()"), [&] {
        const int page = tabMain->currentIndex();
        if (page < 0 || page > kNotePage)
            return;
        // Exactly the controls of the page shown are enabled; the note page holds only the note.
        for (const ListControls& l : m_lists)
            l.part->SetEnabled(l.list.page == page);
        cboOfferingType->setEnabled(page == ListOf(kOfferings).list.page);
        m_note->SetEnabled(page == kNotePage);
    });
}

void MemberForm::ConnectPageCommands() {
    connect(tabMain, &QTabWidget::currentChanged, this, [this] { tabMain_Click(); });
}

} // namespace amb::windows
