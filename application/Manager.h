#pragma once

#include "contracts/IApplication.h"

namespace amb::application {

// The hub of a run: the machine-wide settings, the folders derived from them, the string table of
// the interface language and the references to the other components. It writes no log lines.
class Manager : public IApplication {
public:
    Manager();
    ~Manager() override;

    QString AppDir() override;
    QString ReportDir() override;
    QString BackUpDir() override;

    QString CompanyName() override;
    void SetCompanyName(const QString& value) override;
    QString City() override;
    void SetCity(const QString& value) override;
    QString State() override;
    void SetState(const QString& value) override;
    QString Country() override;
    void SetCountry(const QString& value) override;
    int32_t CurrentUserID() override;
    void SetCurrentUserID(int32_t value) override;
    EnumSupportedLocaleID NameLocaleID() override;
    void SetNameLocaleID(EnumSupportedLocaleID value) override;
    EnumSupportedLocaleID GUILocaleID() override;
    void SetGUILocaleID(EnumSupportedLocaleID value) override;
    EnumAddressFormat DefaultAddressFormat() override;
    void SetDefaultAddressFormat(EnumAddressFormat value) override;
    bool AutoBackUp() override;
    void SetAutoBackUp(bool value) override;
    QString DateFormat() override;
    void SetDateFormat(const QString& value) override;

    orv::IApplicationPtr OrvApplication() override;
    void SetOrvApplication(const orv::IApplicationPtr& value) override;
    IDatabaseManagerPtr DatabaseManager() override;
    void SetDatabaseManager(const IDatabaseManagerPtr& value) override;
    IWindowLoaderPtr WindowLoader() override;
    void SetWindowLoader(const IWindowLoaderPtr& value) override;
    IReportPrinterPtr ReportPrinter() override;
    void SetReportPrinter(const IReportPrinterPtr& value) override;

    platform::DictionaryPtr StringTable() override;

    int32_t OpenApplication() override;
    int32_t CloseApplication() override;

private:
    bool ReadSettings();
    void LoadStrings();

    orv::IApplicationPtr m_orvApplication;
    IDatabaseManagerPtr m_databaseManager;
    IWindowLoaderPtr m_windowLoader;
    IReportPrinterPtr m_reportPrinter;
    QString m_appDir;
    QString m_reportDir;
    QString m_backUpDir;
    QString m_companyName;
    QString m_city;
    QString m_state;
    QString m_country;
    int32_t m_currentUserID = 0;
    platform::DictionaryPtr m_stringTable;
    EnumAddressFormat m_defaultAddressFormat = EnumAddressFormat::USFormat;
    EnumSupportedLocaleID m_nameLocaleID = EnumSupportedLocaleID::English;
    EnumSupportedLocaleID m_guiLocaleID = EnumSupportedLocaleID::English;
    bool m_autoBackUp = false;
    QString m_dateFormat;
    bool m_logOn = false;
    bool m_traceOn = false;
};

} // namespace amb::application
