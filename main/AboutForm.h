#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace orv {
class FormHeading;
}

namespace amb::ambrel {

class AppWrapper;

// The About window: program, congregation, version, legal notice and warning, the maker's link and
// the way to the installed-components window.
class AboutForm : public QDialog {
public:
    AboutForm(AppWrapper& wrapper, QWidget* parent = nullptr);

    int32_t UpdateForm();
    void cmdCancel_Click();
    void cmdMore_Click();
    void lblURL_Click();

    orv::FormHeading* fhMain;
    QLabel* lblProduct;
    QLabel* lblVersion;
    QLabel* lblNotice;
    QLabel* lblNote;
    QLabel* lblURL;
    QPlainTextEdit* txtWarning;
    QLabel* Image1;
    QPushButton* cmdMore;
    QPushButton* cmdCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppWrapper& m_wrapper;
};

// The maker's name, the product name and the legal notice of this build.
inline constexpr char kMakerName[] = "Orv Solutions";
inline constexpr char kProductName[] = "Ambrel";
inline constexpr char kMakerURL[] = "https://www.orvsolutions.example/ambrel";

} // namespace amb::ambrel
