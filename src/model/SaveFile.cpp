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

// Writes `size` bytes from the start of the file.
std::string writeAll(int fd, const unsigned char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pwrite(fd, bytes + done, size - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? std::strerror(errno) : "nothing could be written";
        done += static_cast<std::size_t>(n);
    }
    return {};
}

// Devices and pipes cannot be synced; for them the write itself is the test.
std::string syncFile(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == EROFS) return {};
    return std::strerror(errno);
}

std::string writeAndSync(int fd, const unsigned char* bytes, std::size_t size) {
    std::string why = writeAll(fd, bytes, size);
    return why.empty() ? syncFile(fd) : why;
}

// The file a save writes to: symbolic links followed to their end, so a link
// stays a link and its target takes the new content. A link that points
// nowhere names the file to create.
std::string followLinks(const std::string& path) {
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size) + 256);
        ssize_t n = ::readlink(at.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return at;
        std::string next(buffer.data(), static_cast<std::size_t>(n));
        at = next.front() == '/' ? next : folderOf(at) + "/" + next;
    }
    return at; // a loop of links: the open reports it
}

// Rewrites an existing file where it lies: for a folder the user may not
// create files in, and for devices and pipes. The new content is written over
// the old from the start and the file cut to its length, so a file that held
// as much before needs no new space; should a write fail all the same, the
// old content is put back as far as it can be.
std::string rewriteInPlace(const std::string& target, const std::vector<unsigned char>& bytes) {
    // Without blocking on a pipe that nobody reads.
    int fd = ::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const bool readable = fd >= 0;
    if (!readable) fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::vector<unsigned char> old;
    if (regular && readable) {
        old.resize(static_cast<std::size_t>(st.st_size));
        if (!old.empty() && ::pread(fd, old.data(), old.size(), 0) != st.st_size) old.clear();
    }
    std::string why = writeAll(fd, bytes.data(), bytes.size());
    if (why.empty() && regular && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        why = std::strerror(errno);
    if (why.empty()) why = syncFile(fd);
    if (!why.empty() && regular && old.size() == static_cast<std::size_t>(st.st_size)) {
        if (writeAll(fd, old.data(), old.size()).empty() && ::ftruncate(fd, st.st_size) == 0)
            syncFile(fd);
    }
    if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
    return why;
}

// The temporary file is filled with `bytes`, every write checked, synced and
// closed, then renamed over the target; on any failure it is removed and the
// target is as it was. Where no temporary file can be made beside an existing
// target (a folder the user may not create files in), or the target is no
// regular file (a device), the content is written in place instead.
std::string replaceThrough(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string target = followLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return std::strerror(EISDIR);
    // A file the user may not write is not replaced behind its back, though
    // the folder would let a new one take its name.
    if (exists && ::access(target.c_str(), W_OK) != 0) return std::strerror(errno);
    if (exists && !S_ISREG(st.st_mode)) return rewriteInPlace(target, bytes);
    std::string tempPath;
    int fd = createTempBeside(target, tempPath);
    if (fd < 0) {
        const int createError = errno;
        if (!exists || (createError != EACCES && createError != EPERM))
            return std::strerror(createError);
        return rewriteInPlace(target, bytes);
    }
    keepPermissionsOf(target, fd);
    std::string why = writeAndSync(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 && why.empty()) why = std::strerror(errno);
    if (why.empty() && std::rename(tempPath.c_str(), target.c_str()) != 0)
        why = std::strerror(errno);
    if (!why.empty()) ::unlink(tempPath.c_str());
    return why;
}

} // namespace

std::string writeFileReplacing(const std::string& target, const std::vector<unsigned char>& bytes) {
    return replaceThrough(target, bytes);
}

std::string writeFileReplacing(const std::string& target, const std::string& bytes) {
    return writeFileReplacing(target, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

} // namespace corvellan
