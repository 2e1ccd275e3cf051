#include "tools/setup/Settings.h"

#include "common/Values.h"
#include "tools/setup/Terminal.h"

#include "platform/registry/Registry.h"

#include <QStringList>

#include <optional>

namespace amb::setup {

namespace reg = platform::registry;

namespace {

enum class Kind { Text, Locale, AddressFormat, Switch };

struct Setting {
    const char* valueName;
    const char* option; // null: not set from the command line
    Kind kind;
    const char* fallback; // the value of a new installation; null: by its language (LanguageFallback)
    const char* help;
};

// The values of "SOFTWARE\Orv Solutions\Ambrel" that the program reads at start.
const Setting kSettings[] = {
    {.valueName = "CompanyName",
     .option = "company",
     .kind = Kind::Text,
     .fallback = "",
     .help = "The congregation's name."},
    {.valueName = "City", .option = "city", .kind = Kind::Text, .fallback = "", .help = "The congregation's city."},
    {.valueName = "State",
     .option = "state",
     .kind = Kind::Text,
     .fallback = "",
     .help = "The congregation's state or province."},
    {.valueName = "Country",
     .option = "country",
     .kind = Kind::Text,
     .fallback = "",
     .help = "The congregation's country."},
    {.valueName = "NameLocaleID",
     .option = "name-locale",
     .kind = Kind::Locale,
     .fallback = nullptr,
     .help = "How names are shown: 1033 (parts) or 1042 (one field); default the language."},
    {.valueName = "GUILocaleID",
     .option = "language",
     .kind = Kind::Locale,
     .fallback = "1033",
     .help = "Interface language: 1033 (English) or 1042 (Korean)."},
    {.valueName = "DefaultAddressFormat",
     .option = "address-format",
     .kind = Kind::AddressFormat,
     .fallback = nullptr,
     .help = "Address format: 1 (US) or 0 (unknown); default US in English, unknown in Korean."},
    {.valueName = "DateFormat",
     .option = "date-format",
     .kind = Kind::Text,
     .fallback = nullptr,
     .help = "Date format of lists and date fields, e.g. m/d/yyyy; default m/d/yyyy in English, yyyy-M-d in Korean."},
    {.valueName = "AutoBackUp",
     .option = "auto-backup",
     .kind = Kind::Switch,
     .fallback = "1",
     .help = "Back the database up at every start: on or off."},
    {.valueName = "LogOn", .option = "log", .kind = Kind::Switch, .fallback = "1", .help = "Write Log.txt: on or off."},
    {.valueName = "TraceOn",
     .option = "trace",
     .kind = Kind::Switch,
     .fallback = "0",
     .help = "Write Trace.txt: on or off."},
};

std::optional<uint32_t> SwitchValue(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("1") || t == QLatin1String("on") || t == QLatin1String("yes") || t == QLatin1String("true"))
        return 1;
    if (t == QLatin1String("0") || t == QLatin1String("off") || t == QLatin1String("no") || t == QLatin1String("false"))
        return 0;
    return std::nullopt;
}

// The number a Locale, AddressFormat or Switch option stands for; nothing when it is not valid.
std::optional<uint32_t> NumberValue(Kind kind, const QString& text) {
    bool ok = false;
    const uint32_t number = text.trimmed().toUInt(&ok);
    switch (kind) {
    case Kind::Locale:
        return ok && (number == 1033 || number == 1042) ? std::optional<uint32_t>(number) : std::nullopt;
    case Kind::AddressFormat:
        return ok && number <= 1 ? std::optional<uint32_t>(number) : std::nullopt;
    case Kind::Switch:
        return SwitchValue(text);
    case Kind::Text:
        break;
    }
    return std::nullopt;
}

// A new installation's value that follows its language: the name locale is the language, the date
// format the one of the options window's two that the language writes dates in, and the address
// format US in English and unknown (free) in Korean, where city, state and zip code do not apply.
QString LanguageFallback(const Setting& setting, int32_t guiLocaleID) {
    const bool korean = guiLocaleID == 1042;
    switch (setting.kind) {
    case Kind::Text:
        return korean ? QStringLiteral("yyyy-M-d") : amb::DefaultDateFormat();
    case Kind::AddressFormat:
        return korean ? QStringLiteral("0") : QStringLiteral("1");
    case Kind::Locale:
    case Kind::Switch:
        break;
    }
    return QString::number(guiLocaleID);
}

bool Exists(reg::Key key, const QString& name) {
    reg::Value value;
    return reg::QueryValue(key, name, value) == reg::Status::Success;
}

int32_t Write(reg::Key key, const Setting& setting, const QString& text) {
    const QString name = QString::fromLatin1(setting.valueName);
    if (setting.kind == Kind::Text)
        return reg::SetString(key, name, text);
    return reg::SetDWord(key, name, *NumberValue(setting.kind, text));
}

// The option's value: from the command line, else as typed at the terminal; nothing when neither.
std::optional<QString> GivenValue(const SetupContext& context, const QString& option) {
    if (context.parser.isSet(option))
        return context.parser.value(option);
    if (const auto it = context.answers.find(option); it != context.answers.end())
        return *it;
    return std::nullopt;
}

QString ReadInstalled(const QString& name, bool number) {
    reg::ScopedKey key;
    if (reg::OpenKey(reg::LocalMachine, kSettingsKey, key.Receive()) != reg::Status::Success)
        return {};
    if (number) {
        uint32_t value = 0;
        return reg::QueryDWord(key.Get(), name, value) == reg::Status::Success ? QString::number(value) : QString();
    }
    QString value;
    return reg::QueryString(key.Get(), name, value) == reg::Status::Success ? value : QString();
}

} // namespace

