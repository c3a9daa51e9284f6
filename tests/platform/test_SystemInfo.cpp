#include <sys/utsname.h>

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/SystemInfo.h"

using namespace tavik::platform;

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
    void osReleaseValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString debian =
            "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
            "VERSION_ID=\"12\"\nID=debian\n";
        QTest::newRow("double quotes") << debian << "PRETTY_NAME"
                                       << "Debian GNU/Linux 12 (bookworm)";
        QTest::newRow("a key inside another is not it") << debian << "NAME"
                                                        << "Debian GNU/Linux";
        QTest::newRow("unquoted") << debian << "ID"
                                  << "debian";
        QTest::newRow("missing") << debian << "VARIANT"
                                 << "";
        QTest::newRow("empty text") << ""
                                    << "PRETTY_NAME"
                                    << "";
        QTest::newRow("escapes in double quotes")
            << "PRETTY_NAME=\"Tavik \\\"Test\\\" \\\\ \\$HOME \\`x\\` \\n\""
            << "PRETTY_NAME"
            << "Tavik \"Test\" \\ $HOME `x` \\n";
        QTest::newRow("single quotes keep all") << "PRETTY_NAME='Alpine \"Linux\" \\$ v3.19'"
                                                << "PRETTY_NAME"
                                                << "Alpine \"Linux\" \\$ v3.19";
        QTest::newRow("unquoted escapes and joined words")
            << "PRETTY_NAME=Arch\\ Linux\" rolling\"' release'"
            << "PRETTY_NAME"
            << "Arch Linux rolling release";
        QTest::newRow("comments, blanks and indentation")
            << "# PRETTY_NAME=\"Stary\"\n\n  PRETTY_NAME=\"Nowy\"  \r\n"
            << "PRETTY_NAME"
            << "Nowy";
        QTest::newRow("the last line counts") << "PRETTY_NAME=\"A\"\nPRETTY_NAME=\"B\"\n"
                                              << "PRETTY_NAME"
                                              << "B";
        QTest::newRow("unterminated quote") << "PRETTY_NAME=\"Fedora 40"
                                            << "PRETTY_NAME"
                                            << "Fedora 40";
        QTest::newRow("no equals sign") << "PRETTY_NAME \"X\"\n"
                                        << "PRETTY_NAME"
                                        << "";
        QTest::newRow("empty value") << "PRETTY_NAME=\nPRETTY_NAME=\"\""
                                     << "PRETTY_NAME"
                                     << "";
    }
    void osReleaseValues() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(osReleaseValue(text, key), value);
    }

    void meminfo_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint64>("totalBytes");
        QTest::addColumn<int>("loadPercent");
        QTest::newRow("available") << "MemTotal:       16303512 kB\nMemFree:         1000000 kB\n"
                                      "MemAvailable:    8151756 kB\nBuffers:          200000 kB\n"
                                   << quint64(16303512) * 1024 << 50;
        // 100 - 33300/1000 = 100 - 33: the free part is cut, the load rounded up.
        QTest::newRow("integer division") << "MemTotal: 1000 kB\nMemAvailable: 333 kB\n"
                                          << quint64(1024000) << 67;
        QTest::newRow("without MemAvailable the free memory")
            << "MemTotal: 2000 kB\nMemFree: 500 kB\n"
            << quint64(2048000) << 75;
        QTest::newRow("MemAvailable before MemFree, whatever the order")
            << "MemAvailable: 1500 kB\nMemFree: 100 kB\nMemTotal: 2000 kB\n"
            << quint64(2048000) << 25;
        QTest::newRow("all in use") << "MemTotal: 2000 kB\nMemAvailable: 0 kB\n"
                                    << quint64(2048000) << 100;
        QTest::newRow("nothing in use") << "MemTotal: 2000 kB\nMemAvailable: 2000 kB\n"
                                        << quint64(2048000) << 0;
        QTest::newRow("more available than there is")
            << "MemTotal: 2000 kB\nMemAvailable: 9000 kB\n"
            << quint64(2048000) << 0;
        QTest::newRow("neither free nor available") << "MemTotal: 2000 kB\n"
                                                    << quint64(2048000) << 100;
        QTest::newRow("no total") << "MemFree: 500 kB\nMemAvailable: 500 kB\n" << quint64(0) << 0;
        QTest::newRow("total 0") << "MemTotal: 0 kB\nMemFree: 0 kB\n" << quint64(0) << 0;
        QTest::newRow("not a number") << "MemTotal: dużo kB\n" << quint64(0) << 0;
        QTest::newRow("keys that only begin alike")
            << "MemTotalX: 9 kB\nMemTotal: 4000 kB\nMemFreeX: 1 kB\nMemFree: 1000 kB\n"
            << quint64(4096000) << 75;
    }
    void meminfo() {
        QFETCH(QString, text);
        QFETCH(quint64, totalBytes);
        QFETCH(int, loadPercent);
        const MemoryFigures figures = parseMeminfo(text);
        QCOMPARE(figures.totalBytes, totalBytes);
        QCOMPARE(figures.loadPercent, loadPercent);
    }

    void kernelBuildNumbers() {
        QCOMPARE(kernelBuildNumber("#1 SMP PREEMPT_DYNAMIC Debian 6.1.76-1 (2024-02-01)"), "1");
        QCOMPARE(kernelBuildNumber("#36~22.04.1-Ubuntu SMP Tue Oct  1 17:13:44 UTC 2"), "36");
        QCOMPARE(kernelBuildNumber("#1234"), "1234");
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
