#pragma once

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace amb {
class WindowSupport;
}

namespace amb::windows {

// The last step of the report window: the default printer, or an export file of a chosen type.
class DestinationStep : public QWidget {
public:
    DestinationStep(QWidget* parent, const WindowSupport& support);

    void SetCaptions();
    // The default printer, with the export controls off and no file name.
    void Reset();
    // Both export types are offered with each report, PDF chosen, and no file name.
    void OfferExportTypes();
    bool ToPrinter() const;
    // The chosen export type: 0 rich text, 1 PDF.
    int32_t ExportType() const;
    QString FileName() const;
    // An export needs a file name in a folder that exists and can be written.
    bool IsDestinationValid();

private:
    // The export type that a file name's extension names (0 rich text, 1 PDF; -1 neither), and the
    // extension of a type.
    static int ExportTypeOfFileName(const QString& fileName);
    static QString ExportTypeExtension(int exportType);
    void EnableExportControls(int index);
    void AgreeFileNameAndType();
    bool OpenOpenDialog(const QString& fileName, const QString& exportType, QString* chosen);
    void cboExportType_Click();
    void cmdBrowse_Click();

    const WindowSupport& m_support;
    QLabel* lblReportDestinationDesc = nullptr;
    std::array<QRadioButton*, 2> optDestination{};
    QComboBox* cboExportType = nullptr;
    QLabel* lblFileType = nullptr;
    QLineEdit* txtFile = nullptr;
    QLabel* lblFileName = nullptr;
    QPushButton* cmdBrowse = nullptr;
};

} // namespace amb::windows
