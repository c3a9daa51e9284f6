#include "tests/support/TestStreams.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace tavik::test {

int FaultyFileSystem::makeTemporary(std::string& pattern) {
    const int fd = FileSystemCalls::makeTemporary(pattern);
    if (fd >= 0) fileOfDescriptor_[fd] = ++made_;
    return fd;
}

ssize_t FaultyFileSystem::write(int fd, const char* src, std::size_t n) {
    const auto file = fileOfDescriptor_.find(fd);
    if (failWritesToFile != 0 && file != fileOfDescriptor_.end() &&
        file->second == failWritesToFile) {
        errno = error;
        return -1;
    }
    return FileSystemCalls::write(fd, src, n);
}

int FaultyFileSystem::close(int fd) {
    fileOfDescriptor_.erase(fd);
    return FileSystemCalls::close(fd);
}

// Only the replacements before the first failure are counted: what follows it puts back.
bool FaultyFileSystem::replacementFails() {
    if (replacementFailed_ || failReplacement == 0) return false;
    if (++replacements_ != failReplacement) return false;
    replacementFailed_ = true;
    errno = error;
    return true;
}

int FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    log.push_back("rename");
    return replacementFails() ? -1 : FileSystemCalls::rename(from, to);
}

int FaultyFileSystem::exchange(const std::string& a, const std::string& b) {
    log.push_back("exchange");
    return replacementFails() ? -1 : FileSystemCalls::exchange(a, b);
}

int FaultyFileSystem::syncFolder(const std::string& folder) {
    log.push_back("syncFolder");
    if (failFolderSync) {
        errno = error;
        return -1;
    }
    return FileSystemCalls::syncFolder(folder);
}

int FaultyFileSystem::remove(const std::string& path) {
    log.push_back("remove");
    return FileSystemCalls::remove(path);
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tavik::test
