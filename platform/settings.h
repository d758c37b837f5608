#pragma once
// The per-user settings store: text values by application, section and key,
// kept where the desktop keeps each user's settings (through QSettings, under
// the organisation "Orvalis": ~/.config/Orvalis/APP.conf on Linux).
#include <QString>

namespace platform {

// The value of key in section of appName's settings; defaultValue when it
// has none.
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue);

// Stores the value and writes it out; false when the store could not be
// written (the value is then lost, nothing else happens).
bool SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);

// Tests: keeps every application's settings under folder instead of the
// user's own, from the next use of the store on.
void setSettingsFolder(const QString& folder);

} // namespace platform
