#include "platform/SystemInfo.h"

#include <sys/utsname.h>

#include <QFile>
#include <QStringView>
#include <algorithm>
#include <optional>

namespace tavik::platform {

namespace {

// The whole of a small system file; "" when it cannot be read. Files of /proc state no size,
// so they are read to their end.
QString readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// A value of os-release as the shell would take the word: quotes removed, escapes resolved.
QString unquoted(QStringView word) {
    QString value;
    enum { Plain, Double, Single } state = Plain;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        switch (state) {
            case Single:
                if (c == u'\'')
                    state = Plain;
                else
                    value += c;
                break;
            case Double:
                if (c == u'"') {
                    state = Plain;
                } else if (c == u'\\' && i + 1 < word.size() &&
                           QStringView(u"\"\\$`").contains(word[i + 1])) {
                    value += word[++i];
                } else {
                    value += c;
                }
                break;
            case Plain:
                if (c == u'"')
                    state = Double;
                else if (c == u'\'')
                    state = Single;
                else if (c == u'\\' && i + 1 < word.size())
                    value += word[++i];
                else
                    value += c;
                break;
        }
    }
    return value;
}

// The number of a meminfo line "Key:   123 kB" (kilobytes of 1024 bytes); nothing when the
// line is not of the key.
std::optional<quint64> meminfoKilobytes(QStringView line, QStringView key) {
    if (!line.startsWith(key) || line.size() <= key.size() || line[key.size()] != u':')
        return std::nullopt;
    QStringView number = line.mid(key.size() + 1).trimmed();
    if (const qsizetype blank = number.indexOf(u' '); blank >= 0) number = number.left(blank);
    bool ok = false;
    const quint64 value = number.toULongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

SystemSource::~SystemSource() = default;

LinuxSystemSource::LinuxSystemSource(QStringList osReleasePaths, QString meminfoPath)
    : osReleasePaths_(std::move(osReleasePaths)), meminfoPath_(std::move(meminfoPath)) {}

SystemFigures LinuxSystemSource::read() const {
    SystemFigures figures;
    for (const QString& path : osReleasePaths_) {
        if (!QFile::exists(path)) continue;
        figures.prettyName = osReleaseValue(readSmallFile(path), QStringLiteral("PRETTY_NAME"));
        break;
    }
    utsname names{};
    if (::uname(&names) == 0) {
        figures.kernelRelease = QString::fromUtf8(names.release);
        figures.kernelBuild = kernelBuildNumber(QString::fromUtf8(names.version));
    }
    const MemoryFigures memory = parseMeminfo(readSmallFile(meminfoPath_));
    figures.physicalMemoryBytes = memory.totalBytes;
    figures.memoryLoadPercent = memory.loadPercent;
    return figures;
}

QString osReleaseValue(const QString& text, const QString& key) {
    QString value;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'#') || !line.startsWith(key) || line.size() <= key.size() ||
            line[key.size()] != u'=')
            continue;
        value = unquoted(line.mid(key.size() + 1));
    }
    return value;
}

MemoryFigures parseMeminfo(const QString& text) {
    std::optional<quint64> total, available, free;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (auto kb = meminfoKilobytes(line, u"MemTotal"))
            total = kb;
        else if (auto kb = meminfoKilobytes(line, u"MemAvailable"))
            available = kb;
        else if (auto kb = meminfoKilobytes(line, u"MemFree"))
            free = kb;
    }
    MemoryFigures figures;
    if (!total || *total == 0) return figures;
    figures.totalBytes = *total * 1024;
    const quint64 unused = std::min(available ? *available : free.value_or(0), *total);
    figures.loadPercent = 100 - static_cast<int>(unused * 100 / *total);
    return figures;
}

QString kernelBuildNumber(const QString& unameVersion) {
    if (!unameVersion.startsWith(u'#')) return {};
    qsizetype end = 1;
    while (end < unameVersion.size() && unameVersion[end].isDigit())
        ++end;
    return unameVersion.mid(1, end - 1);
}

}  // namespace tavik::platform
