#include "model/FileStreams.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "model/Exception.h"

namespace tavik {

namespace {

// "1 bajt", "2 bajty", "5 bajtów", "22 bajty", "12 bajtów".
std::string bytesText(std::uint64_t n) {
    const std::uint64_t ones = n % 10, tens = n % 100;
    const char* word = n == 1                                               ? "bajt"
                       : ones >= 2 && ones <= 4 && (tens < 12 || tens > 14) ? "bajty"
                                                                            : "bajtów";
    return std::to_string(n) + " " + word;
}

// Why a file of this kind and size is not read, or empty when it may be.
std::string inputRefusal(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return systemReason(EISDIR);
    if (!S_ISREG(info.st_mode)) return "to nie jest zwykły plik";
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > kMaxInputFileSize)
        return "plik jest zbyt duży (" + bytesText(size) + ", a dopuszczalne jest najwyżej " +
               bytesText(kMaxInputFileSize) + ")";
    return {};
}

// The folder part of a path with its trailing "/" ("" for a bare name), and the name.
struct PathParts {
    std::string prefix;
    std::string name;
    // The folder as it is named in messages and opened: "." for a bare name, no final "/".
    std::string folder() const {
        if (prefix.empty()) return ".";
        return prefix.size() > 1 ? prefix.substr(0, prefix.size() - 1) : prefix;
    }
};

PathParts splitPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr std::size_t kTemporaryLetters = 6;  // mkstemp's XXXXXX

// A file system that cannot sync a folder says so with EINVAL: nothing more can be done there.
bool syncFolder(FileSystemCalls& calls, const std::string& folder, std::string& error) {
    if (calls.syncFolder(folder) == 0 || errno == EINVAL) return true;
    error =
        "nie udało się utrwalić na dysku zmian w katalogu " + folder + ": " + systemReason(errno);
    return false;
}

// Removes the temporary files that saves of the named files in one folder left behind: the
// names mkstemp gave them, a target's name, ".tmp-" and six letters or digits. Only regular
// files are removed; nothing else in the folder is touched. One pass over the folder serves
// every file of a split.
void removeStaleTemporariesIn(const std::string& prefix, const std::set<std::string>& targets) {
    DIR* folder = ::opendir(prefix.empty() ? "." : prefix.c_str());
    if (!folder) return;
    std::vector<std::string> stale;
    const std::size_t tail = kTemporaryInfix.size() + kTemporaryLetters;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= tail) continue;
        const std::string_view target = name.substr(0, name.size() - tail);
        if (name.substr(target.size(), kTemporaryInfix.size()) != kTemporaryInfix) continue;
        bool letters = true;
        for (char c : name.substr(name.size() - kTemporaryLetters))
            letters = letters && std::isalnum(static_cast<unsigned char>(c));
        if (letters && targets.count(std::string(target)))
            stale.push_back(prefix + std::string(name));
    }
    ::closedir(folder);
    for (const std::string& path : stale) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            FileSystemCalls::current().remove(path);
    }
}

class SystemCalls final : public FileSystemCalls {};

FileSystemCalls* installedCalls = nullptr;

}  // namespace

std::string systemReason(int error) {
    switch (error) {
        case ENOENT: return "plik nie istnieje";
        case EACCES:
        case EPERM: return "brak uprawnień";
        case EISDIR: return "to jest katalog";
        case ENOSPC: return "brak miejsca na dysku";
        case EDQUOT: return "przekroczony przydział miejsca na dysku";
        case EROFS: return "nośnik tylko do odczytu";
        case ENOTDIR: return "błędna ścieżka";
        case EIO: return "błąd wejścia/wyjścia";
        case ENAMETOOLONG: return "zbyt długa nazwa pliku";
        case EFBIG: return "plik jest zbyt duży";
        default: return std::strerror(error);
    }
}

// ---- Reading ----------------------------------------------------------------------------

