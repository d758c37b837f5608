#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
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

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    off_t at = 0;
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, p, size_t(left), at);
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

bool writeInPlace(const QByteArray& path, const QByteArray& bytes)
{
    Fd fd(::open(path.constData(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid() || !writeAll(fd.get(), bytes) || ::ftruncate(fd.get(), off_t(bytes.size())) != 0 ||
        ::fsync(fd.get()) != 0)
        return false;
    return fd.close();
}

} // namespace

void setSaveStepHook(std::function<void(SaveStep)> hook)
{
    stepHook() = std::move(hook);
}

bool replaceFileContent(const QString& path, const QByteArray& bytes)
{
    QFileInfo info(path);
    if (info.isSymLink()) { // the file the link names is the one replaced
        const QString target = info.canonicalFilePath();
        if (target.isEmpty())
            return false;
        info = QFileInfo(target);
    }
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    const QByteArray name = QFile::encodeName(info.fileName());
    const QByteArray full = QFile::encodeName(info.absoluteFilePath());

    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return false;
    struct stat old {};
    const bool exists = ::fstatat(dir.get(), name.constData(), &old, 0) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return false;
    // A file marked read-only stays as it is, also for a user who could
    // replace it.
    if (exists && ::faccessat(dir.get(), name.constData(), W_OK, AT_EACCESS) != 0)
        return false;
    removeLeftovers(dir.get(), info.absolutePath(), name);

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
    if (!file.valid())
        return cannotCreateHere(errno) && exists && writeInPlace(full, bytes);
    auto fail = [&] {
        if (named)
            ::unlinkat(dir.get(), temp.constData(), 0);
        return false;
    };

    if (exists) {
        if (::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
            // Only the owner's own saves keep the owner; the content matters.
        }
        if (::fchmod(file.get(), old.st_mode & 07777) != 0)
            return fail();
    }
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0)
        return fail();
    reached(SaveStep::TempWritten);

    if (!named) {
        ::unlinkat(dir.get(), temp.constData(), 0);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.get());
        if (::linkat(AT_FDCWD, self.constData(), dir.get(), temp.constData(), AT_SYMLINK_FOLLOW) != 0 &&
            ::linkat(file.get(), "", dir.get(), temp.constData(), AT_EMPTY_PATH) != 0)
            return false;
        named = true;
        reached(SaveStep::TempNamed);
    }
    if (!file.close() || ::renameat(dir.get(), temp.constData(), dir.get(), name.constData()) != 0)
        return fail();
    reached(SaveStep::Replaced);
    // The new name in the folder must reach the disk too.
    return ::fsync(dir.get()) == 0 || errno == EINVAL;
}

} // namespace platform
