#include "windows/forms/contact/ContactValueForm.h"

#include "common/ColumnLengths.h"
#include "common/StandardModule.h"
#include "common/widgets/TextLength.h"
#include "windows/forms/NamedControl.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace amb::windows {

ContactValueForm::ContactValueForm(const ContactKind& kind, QWidget* parent)
    : ContactForm(kind, parent), m_label(nullptr), m_box(NamedControl<QLineEdit>(this, kind.valueBoxName)) {
    m_label = NamedLabel(this, kind.valueLabelName, m_box);
    auto* row = new QGridLayout;
    row->setHorizontalSpacing(8);
    row->addWidget(m_label, 0, 0);
    row->addWidget(m_box, 0, 1);
    row->setColumnStretch(1, 1);
    ValueArea()->addLayout(row);
    SetValueTabOrder({m_box});
    SelectOnFocus(m_box);
    LimitLength(m_box, DeclaredLength(kind.table, kind.valueColumn));
}

ContactValueForm::~ContactValueForm() = default;

void ContactValueForm::SetValueCaptions() {
    m_label->setText(RequiredText(Kind().valueLabel));
}

void ContactValueForm::ShowValues(const platform::Recordset& row) {
    m_box->setText(AsString(row.Field(QString::fromLatin1(Kind().valueColumn))));
}

void ContactValueForm::AddValues(platform::Dictionary& record) {
    record.SetItem(QString::fromLatin1(Kind().valueColumn), AsString(m_box->text()));
}

} // namespace amb::windows
