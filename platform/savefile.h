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
// can, the file is rewritten in place instead, after a write-ahead copy of
// the new content has been synced to the per-user cache folder: a kill
// half-way leaves that copy, which the next read finishes (see
// finishInterruptedSave). An existing file keeps its permissions (and,
// where allowed, its owner). Returns whether the whole content was written
// and synced; otherwise, when whyNot is given, it receives the reason in
// words for the user ("it is read-only").
bool replaceFileContent(const QString& path, const QByteArray& bytes, QString* whyNot = nullptr);

// A lock on the folder of the file at path, held by one saving process at a
// time (Exclusive) or by any number of readers while nobody saves (Shared),
// so that two running copies never save over each other's changes and a
// reader never sees a file that is being rewritten in place. Released when
// it goes out of scope or the process ends. Waits at most waitMs for a
// holder to let go; timedOut() tells whether it waited in vain. Where there
// is nothing to lock (a folder that cannot be opened, a file system without
// locks) the caller goes on unlocked, as before locks.
class SaveLock {
public:
    enum Mode { Shared, Exclusive };
    SaveLock(const QString& path, Mode mode, int waitMs);
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;
    bool timedOut() const { return timedOut_; }

private:
    int fd_ = -1;
    bool timedOut_ = false;
};

// Whether a save that rewrote the file at path in place was stopped before
// it finished: its write-ahead copy is still in the cache folder.
bool hasInterruptedSave(const QString& path);
// Finishes such a save when its copy is complete and the file holds what
// that save can have left in it (the file gets the content the save meant
// to write), and throws the copy away otherwise: when the copy is
// incomplete (the save stopped before it touched the file) or the file has
// been saved or replaced since (finishing would undo that). The caller
// holds an Exclusive SaveLock on path, so that no save still going on is
// mistaken for one that was stopped. Returns false when a copy that should
// be finished is kept because the file cannot be read or written now.
bool finishInterruptedSave(const QString& path);

// Removes the temporary files that saves of the file at path left beside it
// when they were killed, once the process that made each one is gone.
void removeSaveLeftovers(const QString& path);

// Moments of a replacement at which a test stops it, as a kill would. The
// last two belong to a rewrite in place: the write-ahead copy synced, and
// the file half rewritten.
enum class SaveStep { TempWritten, TempNamed, Replaced, CopyWritten, HalfRewritten };
// Tests: called at each step (nullptr restores).
void setSaveStepHook(std::function<void(SaveStep)> hook);

} // namespace platform
