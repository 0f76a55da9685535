#include "model/SaveFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvellan {

namespace {

std::string folderOf(const std::string& path) {
    std::size_t cut = path.rfind('/');
    if (cut == std::string::npos) return ".";
    return cut == 0 ? "/" : path.substr(0, cut);
}

// Creates a new, empty file beside `target`; returns its descriptor or -1
// with errno set.
int createTempBeside(const std::string& target, std::string& tempPath) {
    const std::string stem = folderOf(target) + "/.corvellan-save-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + "-" + std::to_string(attempt) + ".tmp";
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void keepPermissionsOf(const std::string& target, int fd) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    if (::fchmod(fd, st.st_mode & 07777) != 0) return; // cosmetic: the data is what matters
}

std::string writeAll(int fd, const unsigned char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing could be written";
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0 ? std::string() : std::strerror(errno);
}

// The temporary file is filled by `fill` through its open descriptor, then
// renamed over `target`; on any failure it is removed and `target` is as it
// was.
template <class Fill> std::string replaceThrough(const std::string& target, Fill&& fill) {
    std::string tempPath;
    int fd = createTempBeside(target, tempPath);
    if (fd < 0) return std::strerror(errno);
    keepPermissionsOf(target, fd);
    std::string why = fill(fd, tempPath);
    if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
    if (why.empty() && std::rename(tempPath.c_str(), target.c_str()) != 0)
        why = std::strerror(errno);
    if (!why.empty()) ::unlink(tempPath.c_str());
    return why;
}

} // namespace

std::string writeFileReplacing(const std::string& target, const std::vector<unsigned char>& bytes) {
    return replaceThrough(target, [&](int fd, const std::string&) {
        return writeAll(fd, bytes.data(), bytes.size());
    });
}

std::string writeFileReplacing(const std::string& target, const std::string& bytes) {
    return replaceThrough(target, [&](int fd, const std::string&) {
        return writeAll(fd, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    });
}

std::string writeFileReplacing(const std::string& target,
                               const std::function<std::string(const std::string&)>& write) {
    return replaceThrough(target, [&](int fd, const std::string& tempPath) {
        std::string why = write(tempPath);
        // The writer has closed its own handle; flush the data to disk
        // through ours before the rename makes it the target.
        if (why.empty() && ::fsync(fd) != 0) why = std::strerror(errno);
        return why;
    });
}

} // namespace corvellan
