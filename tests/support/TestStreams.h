#pragma once

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/ByteStream.h"
#include "model/FileStreams.h"
#include "model/UserMessage.h"

namespace tavik {

// A whole message compared at once, printed in full when it differs.
inline bool operator==(const UserMessage& a, const UserMessage& b) {
    return a.text == b.text && a.caption == b.caption && a.icon == b.icon;
}
inline void PrintTo(const UserMessage& m, std::ostream* os) {
    *os << "{\"" << m.text << "\", \"" << m.caption << "\", icon " << static_cast<int>(m.icon)
        << "}";
}

}  // namespace tavik

namespace tavik::test {

// A device that takes the first `limit` bytes and then fails.
class FailingOutput : public OutputStream {
public:
    explicit FailingOutput(std::size_t limit) : limit_(limit) {}
    bool write(const char* src, std::size_t n) override {
        const std::size_t room = limit_ - bytes_.size();
        bytes_.append(src, std::min(n, room));
        return n <= room;
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::size_t limit_;
    std::string bytes_;
};

// A source that hands out at most `chunk` bytes per read, as a slow pipe would.
class TricklingInput : public InputStream {
public:
    TricklingInput(std::string bytes, std::size_t chunk)
        : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::size_t read(char* dst, std::size_t n) override {
        const std::size_t count = std::min({n, chunk_, bytes_.size() - pos_});
        std::memcpy(dst, bytes_.data() + pos_, count);
        pos_ += count;
        ++reads_;
        return count;
    }
    int reads() const { return reads_; }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
    int reads_ = 0;
};

// The system calls of saving while it lives, failing where the test says, with `error`
// (ENOSPC, a full disk, unless set otherwise): every write to the Nth temporary file made
// (counted from 1 since the double was made), the Nth replacement of a target (a rename or a
// swap of a staged file), or the sync of a folder. `log` lists the calls that change names,
// in order: "rename", "exchange", "syncFolder", "remove".
class FaultyFileSystem : public FileSystemCalls {
public:
    FaultyFileSystem() { FileSystemCalls::install(this); }
    ~FaultyFileSystem() override { FileSystemCalls::install(nullptr); }
    FaultyFileSystem(const FaultyFileSystem&) = delete;
    FaultyFileSystem& operator=(const FaultyFileSystem&) = delete;

    int failWritesToFile = 0;
    int failReplacement = 0;
    bool failFolderSync = false;
    int error = ENOSPC;

    int temporariesMade() const { return made_; }
    std::vector<std::string> log;

    int makeTemporary(std::string& pattern) override;
    ssize_t write(int fd, const char* src, std::size_t n) override;
    int close(int fd) override;
    int rename(const std::string& from, const std::string& to) override;
    int exchange(const std::string& a, const std::string& b) override;
    int syncFolder(const std::string& folder) override;
    int remove(const std::string& path) override;

private:
    bool replacementFails();

    int made_ = 0;
    int replacements_ = 0;
    bool replacementFailed_ = false;
    std::map<int, int> fileOfDescriptor_;
};

// A temporary folder removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
std::vector<std::string> listFolder(const std::string& path);

}  // namespace tavik::test
