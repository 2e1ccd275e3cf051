#pragma once

// The database repair tool: finds the installed database files through the machine-wide settings,
// makes each openable again and reports per file what it found. No widgets here, so tests call it.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace amb::fixdb {

// Results of FixDatabase.
inline constexpr int32_t kRepaired = 1;
inline constexpr int32_t kMissing = -1;
inline constexpr int32_t kFailed = -2;

// Message box icons, with the values of the platform's message box.
enum class MessageIcon { Critical = 16, Information = 64 };

// Where Main's one message goes: message boxes in the program, standard error without a display,
// a recorder in tests.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    virtual void Show(const QString& prompt, MessageIcon icon, const QString& title) = 0;
};

// Writes the message to standard error, for a run without a display.
class StandardErrorMessages final : public IMessageBoxes {
public:
    void Show(const QString& prompt, MessageIcon icon, const QString& title) override;
};

// The command line after the program name, joined by one blank, holds "/s" in any letter case.
bool IsSilent(const QStringList& arguments);

// The database files named by the settings, in the order they are tried: for each folder found,
// "db.sys" then "db.mdb"; a folder named twice is taken once. Throws platform::Error when the
// settings file is damaged or unreadable (it is left as it is).
QStringList FindDatabases();

// Makes one database file openable: kRepaired, kMissing (nothing is created) or kFailed with the
// reason. A file that fails keeps every byte.
int32_t FixDatabase(const QString& path, QString& reason);

// The whole run; returns the exit status (0 all found files repaired or nothing to do, 1 otherwise).
int Main(const QStringList& arguments, IMessageBoxes& messages);

} // namespace amb::fixdb