std::unique_ptr<FileInput> FileInput::open(const std::string& path, std::string* error) {
    const auto refuse = [&](std::string reason) -> std::unique_ptr<FileInput> {
        if (error) *error = std::move(reason);
        return nullptr;
    };
    // Looked at before it is opened: opening a pipe waits for a writer, opening a device may
    // do something of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return refuse(systemReason(errno));
    if (std::string reason = inputRefusal(info); !reason.empty()) return refuse(reason);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return refuse(systemReason(errno));
    // The name may have been given to something else in between: what was opened decides.
    if (::fstat(fd, &info) != 0) {
        const int failure = errno;
        ::close(fd);
        return refuse(systemReason(failure));
    }
    if (std::string reason = inputRefusal(info); !reason.empty()) {
        ::close(fd);
        return refuse(reason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<FileInput>(new FileInput(fd, static_cast<std::uint64_t>(info.st_size)));
}

FileInput::~FileInput() {
    ::close(fd_);
}

std::size_t FileInput::read(char* dst, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd_, dst, n);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw Exception("Błąd odczytu pliku: " + systemReason(errno));
    }
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string* error) {
    auto file = FileInput::open(path, error);
    if (!file) return false;
    std::string result;
    result.reserve(file->size());
    char chunk[64 * 1024];
    try {
        while (const std::size_t got = file->read(chunk, sizeof chunk)) {
            // A file that grows while it is read stops at the limit all the same.
            if (result.size() + got > kMaxInputFileSize) {
                if (error)
                    *error = "plik jest zbyt duży (ponad " + bytesText(kMaxInputFileSize) + ")";
                return false;
            }
            result.append(chunk, got);
        }
    } catch (const Exception& e) {
        if (error) *error = e.message();
        return false;
    }
    bytes = std::move(result);
    return true;
}

// ---- The system calls of a save ---------------------------------------------------------

FileSystemCalls::~FileSystemCalls() = default;

int FileSystemCalls::makeTemporary(std::string& pattern) {
    return ::mkstemp(pattern.data());
}

ssize_t FileSystemCalls::write(int fd, const char* src, std::size_t n) {
    return ::write(fd, src, n);
}

int FileSystemCalls::sync(int fd) {
    return ::fsync(fd);
}

int FileSystemCalls::close(int fd) {
    return ::close(fd);
}

int FileSystemCalls::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int FileSystemCalls::exchange(const std::string& a, const std::string& b) {
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
}

int FileSystemCalls::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int result = ::fsync(fd);
    const int failure = errno;
    ::close(fd);
    errno = failure;
    return result;
}

int FileSystemCalls::remove(const std::string& path) {
    return ::unlink(path.c_str());
}

FileSystemCalls& FileSystemCalls::current() {
    static SystemCalls system;
    return installedCalls ? *installedCalls : system;
}

void FileSystemCalls::install(FileSystemCalls* calls) {
    installedCalls = calls;
}

// ---- Saving -----------------------------------------------------------------------------

