#include "platform/savefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::function<void(SaveStep)>& stepHook()
{
    static std::function<void(SaveStep)> hook;
    return hook;
}

void reached(SaveStep step)
{
    if (stepHook())
        stepHook()(step);
}

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept
    {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
        return *this;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Whether closing reported no error (some file systems report a failed
    // write only here).
    bool close()
    {
        if (fd_ < 0)
            return true;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0;
    }

private:
    int fd_;
};

// Writes bytes from the start of the file; halfway, when given, is called
// once half of them are written.
bool writeAll(int fd, const QByteArray& bytes, const std::function<void()>& halfway = {})
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    off_t at = 0;
    bool halfCalled = !halfway;
    while (left > 0) {
        if (!halfCalled && at >= bytes.size() / 2) {
            halfCalled = true;
            halfway();
            continue;
        }
        const qsizetype chunk = halfCalled ? left : bytes.size() / 2 - at;
        const ssize_t n = ::pwrite(fd, p, size_t(chunk), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
        at += n;
    }
    return true;
}

bool cannotCreateHere(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool fail(QString* whyNot, const QString& reason)
{
    if (whyNot)
        *whyNot = reason;
    return false;
}

// The file a save of path replaces: the one a link names.
std::optional<QFileInfo> target(const QString& path)
{
    QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        if (resolved.isEmpty())
            return std::nullopt;
        info = QFileInfo(resolved);
    }
    return QFileInfo(QDir::cleanPath(info.absoluteFilePath())); // one name, one write-ahead copy
}

// A temporary name beside the file, carrying the id of the process that
// made it, so that a later save can tell a leftover of a killed save from
// the file of a save still going on.
QByteArray tempName(const QByteArray& name, pid_t pid)
{
    return '.' + name + '.' + QByteArray::number(pid) + ".saving";
}

void removeLeftovers(int dir, const QString& folder, const QByteArray& name)
{
    const QString prefix = QLatin1Char('.') + QFile::decodeName(name) + QLatin1Char('.');
    const QString suffix = QStringLiteral(".saving");
    const QStringList found =
        QDir(folder).entryList({prefix + QLatin1Char('*') + suffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : found) {
        bool ok = false;
        const long pid = entry.mid(prefix.size(), entry.size() - prefix.size() - suffix.size()).toLong(&ok);
        if (!ok || pid <= 0 || entry != QFile::decodeName(tempName(name, pid_t(pid))))
            continue;
        if (pid == ::getpid() || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            ::unlinkat(dir, QFile::encodeName(entry).constData(), 0);
    }
}

void syncFolder(const QString& folder)
{
    Fd dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

// The write-ahead copy of a rewrite in place: in the user's cache folder,
// named after the file it is for, and holding that file's path, the
// lengths and a checksum of the new and the old content, then both. A copy
// whose checksum does not match was cut short before the file was touched.
// The old content tells a file this save was stopped in from one that
// somebody saved since (another user, whose cache holds no copy; or a
// program that replaced the file): a copy finished over that would undo
// the later save.
const QByteArray CopyMagic("Orvalis write-ahead copy 2\n");
// The most a copy carries of either content: far above what an INI file may hold.
constexpr qsizetype MaxContent = 64 * 1024 * 1024;

QString cacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Orvalis");
}

QString copyPath(const QByteArray& full)
{
    return cacheFolder() + QStringLiteral("/inplace-") +
           QString::fromLatin1(QCryptographicHash::hash(full, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".save");
}

QByteArray checksum(const QByteArray& full, const QByteArray& bytes, const QByteArray& old)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(full);
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(bytes);
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(old);
    return hash.result().toHex();
}

QByteArray makeCopy(const QByteArray& full, const QByteArray& bytes, const QByteArray& old)
{
    return CopyMagic + full.toPercentEncoding() + '\n' + QByteArray::number(bytes.size()) + '\n' +
           QByteArray::number(old.size()) + '\n' + checksum(full, bytes, old) + '\n' + bytes + old;
}

struct Copy {
    QByteArray bytes; // the content the save meant to write
    QByteArray old;   // the content it started from
};

// What a copy holds for full; nothing when it is for another file or
// incomplete.
std::optional<Copy> readCopy(const QString& copy, const QByteArray& full)
{
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.read(2 * MaxContent + 4096);
    if (!data.startsWith(CopyMagic))
        return std::nullopt;
    qsizetype at = CopyMagic.size();
    QByteArray fields[4]; // path, new length, old length, checksum
    for (QByteArray& field : fields) {
        const qsizetype end = data.indexOf('\n', at);
        if (end < 0)
            return std::nullopt;
        field = data.mid(at, end - at);
        at = end + 1;
    }
    bool ok = false, oldOk = false;
    const qsizetype length = fields[1].toLongLong(&ok);
    const qsizetype oldLength = fields[2].toLongLong(&oldOk);
    if (QByteArray::fromPercentEncoding(fields[0]) != full || !ok || !oldOk || length < 0 || oldLength < 0 ||
        data.size() - at != length + oldLength)
        return std::nullopt;
    Copy result{data.mid(at, length), data.mid(at + length)};
    if (checksum(full, result.bytes, result.old) != fields[3])
        return std::nullopt;
    return result;
}

// Whether now is what a rewrite from old to bytes can leave when it is
// stopped at any moment, or cut by a power loss: at each place the old
// byte, the new one, or a zero of the room taken for it; as long as the
// shorter of the two at least.
bool isLeftBy(const QByteArray& now, const QByteArray& old, const QByteArray& bytes)
{
    if (now.size() < std::min(old.size(), bytes.size()) || now.size() > std::max(old.size(), bytes.size()))
        return false;
    for (qsizetype i = 0; i < now.size(); ++i) {
        const char c = now[i];
        if (c != 0 && !(i < old.size() && c == old[i]) && !(i < bytes.size() && c == bytes[i]))
            return false;
    }
    return true;
}

// The whole content of the file at full as it is now.
std::optional<QByteArray> currentContent(const QByteArray& full)
{
    QFile file(QFile::decodeName(full));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.read(MaxContent + 1);
    if (file.error() != QFileDevice::NoError || content.size() > MaxContent)
        return std::nullopt;
    return content;
}

void removeCopy(const QString& copy)
{
    if (::unlink(QFile::encodeName(copy).constData()) == 0)
        syncFolder(cacheFolder());
}

bool writeCopy(const QString& copy, const QByteArray& content, QString* whyNot)
{
    auto refuse = [&] {
        return fail(whyNot, QStringLiteral("no safety copy could be kept in %1 (%2)")
                                .arg(QDir::toNativeSeparators(cacheFolder()), systemError(errno)));
    };
    if (!QDir().mkpath(cacheFolder()))
        return errno = EACCES, refuse();
    const QByteArray name = QFile::encodeName(copy);
    ::unlink(name.constData());
    Fd fd(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid() || !writeAll(fd.get(), content) || ::fsync(fd.get()) != 0 || !fd.close()) {
        const int error = errno;
        ::unlink(name.constData());
        errno = error;
        return refuse();
    }
    // Its name must reach the disk before the file is touched.
    syncFolder(cacheFolder());
    return true;
}

// Rewrites the file at full with bytes, from its start. Room for the new
// content is taken first, so that a full disk stops the rewrite before
// anything is changed.
// touched, when given, tells whether the file was changed at all.
bool writeInPlace(const QByteArray& full, const QByteArray& bytes, const std::function<void()>& halfway = {},
                  bool* touched = nullptr)
{
    Fd fd(::open(full.constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid())
        return false;
    if (!bytes.isEmpty()) {
        const int error = ::posix_fallocate(fd.get(), 0, off_t(bytes.size()));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL)
            return errno = error, false;
    }
    if (touched)
        *touched = true;
    if (!writeAll(fd.get(), bytes, halfway) || ::ftruncate(fd.get(), off_t(bytes.size())) != 0 ||
        ::fsync(fd.get()) != 0)
        return false;
    return fd.close();
}

// A rewrite in place that a kill at any moment cannot tear: the new content
// is first kept whole in the cache folder.
bool rewriteInPlace(const QByteArray& full, const QByteArray& bytes, QString* whyNot)
{
    const QString copy = copyPath(full);
    const std::optional<QByteArray> old = currentContent(full);
    if (!old)
        return fail(whyNot, QStringLiteral("it cannot be read (%1)").arg(systemError(errno)));
    if (!writeCopy(copy, makeCopy(full, bytes, *old), whyNot))
        return false;
    reached(SaveStep::CopyWritten);
    bool touched = false;
    if (!writeInPlace(full, bytes, [] { reached(SaveStep::HalfRewritten); }, &touched)) {
        const int error = errno;
        // A file that was changed at all is finished from the copy at the
        // next read.
        if (!touched)
            removeCopy(copy);
        return fail(whyNot, systemError(error));
    }
    reached(SaveStep::Replaced);
    removeCopy(copy);
    return true;
}

} // namespace

void setSaveStepHook(std::function<void(SaveStep)> hook)
{
    stepHook() = std::move(hook);
}

SaveLock::SaveLock(const QString& path, Mode mode, int waitMs)
{
    const std::optional<QFileInfo> file = target(path);
    if (!file)
        return;
    fd_ = ::open(QFile::encodeName(file->absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    QElapsedTimer waited;
    waited.start();
    while (::flock(fd_, (mode == Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 &&
           (errno == EWOULDBLOCK || errno == EINTR)) {
        if (waited.elapsed() >= waitMs) {
            timedOut_ = true;
            return;
        }
        QThread::msleep(2);
    }
}

SaveLock::~SaveLock()
{
    if (fd_ >= 0)
        ::close(fd_); // lets the lock go
}

bool hasInterruptedSave(const QString& path)
{
    const std::optional<QFileInfo> file = target(path);
    return file && QFileInfo::exists(copyPath(QFile::encodeName(file->filePath())));
}

bool finishInterruptedSave(const QString& path)
{
    const std::optional<QFileInfo> file = target(path);
    if (!file)
        return true;
    const QByteArray full = QFile::encodeName(file->filePath());
    const QString copy = copyPath(full);
    if (!QFileInfo::exists(copy))
        return true;
    const std::optional<Copy> saved = readCopy(copy, full);
    struct stat now {};
    const bool regular = ::stat(full.constData(), &now) == 0 && S_ISREG(now.st_mode);
    const std::optional<QByteArray> content = regular ? currentContent(full) : std::nullopt;
    // A copy that cannot be finished now (the file cannot be read or
    // written for the moment) is kept for a later read.
    if (regular && (!content || (saved && isLeftBy(*content, saved->old, saved->bytes) &&
                                 !writeInPlace(full, saved->bytes))))
        return false;
    removeCopy(copy);
    return true;
}

void removeSaveLeftovers(const QString& path)
{
    const std::optional<QFileInfo> file = target(path);
    if (!file)
        return;
    Fd dir(::open(QFile::encodeName(file->absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        removeLeftovers(dir.get(), file->absolutePath(), QFile::encodeName(file->fileName()));
}

bool replaceFileContent(const QString& path, const QByteArray& bytes, QString* whyNot)
{
    const std::optional<QFileInfo> info = target(path);
    if (!info)
        return fail(whyNot, QStringLiteral("it is a link to nothing"));
    const QByteArray folder = QFile::encodeName(info->absolutePath());
    const QByteArray name = QFile::encodeName(info->fileName());
    const QByteArray full = QFile::encodeName(info->absoluteFilePath());

    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return fail(whyNot, QStringLiteral("its folder cannot be opened (%1)").arg(systemError(errno)));
    struct stat old {};
    const bool exists = ::fstatat(dir.get(), name.constData(), &old, 0) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(whyNot, QStringLiteral("it is a folder"));
    if (exists && !S_ISREG(old.st_mode))
        return fail(whyNot, QStringLiteral("it is not a regular file"));
    // A file marked read-only stays as it is, also for a user who could
    // replace it.
    if (exists && ::faccessat(dir.get(), name.constData(), W_OK, AT_EACCESS) != 0)
        return fail(whyNot, QStringLiteral("it is read-only"));
    removeLeftovers(dir.get(), info->absolutePath(), name);

    // An unnamed file first: a kill before the rename leaves nothing behind.
    const QByteArray temp = tempName(name, ::getpid());
    bool named = false;
    Fd file(::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (!file.valid() && !cannotCreateHere(errno)) {
        // A file system without unnamed files.
        ::unlinkat(dir.get(), temp.constData(), 0);
        file = Fd(::openat(dir.get(), temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        named = file.valid();
    }
    if (!file.valid()) {
        if (cannotCreateHere(errno) && exists)
            return rewriteInPlace(full, bytes, whyNot);
        return fail(whyNot, systemError(errno));
    }
    auto failed = [&] {
        const int error = errno;
        if (named)
            ::unlinkat(dir.get(), temp.constData(), 0);
        return fail(whyNot, systemError(error));
    };

    if (exists) {
        if (::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
            // Only the owner's own saves keep the owner; the content matters.
        }
        if (::fchmod(file.get(), old.st_mode & 07777) != 0)
            return failed();
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0)
        return failed();
    reached(SaveStep::TempWritten);

    if (!named) {
        ::unlinkat(dir.get(), temp.constData(), 0);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.get());
        if (::linkat(AT_FDCWD, self.constData(), dir.get(), temp.constData(), AT_SYMLINK_FOLLOW) != 0 &&
            ::linkat(file.get(), "", dir.get(), temp.constData(), AT_EMPTY_PATH) != 0)
            return failed();
        named = true;
        reached(SaveStep::TempNamed);
    }
    if (!file.close() || ::renameat(dir.get(), temp.constData(), dir.get(), name.constData()) != 0)
        return failed();
    reached(SaveStep::Replaced);
    // The new name should reach the disk too; but the content is in place
    // whatever this says, so the save has been made.
    ::fsync(dir.get());
    return true;
}

} // namespace platform
