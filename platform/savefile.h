#pragma once
// Replacing a file's content as a whole, for the files users and other
// programs share (user.dat, orvalis.ini).
#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// Writes bytes as the new content of the file at path (its folder must
// exist). Normally the content goes to an unnamed file in the same folder,
// which is synced and then renamed over the old file, and the folder is
// synced after it: a crash or a kill leaves either the old or the new file,
// and a finished replacement survives a power cut. Where the folder cannot
// be written (an installation prepared by an administrator) but the file
// can, the file is rewritten in place instead. An existing file keeps its
// permissions (and, where allowed, its owner). Returns whether the whole
// content was written and synced.
bool replaceFileContent(const QString& path, const QByteArray& bytes);

// Moments of a replacement at which a test stops it, as a kill would.
enum class SaveStep { TempWritten, TempNamed, Replaced };
// Tests: called at each step (nullptr restores).
void setSaveStepHook(std::function<void(SaveStep)> hook);

} // namespace platform
