#pragma once
// INI_File_Tools and the Windows-directory query of WinAPIMod: the program's
// access to its two INI files, orvalis.ini (the external tools' paths) and
// user.dat (the custom unit sets, whose names and pictures the main window
// shows too). Callers pass the full path of the file:
// platform::programFolder() + "/user.dat" or + "/orvalis.ini".
#include "platform/inifile.h"

#include <QString>

// One value of an INI file: without the blanks around it and, when wholly
// enclosed in double quotes, without them; at most 511 characters. A key
// present with an empty value gives "". defaultValue, exactly, for a missing
// file, section or key. Names match regardless of ASCII case.
QString ReadIni(const QString& file, const QString& section, const QString& key, const QString& defaultValue);

// Sets one value: an existing key is replaced where it stands, a new key goes
// to the end of its section, a new section to the end of the file, and the
// file is created as needed; every other line stays as it was. The value is
// written on one line (CR, LF and NUL become blanks). The file is replaced
// as a whole or not at all. Returns whether the value was written: false for
// a file that cannot be written, and for a section name with "]" or a key
// with "=" (or a name that is empty or holds a line break), which would
// corrupt the file; nothing is written then. Callers that save something
// for the user can say whether it was saved.
bool WriteIni(const QString& file, const QString& section, const QString& key, const QString& value);

// The keys of one section, in order, in one replacement of the file: the
// same bytes as that many WriteIni calls, but a crash never leaves some of
// them written. Returns whether all were written (none are otherwise);
// whyNot, when given, then receives the reason in words for the user.
bool WriteIniSection(const QString& file, const QString& section, const platform::IniValues& values,
                     QString* whyNot = nullptr);

// The whole file read once, for many values (as ReadIni gives them):
// ReadIniFile(file).value(section, key, default).
platform::IniSnapshot ReadIniFile(const QString& file);

// The folder where the system keeps its programs, where the Tool Selection
// dialog starts browsing for a calculator or an editor: "/usr/bin" here, in
// place of the Windows directory. No trailing separator.
QString GetWindowsDir();
