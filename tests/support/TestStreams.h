#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "model/ByteStream.h"

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
