#pragma once

#include <memory>
#include <string>

#include "model/ByteStream.h"

namespace tavik {

// A file opened for reading; closed when destroyed.
class FileInput : public InputStream {
public:
    // Returns null and leaves the system's reason in *error when the file cannot be opened.
    static std::unique_ptr<FileInput> open(const std::string& path, std::string* error = nullptr);
    ~FileInput() override;
    std::size_t read(char* dst, std::size_t n) override;

private:
    explicit FileInput(int fd) : fd_(fd) {}
    int fd_;
};

// Reads a whole file; returns false with the system's reason when it cannot.
bool readWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Saving that never destroys the previous file: the bytes go to a temporary file in the
// target's folder, which commit() flushes to the disk and renames over the target. A file
// that is not committed is removed, and the target stays as it was.
class AtomicFileOutput : public OutputStream {
public:
    explicit AtomicFileOutput(std::string targetPath);
    ~AtomicFileOutput() override;
    AtomicFileOutput(const AtomicFileOutput&) = delete;
    AtomicFileOutput& operator=(const AtomicFileOutput&) = delete;

    // Creates the temporary file; false when the folder does not allow it.
    bool open();
    bool write(const char* src, std::size_t n) override;
    bool commit();
    void discard();

    const std::string& targetPath() const { return target_; }
    const std::string& errorText() const { return error_; }

private:
    bool fail(const char* what);

    std::string target_;
    std::string destination_;  // the target, or the file a link named as target points to
    std::string temp_;
    std::string error_;
    int fd_ = -1;
};

}  // namespace tavik
