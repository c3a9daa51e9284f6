#pragma once

#include <QString>
#include <QStringList>

// What the About box tells of the computer it runs on. The running system is read through
// LinuxSystemSource; tests give figures of their own through SystemSource.
namespace tavik::platform {

struct SystemFigures {
    QString prettyName;     // the system's name for people ("Debian GNU/Linux 12 (bookworm)")
    QString kernelRelease;  // "6.1.0-18-amd64"
    QString kernelBuild;    // the build number of the kernel ("1")
    quint64 physicalMemoryBytes = 0;
    int memoryLoadPercent = 0;  // the part of the memory in use, 0 to 100

    bool operator==(const SystemFigures&) const = default;
};

class SystemSource {
public:
    virtual ~SystemSource();
    virtual SystemFigures read() const = 0;
};

// The running Linux system: PRETTY_NAME of os-release, the release and build of uname, and the
// memory of /proc/meminfo. A file that cannot be read leaves its figures empty or 0.
class LinuxSystemSource : public SystemSource {
public:
    // The first os-release that can be read is the system's; tests name files of their own.
    explicit LinuxSystemSource(QStringList osReleasePaths = {QStringLiteral("/etc/os-release"),
                                                             QStringLiteral("/usr/lib/os-release")},
                               QString meminfoPath = QStringLiteral("/proc/meminfo"));
    SystemFigures read() const override;

private:
    QStringList osReleasePaths_;
    QString meminfoPath_;
};

// The value of `key` in the text of an os-release file ("" when the key is missing): lines
// KEY=VALUE, the value quoted as a shell word would be ("…" with \", \\, \$ and \` escaped,
// '…' taken as it stands). The last line of the key counts.
QString osReleaseValue(const QString& text, const QString& key);

struct MemoryFigures {
    quint64 totalBytes = 0;
    int loadPercent = 0;

    bool operator==(const MemoryFigures&) const = default;
};

// The total memory of the text of /proc/meminfo and the part of it in use: 100 less the part
// available (MemAvailable, else MemFree on kernels without it), both whole percents.
MemoryFigures parseMeminfo(const QString& text);

// The build number at the start of uname's version ("#1 SMP …" → "1"); "" without one.
QString kernelBuildNumber(const QString& unameVersion);

}  // namespace tavik::platform