AtomicFileOutput::AtomicFileOutput(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFileOutput::~AtomicFileOutput() {
    discard();
}

bool AtomicFileOutput::fail(const std::string& what) {
    error_ = what.empty() ? systemReason(errno) : what;  // before discard() changes errno
    discard();
    return false;
}

bool AtomicFileOutput::open() {
    discard();
    error_.clear();
    // Saving through a link replaces the file it points to, not the link.
    destination_ = target_;
    struct stat link {};
    char resolved[PATH_MAX];
    if (::lstat(target_.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
        ::realpath(target_.c_str(), resolved))
        destination_ = resolved;
    struct stat info {};
    const bool exists = ::stat(destination_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) return fail(systemReason(EISDIR));

    std::string pattern = destination_ + std::string(kTemporaryInfix) + "XXXXXX";
    const int fd = FileSystemCalls::current().makeTemporary(pattern);
    if (fd < 0) return fail(errno == ENOENT ? "katalog nie istnieje" : systemReason(errno));
    fd_ = fd;
    temp_ = std::move(pattern);
    // mkstemp makes the file private; give it the target's mode, or the usual one.
    mode_t mode = 0;
    if (exists) {
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
    FileSystemCalls& calls = FileSystemCalls::current();
    while (n > 0) {
        const ssize_t put = calls.write(fd_, src, n);
        if (put < 0) {
            if (errno == EINTR) continue;
            return fail();
        }
        src += put;
        n -= static_cast<std::size_t>(put);
    }
    return true;
}

bool AtomicFileOutput::stage() {
    if (fd_ < 0) return false;
    FileSystemCalls& calls = FileSystemCalls::current();
    if (calls.sync(fd_) != 0) return fail();
    const int fd = fd_;
    fd_ = -1;
    if (calls.close(fd) != 0) return fail();
    staged_ = true;
    return true;
}

bool AtomicFileOutput::publish() {
    if (!staged_) return false;
    FileSystemCalls& calls = FileSystemCalls::current();
    if (calls.rename(temp_, destination_) != 0) return fail();
    temp_.clear();
    staged_ = false;
    if (!syncFolder(calls, splitPath(destination_).folder(), error_)) return false;
    removeStaleTemporaries();
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
    staged_ = false;
}

void AtomicFileOutput::removeStaleTemporaries() const {
    const PathParts parts = splitPath(destination_);
    removeStaleTemporariesIn(parts.prefix, {parts.name});
}

// ---- Publishing several files together ---------------------------------------------------

bool StagedFiles::publishAll() {
    failed_ = nullptr;
    FileSystemCalls& calls = FileSystemCalls::current();
    // How each target was replaced, so that it can be put back.
    enum class How { Created, Swapped, Replaced };
    std::vector<How> done;
    done.reserve(files_.size());

    for (const auto& file : files_) {
        AtomicFileOutput& f = *file;
        bool ok = f.staged_;
        if (!ok) {
            if (f.error_.empty()) f.error_ = "plik nie został zapisany";
        } else {
            struct stat info {};
            const bool existed = ::lstat(f.destination_.c_str(), &info) == 0;
            if (existed && S_ISREG(info.st_mode)) {
                if (calls.exchange(f.temp_, f.destination_) == 0) {
                    done.push_back(How::Swapped);  // the old file is now under the temporary name
                    continue;
                }
                // A file system that cannot swap names says so; the file is then simply
                // renamed over its target, which cannot be undone.
                if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
                    f.error_ = systemReason(errno);
                    ok = false;
                }
            }
            if (ok && calls.rename(f.temp_, f.destination_) == 0) {
                done.push_back(existed ? How::Replaced : How::Created);
            } else if (ok) {
                f.error_ = systemReason(errno);
                ok = false;
            }
        }
        if (ok) continue;

        // Put back what was replaced, last first, and remove every new file.
        failed_ = &f;
        for (std::size_t i = done.size(); i-- > 0;) {
            AtomicFileOutput& back = *files_[i];
            if (done[i] == How::Swapped)
                calls.exchange(back.temp_, back.destination_);
            else if (done[i] == How::Created)
                calls.rename(back.destination_, back.temp_);
        }
        discardAll();
        std::set<std::string> folders;
        for (const auto& g : files_)
            folders.insert(splitPath(g->destination_).folder());
        for (const std::string& folder : folders)
            calls.syncFolder(folder);
        return false;
    }

    std::set<std::string> synced;
    bool ok = true;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        AtomicFileOutput& f = *files_[i];
        if (done[i] == How::Swapped) calls.remove(f.temp_);  // the old file
        f.temp_.clear();
        f.staged_ = false;
    }
    for (const auto& file : files_) {
        const std::string folder = splitPath(file->destination_).folder();
        if (!synced.insert(folder).second) continue;
        if (!syncFolder(calls, folder, file->error_)) {
            failed_ = file.get();
            ok = false;
            break;
        }
    }
    if (!ok) return false;
    std::map<std::string, std::set<std::string>> targets;  // by folder
    for (const auto& file : files_) {
        PathParts parts = splitPath(file->destination_);
        targets[parts.prefix].insert(std::move(parts.name));
    }
    for (const auto& [prefix, names] : targets)
        removeStaleTemporariesIn(prefix, names);
    return true;
}

void StagedFiles::discardAll() {
    for (const auto& file : files_)
        file->discard();
}

bool writeWholeFile(const std::string& path, std::string_view bytes, std::string* error) {
    AtomicFileOutput file(path);
    if (file.open() && file.write(bytes.data(), bytes.size()) && file.commit()) return true;
    if (error) *error = file.errorText();
    return false;
}

}  // namespace tavik
