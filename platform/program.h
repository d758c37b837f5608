#pragma once
// The program as a whole: where it lives and how it ends.
#include <QString>
#include <functional>

namespace platform {

// Ends the program at once: the event loop stops, no window is asked or
// told, and nothing of any window's unload code runs.
void endProgram();

// Tests replace the ending with a hook that records it (nullptr restores).
void setEndProgramHook(std::function<void()> hook);

// Runs the program until it ends, then destroys every window still loaded,
// without running any form code. Returns the program's exit status.
int runToEnd();

// The folder that holds the executable; orvalis.ini and user.dat live here.
QString programFolder();
// Tests point the program at a folder of their own (empty restores).
void setProgramFolder(const QString& folder);

// The program's version record, as the build records it: major, minor,
// build and revision (5.2.0.1).
struct VersionRecord {
    int Major, Minor, Build, Revision;
};
VersionRecord programVersion();

// The program's title, as its messages are captioned.
QString programTitle();

} // namespace platform
