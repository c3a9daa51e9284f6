#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/ByteStream.h"

namespace tavik {

// The largest file any reader takes from a path. The largest real document (20 000
// applications) is a few tens of megabytes; anything past this is not a file of ours, and is
// refused before a byte of it is read.
inline constexpr std::uint64_t kMaxInputFileSize = 256ull * 1024 * 1024;

// A file opened for reading; closed when destroyed. Only regular files of at most
// kMaxInputFileSize bytes are opened: a directory, a device (/dev/zero), a pipe or a socket is
// refused without reading from it, so that a reader neither waits forever nor runs out of
// memory.
class FileInput : public InputStream {
public:
    // Returns null and leaves the reason in Polish in *error when the file cannot be opened.
    static std::unique_ptr<FileInput> open(const std::string& path, std::string* error = nullptr);
    ~FileInput() override;
    std::size_t read(char* dst, std::size_t n) override;
    // The size the file had when it was opened.
    std::uint64_t size() const { return size_; }

private:
    FileInput(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    int fd_;
    std::uint64_t size_;
};

// Reads a whole file (as FileInput opens it); returns false with the reason when it cannot.
bool readWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Replaces a whole file by the bytes (through AtomicFileOutput); false with the reason when it
// cannot.
bool writeWholeFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The reason in Polish for the errno value of a failed system call ("brak miejsca na dysku").
std::string systemReason(int error);

// The system calls a save makes. Each returns what the system call returns and leaves errno as
// it does; tests install their own to make one of them fail (a full disk at the second file).
class FileSystemCalls {
public:
    virtual ~FileSystemCalls();
    virtual int makeTemporary(std::string& pattern);  // mkstemp
    virtual ssize_t write(int fd, const char* src, std::size_t n);
    virtual int sync(int fd);  // fsync
    virtual int close(int fd);
    virtual int rename(const std::string& from, const std::string& to);
    // Swaps two names atomically (renameat2 with RENAME_EXCHANGE).
    virtual int exchange(const std::string& a, const std::string& b);
    // Makes the folder's entries (a rename in it) durable: opens it and fsyncs it.
    virtual int syncFolder(const std::string& folder);
    virtual int remove(const std::string& path);  // unlink

    // The calls in use: the installed ones, or the system's.
    static FileSystemCalls& current();
    // Not owned; null restores the system's.
    static void install(FileSystemCalls* calls);
};

// Saving that never destroys the previous file: the bytes go to a temporary file in the
// target's folder (target + ".tmp-" + six letters or digits), which stage() flushes to the disk
// and publish() renames over the target, syncing the folder so that the rename survives a
// power cut. After a successful publish the temporary files that earlier saves of the same
// target left behind (a save that was killed) are removed. A file that is not published is
// removed, and the target stays as it was.
class AtomicFileOutput : public OutputStream {
public:
    explicit AtomicFileOutput(std::string targetPath);
    ~AtomicFileOutput() override;
    AtomicFileOutput(const AtomicFileOutput&) = delete;
    AtomicFileOutput& operator=(const AtomicFileOutput&) = delete;

    // Creates the temporary file; false when the folder does not allow it.
    bool open();
    bool write(const char* src, std::size_t n) override;
    // Flushes the temporary file to the disk and closes it; the target is not touched yet.
    bool stage();
    // Replaces the target by the staged file and syncs the folder.
    bool publish();
    bool commit() { return stage() && publish(); }
    void discard();

    const std::string& targetPath() const { return target_; }
    // Why the last step failed, in Polish ("brak miejsca na dysku").
    const std::string& errorText() const { return error_; }

private:
    friend class StagedFiles;
    bool fail(const std::string& what = {});
    void removeStaleTemporaries() const;

    std::string target_;
    std::string destination_;  // the target, or the file a link named as target points to
    std::string temp_;
    std::string error_;
    int fd_ = -1;
    bool staged_ = false;
};

// Several staged files published together: every target is replaced, or none is. Targets that
// existed are swapped with their staged files one by one, so that a failure half-way swaps the
// earlier ones back; only when all are in place are the old files removed and the folders
// synced.
class StagedFiles {
public:
    void add(std::unique_ptr<AtomicFileOutput> file) { files_.push_back(std::move(file)); }
    std::size_t size() const { return files_.size(); }
    // False when a target could not be replaced (every target is then as it was, unless the
    // file system cannot swap names, see publishAll), or when a folder could not be synced (every
    // target then holds its new file); failed() names the file, its errorText() the reason.
    bool publishAll();
    const AtomicFileOutput* failed() const { return failed_; }
    // Removes the staged files that were not published.
    void discardAll();

private:
    std::vector<std::unique_ptr<AtomicFileOutput>> files_;
    const AtomicFileOutput* failed_ = nullptr;
};

}  // namespace tavik
