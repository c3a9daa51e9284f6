#include "model/FileStreams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/Exception.h"

namespace tavik {

namespace {

// The system's reason in the user's language for the cases a clerk meets.
std::string systemReason() {
    switch (errno) {
        case ENOENT: return "plik nie istnieje";
        case EACCES:
        case EPERM: return "brak uprawnień";
        case EISDIR: return "to jest katalog";
        case ENOSPC: return "brak miejsca na dysku";
        case EROFS: return "nośnik tylko do odczytu";
        case ENOTDIR: return "błędna ścieżka";
        default: return std::strerror(errno);
    }
}

}  // namespace

std::unique_ptr<FileInput> FileInput::open(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error) *error = systemReason();
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        if (error) *error = systemReason();
        return nullptr;
    }
    return std::unique_ptr<FileInput>(new FileInput(fd));
}

FileInput::~FileInput() {
    ::close(fd_);
}

std::size_t FileInput::read(char* dst, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd_, dst, n);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw Exception("Błąd odczytu pliku: " + systemReason());
    }
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    auto file = FileInput::open(path, error);
    if (!file) return false;
    std::string result;
    char chunk[64 * 1024];
    try {
        while (const std::size_t got = file->read(chunk, sizeof chunk))
            result.append(chunk, got);
    } catch (const Exception& e) {
        if (error) *error = e.message();
        return false;
    }
    bytes = std::move(result);
    return true;
}

AtomicFileOutput::AtomicFileOutput(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFileOutput::~AtomicFileOutput() {
    discard();
}

bool AtomicFileOutput::fail(const char* what) {
    error_ = std::string(what) + ": " + systemReason();
    discard();
    return false;
}

bool AtomicFileOutput::open() {
    discard();
    // Saving through a link replaces the file it points to, not the link.
    destination_ = target_;
    struct stat link {};
    char resolved[PATH_MAX];
    if (::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
        ::realpath(target_.c_str(), resolved))
        destination_ = resolved;

    std::string pattern = destination_ + ".tmp-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error_ = systemReason();
        return false;
    }
    fd_ = fd;
    temp_ = std::move(pattern);
    // mkstemp makes the file private; give it the target's mode, or the usual one.
    struct stat info {};
    mode_t mode = 0;
    if (::stat(destination_.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
    return true;
}

bool AtomicFileOutput::write(const char* src, std::size_t n) {
    if (fd_ < 0) return false;
    while (n > 0) {
        const ssize_t put = ::write(fd_, src, n);
        if (put < 0) {
            if (errno == EINTR) continue;
            return fail("write");
        }
        src += put;
        n -= static_cast<std::size_t>(put);
    }
    return true;
}

bool AtomicFileOutput::commit() {
    if (fd_ < 0) return false;
    if (::fsync(fd_) != 0) return fail("fsync");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail("close");
    if (::rename(temp_.c_str(), destination_.c_str()) != 0) return fail("rename");
    temp_.clear();
    return true;
}

void AtomicFileOutput::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace tavik
