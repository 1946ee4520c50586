#include "TReadFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What kind of thing a name stands for, when it is not a regular file.
const char* NotAFile(mode_t mode) {
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a file";
    if (S_ISFIFO(mode))
        return "it is a pipe, not a file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a file";
    return S_ISREG(mode) ? nullptr : "it is not a regular file";
}

} // namespace

TReadFile::TReadFile(const std::string& fileName) {
    if (fileName.empty()) {
        Why = "the file has no name";
        return;
    }
    // Looked at before it is opened: opening a device can have effects of its own, and opening a
    // pipe waits for a writer.
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0) {
        Why = std::strerror(errno);
        return;
    }
    if (const char* what = NotAFile(st.st_mode)) {
        Why = what;
        return;
    }
    // Without waiting, and checked again once open, in case the name was changed in between.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Why = std::strerror(errno);
        return;
    }
    if (::fstat(fd, &st) != 0 || NotAFile(st.st_mode)) {
        Why = NotAFile(st.st_mode) ? NotAFile(st.st_mode) : std::strerror(errno);
        ::close(fd);
        return;
    }
    Descriptor = fd;
    FileSize = std::int64_t(st.st_size);
}

TReadFile::~TReadFile() {
    if (Descriptor >= 0)
        ::close(Descriptor);
}

long long TReadFile::Read(char* into, std::size_t count) {
    if (Descriptor < 0)
        return -1;
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(Descriptor, into + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Why = std::strerror(errno);
            return -1;
        }
        if (n == 0)
            break;
        got += std::size_t(n);
    }
    return (long long)got;
}

bool TReadFile::ReadAll(std::string& out, std::size_t limit) {
    if (Descriptor < 0)
        return false;
    // The size read at opening sizes the buffer; a file that grew since is still cut at the limit.
    const std::size_t want = limit == std::string::npos ? limit : limit + 1;
    std::string bytes(std::min<std::size_t>(std::size_t(std::max<std::int64_t>(FileSize, 0)), want),
                      '\0');
    long long got = Read(bytes.data(), bytes.size());
    if (got < 0)
        return false;
    bytes.resize(std::size_t(got));
    // Whatever was added after the size was taken, up to the limit.
    char chunk[4096];
    while (bytes.size() < want) {
        const long long n = Read(chunk, std::min(sizeof chunk, want - bytes.size()));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        bytes.append(chunk, std::size_t(n));
    }
    out = std::move(bytes);
    return true;
}
