#include <sys/utsname.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/SystemInfo.h"

using namespace tavik::platform;

namespace tavik::platform {
char* toString(const MemoryFigures& m) {
    return QTest::toString(QStringLiteral("%1 B, %2 %").arg(m.totalBytes).arg(m.loadPercent));
}
}  // namespace tavik::platform

class SystemInfoTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString write(const QString& name, const QByteArray& text) {
        QFile file(dir_.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
        file.write(text);
        return file.fileName();
    }

private slots:
    void osReleaseValues() {
        const QString debian =
            "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
            "VERSION_ID=\"12\"\nID=debian\n";
        const struct {
            QString text, key, value;
        } cases[] = {
            {debian, "PRETTY_NAME", "Debian GNU/Linux 12 (bookworm)"},
            {debian, "NAME", "Debian GNU/Linux"},  // not the end of PRETTY_NAME
            {debian, "ID", "debian"},
            {debian, "VARIANT", ""},
            // Escapes in double quotes; single quotes keep everything; unquoted words joined.
            {"PRETTY_NAME=\"Tavik \\\"Test\\\" \\\\ \\$HOME \\`x\\` \\n\"", "PRETTY_NAME",
             "Tavik \"Test\" \\ $HOME `x` \\n"},
            {"PRETTY_NAME='Alpine \"Linux\" \\$ v3.19'", "PRETTY_NAME",
             "Alpine \"Linux\" \\$ v3.19"},
            {"PRETTY_NAME=Arch\\ Linux\" rolling\"' release'", "PRETTY_NAME",
             "Arch Linux rolling release"},
            {"# PRETTY_NAME=\"Stary\"\n\n  PRETTY_NAME=\"Nowy\"  \r\n", "PRETTY_NAME", "Nowy"},
            {"PRETTY_NAME=\"A\"\nPRETTY_NAME=\"B\"\n", "PRETTY_NAME", "B"},  // the last counts
            {"PRETTY_NAME=\"Fedora 40", "PRETTY_NAME", "Fedora 40"},
            {"PRETTY_NAME \"X\"\n", "PRETTY_NAME", ""},
        };
        for (const auto& c : cases)
            QCOMPARE(osReleaseValue(c.text, c.key), c.value);
    }

    void meminfo() {
        const struct {
            QString text;
            MemoryFigures figures;
        } cases[] = {
            {"MemTotal:       16303512 kB\nMemFree:         1000000 kB\n"
             "MemAvailable:    8151756 kB\nBuffers:          200000 kB\n",
             {16303512ull * 1024, 50}},
            // 100 - 33300/1000 = 100 - 33: the free part is cut, the load rounded up.
            {"MemTotal: 1000 kB\nMemAvailable: 333 kB\n", {1000 * 1024, 67}},
            // Without MemAvailable the free memory; with it, MemFree is not looked at.
            {"MemTotal: 2000 kB\nMemFree: 500 kB\n", {2000 * 1024, 75}},
            {"MemAvailable: 1500 kB\nMemFree: 100 kB\nMemTotal: 2000 kB\n", {2000 * 1024, 25}},
            {"MemTotal: 2000 kB\nMemAvailable: 0 kB\n", {2000 * 1024, 100}},
            {"MemTotal: 2000 kB\nMemAvailable: 9000 kB\n", {2000 * 1024, 0}},
            {"MemTotal: 2000 kB\n", {2000 * 1024, 100}},
            {"MemTotal: 0 kB\nMemFree: 0 kB\n", {0, 0}},
            {"MemTotalX: 9 kB\nMemTotal: 4000 kB\nMemFreeX: 1 kB\nMemFree: 1000 kB\n",
             {4000 * 1024, 75}},
        };
        for (const auto& c : cases)
            QCOMPARE(parseMeminfo(c.text), c.figures);
    }

    void kernelBuildNumbers() {
        QCOMPARE(kernelBuildNumber("#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"), "1");
        QCOMPARE(kernelBuildNumber("#36~22.04.1-Ubuntu SMP Tue Oct  1 17:13:44 UTC 2"), "36");
        QCOMPARE(kernelBuildNumber("SMP #5 Mon"), "");
        QCOMPARE(kernelBuildNumber("#SMP"), "");
        QCOMPARE(kernelBuildNumber(""), "");
    }

    // The files of the system it is given; the first os-release that exists is the system's.
    void linuxSourceReadsItsFiles() {
        const QString meminfo =
            write("meminfo", "MemTotal:        8000000 kB\nMemAvailable:    2000000 kB\n");
        const QString etc = write("etc-os-release", "PRETTY_NAME=\"Tavik Linux 1\"\n");
        const QString lib = write("lib-os-release", "PRETTY_NAME=\"Zapasowy\"\n");
        const QString missing = dir_.filePath("brak");

        SystemFigures figures = LinuxSystemSource({missing, etc, lib}, meminfo).read();
        QCOMPARE(figures.prettyName, "Tavik Linux 1");
        QCOMPARE(figures.physicalMemoryBytes, quint64(8000000) * 1024);
        QCOMPARE(figures.memoryLoadPercent, 75);
        QCOMPARE(figures.kernelRelease, QSysInfo::kernelVersion());
        QCOMPARE(LinuxSystemSource({missing, lib}, meminfo).read().prettyName, "Zapasowy");

        figures = LinuxSystemSource({missing}, missing).read();
        QCOMPARE(figures.prettyName, "");
        QCOMPARE(figures.physicalMemoryBytes, quint64(0));
        QCOMPARE(figures.memoryLoadPercent, 0);
    }

    // The files of /proc state no size; they are read to their end all the same.
    void theRunningSystem() {
        const SystemFigures figures = LinuxSystemSource().read();
        QVERIFY(figures.physicalMemoryBytes > 0);
        QVERIFY(figures.memoryLoadPercent >= 0 && figures.memoryLoadPercent <= 100);
        utsname names{};
        QCOMPARE(::uname(&names), 0);
        QVERIFY(QByteArray(names.version).startsWith('#' + figures.kernelBuild.toUtf8()));
        QVERIFY(!figures.kernelBuild.isEmpty());
    }
};

QTEST_GUILESS_MAIN(SystemInfoTest)
#include "test_SystemInfo.moc"