void AddSettingOptions(QCommandLineParser& parser) {
    for (const Setting& setting : kSettings)
        parser.addOption(
            {QString::fromLatin1(setting.option), QString::fromLatin1(setting.help), QStringLiteral("value")});
}

bool CheckSettings(SetupContext& context, QString& error) {
    for (const Setting& setting : kSettings) {
        const QString option = QString::fromLatin1(setting.option);
        if (!context.parser.isSet(option))
            continue;
        const QString value = context.parser.value(option);
        const bool valid = setting.kind == Kind::Text
                               ? !(option == QLatin1String("date-format") && value.trimmed().isEmpty())
                               : NumberValue(setting.kind, value).has_value();
        if (!valid) {
            error = QStringLiteral("--%1: \"%2\" is not a valid value. %3")
                        .arg(option, value, QString::fromLatin1(setting.help));
            return false;
        }
    }
    // The congregation's name heads the record tree and the About window: a first installation at a
    // terminal asks for it, as it asks for the administrator's password.
    reg::ScopedKey key;
    bool named = false;
    if (reg::OpenKey(reg::LocalMachine, kSettingsKey, key.Receive()) == reg::Status::Success) {
        reg::Value value;
        named = reg::QueryValue(key.Get(), QStringLiteral("CompanyName"), value) == reg::Status::Success;
    }
    if (!named && !context.parser.isSet(QStringLiteral("company")) && AtTerminal()) {
        QString name;
        if (ReadLine("The congregation's name (it heads the record tree): ", false, name))
            context.answers.insert(QStringLiteral("company"), name.trimmed());
    }
    return true;
}

bool WriteSettings(SetupContext& context, QString& error) {
    reg::ScopedKey key;
    int32_t status = reg::CreateKey(reg::LocalMachine, kSettingsKey, key.Receive());
    if (status == reg::Status::Success)
        status = reg::SetString(key.Get(), QStringLiteral("AppDir"), context.appDir);
    for (const Setting& setting : kSettings) {
        if (status != reg::Status::Success)
            break;
        const QString option = QString::fromLatin1(setting.option);
        const QString name = QString::fromLatin1(setting.valueName);
        if (const auto given = GivenValue(context, option))
            status = Write(key.Get(), setting, *given);
        else if (!Exists(key.Get(), name))
            status = Write(key.Get(), setting,
                           setting.fallback ? QString::fromUtf8(setting.fallback)
                                            : LanguageFallback(setting, context.guiLocaleID));
    }
    if (status != reg::Status::Success) {
        error = QStringLiteral("cannot write the settings in %1: %2")
                    .arg(reg::RegistryDir(), reg::DescribeFailure(reg::LocalMachine, status));
        return false;
    }
    return true;
}

QString InstalledAppDir() {
    return ReadInstalled(QStringLiteral("AppDir"), false);
}

int32_t InstalledGUILocaleID() {
    return ReadInstalled(QStringLiteral("GUILocaleID"), true).toInt();
}

} // namespace amb::setup
