#include "core/ini_file_tools.h"

#include "platform/inifile.h"

QString ReadIni(const QString& file, const QString& section, const QString& key, const QString& defaultValue)
{
    return platform::readIniValue(file, section, key, defaultValue);
}

bool WriteIni(const QString& file, const QString& section, const QString& key, const QString& value)
{
    return platform::writeIniValue(file, section, key, value);
}

QString GetWindowsDir()
{
    return QStringLiteral("/usr/bin");
}
