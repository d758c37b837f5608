#pragma once
// Starting another program beside this one, without a shell: nothing in a
// command line is ever run as a shell command. The started program is not
// waited for or watched.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// How the started program's window comes up.
enum WindowStyle { vbNormalFocus = 1, vbNormalNoFocus = 4 };

struct ProgramStart {
    QString program;
    QStringList arguments;
    int style = vbNormalFocus;
};

// What a command line starts: a command line that names an existing file
// starts that file as it is, blanks and all; any other is split into the
// program and its arguments, blanks separating them and double quotes
// holding them together (three quotes in a row give one quote). Nothing
// for an empty command line (or one of blanks only).
std::optional<ProgramStart> programOf(const QString& commandLine, int style);

// Starts the program of a command line; false when there is nothing to start
// or the system cannot start it (no such program, not executable). With
// vbNormalNoFocus the program's window does not take the focus from the
// active window of this program, where the desktop lets us.
bool Shell(const QString& commandLine, int style);

// Tests: every start goes to the starter instead (nullptr restores), which
// tells whether it started.
using ProgramStarter = std::function<bool(const ProgramStart&)>;
void setProgramStarter(ProgramStarter starter);

} // namespace platform
