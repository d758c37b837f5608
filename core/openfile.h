#pragma once
// ShowOpen: the one way the program asks the user for a file (a picture for
// a custom set's button, a calculator or text editor program).
#include <QString>

namespace platform { class Form; }

// Lets the user choose an existing file in the open-file dialog, modal to
// owner's window (nullptr: no owner). filter: "desc|pattern;pattern|desc|..."
// (the final "|" may be left out); the caller's variable is rewritten with
// every "|" turned into a NUL character, as callers of this routine have
// always seen it. title: the dialog's caption; initialDir: the folder shown
// first ("" leaves it to the dialog). Returns the chosen file's full path
// exactly, or "" when the user cancels.
// The pattern "*.EXE" lists the files the user may run; every other pattern
// matches names without regard to case.
QString ShowOpen(platform::Form* owner, QString& filter, const QString& title, const QString& initialDir);
