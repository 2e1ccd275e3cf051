#pragma once

#include "tools/setup/SetupContext.h"

namespace amb::setup {

inline const QString kSettingsKey = QStringLiteral("SOFTWARE\\Orv Solutions\\Ambrel");

void AddSettingOptions(QCommandLineParser& parser);
// Checks the values of the setting options.
bool CheckSettings(SetupContext& context, QString& error);
// Writes the machine-wide settings: a value given on the command line always, any other only when
// the installation has none yet. AppDir is always the folder installed into.
bool WriteSettings(SetupContext& context, QString& error);

// The AppDir that an earlier installation recorded, or "".
QString InstalledAppDir();
// The interface language that an earlier installation recorded, or 0.
int32_t InstalledGUILocaleID();

} // namespace amb::setup
