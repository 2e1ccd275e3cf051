#pragma once

#include "contracts/Enums.h"
#include "generic/OrvInterfaces/IApplication.h"
#include "platform/com/Object.h"
#include "platform/data/Dictionary.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace amb {

class IDatabaseManager;
class IWindowLoader;
class IReportPrinter;
using IDatabaseManagerPtr = std::shared_ptr<IDatabaseManager>;
using IWindowLoaderPtr = std::shared_ptr<IWindowLoader>;
using IReportPrinterPtr = std::shared_ptr<IReportPrinter>;

// The hub: settings, folders, string table and the references to every other component.
class IApplication : public virtual platform::Object {
public:
    ~IApplication() override;

    // Set by the hub itself when it opens.
    virtual QString AppDir() = 0;
    virtual QString ReportDir() = 0;
    virtual QString BackUpDir() = 0;

    // Settings.
    virtual QString CompanyName() = 0;
    virtual void SetCompanyName(const QString& value) = 0;
    virtual QString City() = 0;
    virtual void SetCity(const QString& value) = 0;
    virtual QString State() = 0;
    virtual void SetState(const QString& value) = 0;
    virtual QString Country() = 0;
    virtual void SetCountry(const QString& value) = 0;
    virtual int32_t CurrentUserID() = 0;
    virtual void SetCurrentUserID(int32_t value) = 0;
    virtual EnumSupportedLocaleID NameLocaleID() = 0;
    virtual void SetNameLocaleID(EnumSupportedLocaleID value) = 0;
    virtual EnumSupportedLocaleID GUILocaleID() = 0;
    virtual void SetGUILocaleID(EnumSupportedLocaleID value) = 0;
    virtual EnumAddressFormat DefaultAddressFormat() = 0;
    virtual void SetDefaultAddressFormat(EnumAddressFormat value) = 0;
    virtual bool AutoBackUp() = 0;
    virtual void SetAutoBackUp(bool value) = 0;
    virtual QString DateFormat() = 0;
    virtual void SetDateFormat(const QString& value) = 0;

    // Component references.
    virtual orv::IApplicationPtr OrvApplication() = 0;
    virtual void SetOrvApplication(const orv::IApplicationPtr& value) = 0;
    virtual IDatabaseManagerPtr DatabaseManager() = 0;
    virtual void SetDatabaseManager(const IDatabaseManagerPtr& value) = 0;
    virtual IWindowLoaderPtr WindowLoader() = 0;
    virtual void SetWindowLoader(const IWindowLoaderPtr& value) = 0;
    virtual IReportPrinterPtr ReportPrinter() = 0;
    virtual void SetReportPrinter(const IReportPrinterPtr& value) = 0;

    // Text id to user-interface text.
    virtual platform::DictionaryPtr StringTable() = 0;

    virtual int32_t OpenApplication() = 0;
    virtual int32_t CloseApplication() = 0;
};

using IApplicationPtr = std::shared_ptr<IApplication>;

} // namespace amb
