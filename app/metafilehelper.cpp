// The metafile helper: draws the metafile named by its one argument and
// writes it to standard output as SVG; exit status 0 only when it did. The
// program starts it for each metafile it meets, so the libraries behind it
// are never loaded into the program, and a file that makes them crash, loop
// or grow ends only this process.
#include "platform/metafiletosvg.h"
#include "platform/metafile.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
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

} // namespace

int main(int argc, char** argv)
{
    // Ends with the program that started it, and never outlives its limits.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    limit(RLIMIT_CPU, (platform::metafile::TimeLimitMs + 999) / 1000);
    limit(RLIMIT_CORE, 0);
#ifndef ORVALIS_ADDRESS_SANITIZER
    // The address sanitizer reserves far more address space than this.
    limit(RLIMIT_AS, rlim_t(1024) * 1024 * 1024);
#endif
    if (argc != 2)
        return 2;
    const std::vector<unsigned char> bytes = readFile(argv[1]);
    const std::string svg = metafile::toSvg(bytes.data(), bytes.size());
    if (svg.empty() || svg.size() > platform::metafile::MaxSvgBytes)
        return 1;
    return std::fwrite(svg.data(), 1, svg.size(), stdout) == svg.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
