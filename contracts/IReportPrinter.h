#pragma once

#include "contracts/Enums.h"
#include "contracts/IApplication.h"
#include "platform/com/Object.h"
#include "platform/data/Dictionary.h"

#include <QString>

#include <memory>

namespace amb {

// Prints and exports reports. Callers: Clear, then ReportName (for a file also PrintToFile,
// ExportFileName, ExportFileType), then PrintReport with the parameter dictionary.
class IReportPrinter : public virtual platform::Object {
public:
    ~IReportPrinter() override;

    virtual IApplicationPtr AmbApplication() = 0;
    virtual void SetAmbApplication(const IApplicationPtr& value) = 0;
    virtual QString ReportName() = 0;
    virtual void SetReportName(const QString& value) = 0;
    virtual QString ExportFileName() = 0;
    virtual void SetExportFileName(const QString& value) = 0;
    virtual EnumReportExportType ExportFileType() = 0;
    virtual void SetExportFileType(EnumReportExportType value) = 0;
    virtual bool PrintToFile() = 0;
    virtual void SetPrintToFile(bool value) = 0;
    virtual platform::ObjectPtr ReportViewer() = 0;
    virtual void SetReportViewer(const platform::ObjectPtr& value) = 0;

    virtual void InitializeReportPrinter() = 0;
    virtual void Clear() = 0;
    // Answers 0, which is no EnumReportError constant, for a report name it does not know.
    virtual EnumReportError PrintReport(const platform::DictionaryPtr& dict) = 0;
    // Why the last PrintReport failed, where the printer knows more than its result says.
    virtual EnumReportFailure LastFailure() { return EnumReportFailure::None; }
    // What that failure's message names (see EnumReportFailure).
    virtual QString LastFailureDetail() { return QString(); }
    // How many labels the last PrintReport printed or exported without their whole text (the log
    // names each one).
    virtual int32_t CutLabelCount() { return 0; }
};

} // namespace amb
