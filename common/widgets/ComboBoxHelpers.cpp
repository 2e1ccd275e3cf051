#include "common/widgets/ComboBoxHelpers.h"

#include "common/StandardModule.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace amb {

namespace {

int TrimmedLength(const QString& text) {
    return static_cast<int>(TrimBlanks(text).size());
}

} // namespace

void FillComboBox(QComboBox* box, const platform::RecordsetPtr& records, const QString& textColumn,
                  const QString& idColumn, bool keepOpen) {
    if (!box)
        return;
    {
        const QSignalBlocker blocker(box);
        box->clear();
    }
    if (!records)
        return;
    const int textIndex = records->FieldIndex(textColumn);
    const int idIndex = records->FieldIndex(idColumn);
    {
        const QSignalBlocker blocker(box);
        for (const platform::Recordset::Row& row : records->Rows())
            box->addItem(AsString(row[textIndex]), AsLong(row[idIndex]));
        box->setCurrentIndex(-1); // so that selecting the first entry below is announced
    }
    if (box->count() > 0)
        box->setCurrentIndex(0);
    if (keepOpen)
        records->MoveFirst();
    else
        records->Close();
}

void SelectComboItem(QComboBox* box, const platform::Variant& value, bool byId) {
    if (!box)
        return;
    int found = 0;
    if (byId) {
        const int32_t id = AsLong(value);
        for (int i = 0; i < box->count(); ++i) {
            const QVariant data = box->itemData(i);
            if (data.isValid() && data.toInt() == id) {
                found = i;
                break;
            }
        }
    } else {
        const QString text = value.ToString();
        for (int i = 0; i < box->count(); ++i) {
            if (box->itemText(i) == text) {
                found = i;
                break;
            }
        }
    }
    if (box->count() > 0)
        box->setCurrentIndex(found);
}

void SelectOrTypeComboText(QComboBox* box, const QString& text) {
    if (!box)
        return;
    const int found = box->findText(text, Qt::MatchExactly);
    if (found >= 0 || !box->isEditable()) {
        if (box->count() > 0)
            box->setCurrentIndex(std::max(found, 0));
        return;
    }
    if (box->count() > 0)
        box->setCurrentIndex(0);
    box->setEditText(text);
}

void SelectAllComboText(QComboBox* box) {
    if (!box || !box->isEditable() || !box->lineEdit())
        return;
    box->lineEdit()->setSelection(0, TrimmedLength(box->lineEdit()->text()));
}

} // namespace amb
