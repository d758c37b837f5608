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

bool WriteIniSection(const QString& file, const QString& section, const platform::IniValues& values,
                     QString* whyNot)
{
    return platform::writeIniValues(file, section, values, whyNot);
}

platform::IniSnapshot ReadIniFile(const QString& file)
{
    return platform::IniSnapshot::read(file);
}

QString GetWindowsDir()
{
    return QStringLiteral("/usr/bin");
}
