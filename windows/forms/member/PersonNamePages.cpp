#include "windows/forms/member/PersonNamePages.h"

#include "windows/forms/NamedControl.h"

#include "common/ColumnLengths.h"
#include "common/ResourceIDs.h"
#include "common/StandardModule.h"
#include "common/widgets/ControlHelpers.h"
#include "common/widgets/TextLength.h"
#include "platform/data/Dictionary.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace amb::windows {

using namespace amb::res;

PersonNamePages::PersonNamePages(QWidget* area, const WindowSupport& support) : m_support(support) {
    txtLanguageName = NamedControl<QLineEdit>(area, "txtLanguageName");
    txtFirstName = NamedControl<QLineEdit>(area, "txtFirstName");
    txtMiddleName = NamedControl<QLineEdit>(area, "txtMiddleName");
    txtLastName = NamedControl<QLineEdit>(area, "txtLastName");
    txtSuffix = NamedControl<QLineEdit>(area, "txtSuffix");
    lblLanguageName = NamedLabel(area, "lblLanguageName", txtLanguageName);
    lblFirstName = NamedLabel(area, "lblFirstName", txtFirstName);
    lblMiddleName = NamedLabel(area, "lblMiddleName", txtMiddleName);
    lblLastName = NamedLabel(area, "lblLastName", txtLastName);
    lblSuffix = NamedLabel(area, "lblSuffix", txtSuffix);

    tabName = NamedControl<QTabWidget>(area, "tabName");
    auto* languagePage = new QWidget(tabName);
    auto* languageGrid = new QGridLayout(languagePage);
    languageGrid->addWidget(lblLanguageName, 0, 0);
    languageGrid->addWidget(txtLanguageName, 0, 1);
    languageGrid->setRowStretch(1, 1);
    auto* partsPage = new QWidget(tabName);
    auto* partsGrid = new QGridLayout(partsPage);
    struct Part {
        QLabel* label;
        QLineEdit* box;
        int length;
    };
    const Part parts[] = {{lblFirstName, txtFirstName, TextLimit("Person", "FirstName")},
                          {lblMiddleName, txtMiddleName, TextLimit("Person", "MiddleName")},
                          {lblLastName, txtLastName, TextLimit("Person", "LastName")},
                          {lblSuffix, txtSuffix, TextLimit("Person", "Suffix")}};
    int row = 0;
    for (const Part& part : parts) {
        partsGrid->addWidget(part.label, row, 0);
        partsGrid->addWidget(part.box, row++, 1);
    }
    tabName->addTab(languagePage, QString());
    tabName->addTab(partsPage, QString());

    LimitLength(txtLanguageName, TextLimit("Person", "LanguageName"));
    for (const Part& part : parts) {
        LimitLength(part.box, part.length);
        const QString procedure = part.box->objectName() + QStringLiteral("_GotFocus()");
        OnFocus(this, part.box, [this, box = part.box, procedure] {
            m_support.Handle(procedure, [box] { SelectAllText(box); });
        });
    }
    connect(tabName, &QTabWidget::currentChanged, this, [this] { tabName_Click(); });
}

void PersonNamePages::SetCaptions(bool english) {
    struct Caption {
        QLabel* label;
        int32_t text;
        bool required;
    };
    // The marks follow the name checks of the locale.
    const Caption labels[] = {{lblLanguageName, kLabelName, !english},
                              {lblFirstName, kLabelFirstName, english},
                              {lblMiddleName, kLabelMiddleName, false},
                              {lblLastName, kLabelLastName, english},
                              {lblSuffix, kLabelSuffix, false}};
    for (const Caption& c : labels)
        c.label->setText(c.required ? m_support.RequiredText(c.text) : m_support.Text(c.text));
    tabName->setTabText(0, m_support.Text(english ? kLabelLanguageName : kLabelName));
    tabName->setTabText(1, m_support.Text(english ? kLabelName : kLabelEnglishName));
}

void PersonNamePages::ShowLocale(bool english) {
    tabName->setTabVisible(0, !english);
    tabName->setTabEnabled(0, !english);
    lblLanguageName->setVisible(!english);
    lblLanguageName->setEnabled(!english);
    txtLanguageName->setVisible(!english);
    txtLanguageName->setEnabled(!english);
    tabName->setTabVisible(1, true);
    tabName->setTabEnabled(1, true);
    tabName->setCurrentIndex(english ? 1 : 0);
    tabName_Click();
    // The window opens with the cursor in the name, not on the name pages' tabs.
    (english ? txtFirstName : txtLanguageName)->setFocus();
}

void PersonNamePages::Load(const PersonField& field) {
    const std::pair<QLineEdit*, const char*> boxes[] = {{txtLanguageName, "LanguageName"},
                                                        {txtFirstName, "FirstName"},
                                                        {txtMiddleName, "MiddleName"},
                                                        {txtLastName, "LastName"},
                                                        {txtSuffix, "Suffix"}};
    for (const auto& [box, column] : boxes)
        box->setText(AsString(field(column)));
}

std::optional<MissingEntry> PersonNamePages::FirstMissing(bool english) const {
    const auto empty = [](const QLineEdit* box) { return box->text().trimmed().isEmpty(); };
    if (!english) {
        if (empty(txtLanguageName))
            return MissingEntry{kMsgEnterName, txtLanguageName};
        return std::nullopt;
    }
    if (empty(txtFirstName))
        return MissingEntry{kMsgEnterFirstName, txtFirstName};
    if (empty(txtLastName))
        return MissingEntry{kMsgEnterLastName, txtLastName};
    return std::nullopt;
}

void PersonNamePages::Enter(platform::Dictionary& record) const {
    const std::pair<const char*, const QLineEdit*> entries[] = {{"LanguageName", txtLanguageName},
                                                                {"FirstName", txtFirstName},
                                                                {"MiddleName", txtMiddleName},
                                                                {"LastName", txtLastName},
                                                                {"Suffix", txtSuffix}};
    for (const auto& [key, box] : entries)
        record.SetItem(QString::fromLatin1(key), NullIfBlank(platform::Variant(box->text())));
}

QString PersonNamePages::CaptionName(bool english) const {
    if (english)
        return txtLastName->text().trimmed() + QStringLiteral(", ") + txtFirstName->text().trimmed();
    return txtLanguageName->text().trimmed();
}

void PersonNamePages::tabName_Click() {
    m_support.Handle(QStringLiteral("tabName_Click()"), [&] {
        const int page = tabName->currentIndex();
        if (page != 0 && page != 1)
            return;
        // The texts of the fields switched off stay as they are and are still saved.
        txtLanguageName->setEnabled(page == 0);
        for (QLineEdit* part : {txtFirstName, txtMiddleName, txtLastName, txtSuffix})
            part->setEnabled(page == 1);
    });
}

} // namespace amb::windows
