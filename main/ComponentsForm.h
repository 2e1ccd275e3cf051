#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace orv {
class FormHeading;
}

namespace amb::ambrel {

class AppWrapper;

// "Installed Components": the main program and the four components the registry names, with their
// library files' paths, sizes, versions and dates.
class ComponentsForm : public QDialog {
public:
    ComponentsForm(AppWrapper& wrapper, QWidget* parent = nullptr);

    int32_t UpdateForm();
    void cmdClose_Click();
    void lstvwComponents_ColumnClick(int column);

    orv::FormHeading* fhMain;
    QLabel* lblInstallDir;
    QLineEdit* txtInstallDir;
    QLabel* lblMsg;
    QTreeWidget* lstvwComponents;
    QPushButton* cmdClose;

private:
    void ConfigureComponentsGrid();
    void RefreshComponents();

    AppWrapper& m_wrapper;
};

// Opens a web address or document with the desktop's program for it; nothing is shown on failure.
void OpenURL(const QString& address);
// "12 KB" up to 1,000,000 bytes, "1.25 MB" above.
QString FileSizeText(qint64 bytes);

} // namespace amb::ambrel
