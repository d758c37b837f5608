// The metafile helper: draws the metafile named by its first argument at
// the size its other two give (0 0: its own size) and writes the picture to
// standard output (see platform/metafile.h); exit status 0 only when it
// did. The program starts it for each metafile it meets, so the libraries
// behind it are never loaded into the program, and a file that makes them
// crash, loop or grow ends only this process.
#include "platform/metafiledraw.h"
#include "platform/metafile.h"

#include <QGuiApplication>
#include <QThreadPool>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ORVALIS_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVALIS_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

void limit(int resource, rlim_t value)
{
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
}

// The whole of a regular file no larger than the bound; empty otherwise.
// Opened without blocking, so a pipe put in the file's place cannot hold us.
std::vector<unsigned char> readFile(const char* path)
{
    std::vector<unsigned char> bytes;
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    struct stat info{};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0
        && size_t(info.st_size) <= platform::metafile::MaxFileBytes) {
        bytes.resize(size_t(info.st_size));
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
            if (n <= 0)
                break;
            got += size_t(n);
        }
        bytes.resize(got);
    }
    close(fd);
    return bytes;
}

// A side of the size asked for, in pixels; -1 for anything else.
long side(const char* text)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return end != text && *end == 0 && n >= 0 && n <= platform::metafile::MaxSide ? n : -1;
}

} // namespace

int main(int argc, char** argv)
{
    // Ends with the program that started it, and never outlives its limits.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    limit(RLIMIT_CPU, (platform::metafile::TimeLimitMs + 999) / 1000);
    limit(RLIMIT_CORE, 0);
#ifndef ORVALIS_ADDRESS_SANITIZER
    // The address sanitizer reserves far more address space than this.
    limit(RLIMIT_AS, platform::metafile::MaxHelperBytes);
#endif
    // The bound counts address space, not memory used: every thread that
    // allocates would reserve an arena of 64 MB of its own, and Qt scales
    // and converts large images on as many threads as there are cores,
    // each with a stack of megabytes. One arena, and one worker thread
    // (the picture comes out the same).
    mallopt(M_ARENA_MAX, 1);
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    if (argc != 4)
        return 2;
    const long width = side(argv[2]), height = side(argv[3]);
    if (width < 0 || height < 0)
        return 2;
    // Text needs the font database, which needs an application (with no
    // display); made only for a picture with text.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int args = 1;
    std::optional<QGuiApplication> app;
    const std::vector<unsigned char> bytes = readFile(argv[1]);
    const QImage image = metafile::draw(bytes.data(), bytes.size(), QSize(int(width), int(height)), [&] {
                             if (!app)
                                 app.emplace(args, argv);
                         }).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return 1;
    const uint32_t size[] = {uint32_t(image.width()), uint32_t(image.height())};
    bool written = std::fwrite(size, sizeof size, 1, stdout) == 1;
    for (int y = 0; written && y < image.height(); ++y)
        written = std::fwrite(image.constScanLine(y), 4, size_t(image.width()), stdout) == size_t(image.width());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
