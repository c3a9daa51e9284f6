#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <thread>

#include "platform/Registry.h"
#include "platform/Settings.h"
#include "shell/SingleInstance.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

// Files named on the command line, and the hand-over of a second start to the running program.
class FileArgumentsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    test::TempRegistry registry_;
    test::ScriptedPrompts prompts_;

    QString path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    static QStringList log() {
        QFile file(qEnvironmentVariable("FAKE_MORVEL_LOG"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    std::unique_ptr<TfrmMain> frame(const QString& library) {
        FrameEnvironment e;
        e.libraryPath = library;
        return std::make_unique<TfrmMain>(e);
    }
    // Starts the program as a second start would and waits for it to end, serving meanwhile.
    int secondStart(const QString& socket, const QStringList& arguments) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAVIK_INSTANCE", socket);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(dir_.path());
        program.start(TAVIK_PROGRAM, arguments);
        if (!program.waitForStarted()) return -1;
        if (!QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 20000))
            return -2;
        return program.exitCode();
    }

    // A start from another thread, so that the server here can answer it.
    static bool handOver(const QString& socket, const QStringList& files) {
        std::atomic<int> taken = -1;
        std::thread start([&] { taken = handToRunningInstance(socket, files) ? 1 : 0; });
        (void)QTest::qWaitFor([&] { return taken != -1; }, 10000);
        start.join();
        return taken == 1;
    }

private slots:
    void initTestCase() {
        qputenv("FAKE_MORVEL_LOG", path("morvel.log").toUtf8());
        QVERIFY(
            platform::Registry().openKey(Settings::kKeyPath, true)->writeString("Nazwa ZU", "TU"));
    }

    void eachFileOpensAsItsKindWants() {
        const auto window = frame(FAKE_MORVEL);
        window->openFiles({path("a.rpa"), path("b.COA"), path("c.cia"), path("d.txt")});
        QCOMPARE(log(), QStringList({"MorvelAttach", "OpenDocument " + path("a.rpa") + " 0",
                                     "OpenDocument " + path("b.COA") + " 0", "ShowForm 0 0",
                                     "ImportNamedFile " + path("c.cia")}));
        QCOMPARE(prompts_.shown.size(), 1);
        QCOMPARE(prompts_.last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_.last().text,
                 "Plik " + path("d.txt") +
                     " nie jest plikiem wniosków (.rpa), odpowiedzi (.coa) ani plikiem tekstowym "
                     "do importu (.cia).");

        // Without the library the clerk hears why nothing opens.
        prompts_.clear();
        frame(path("brak/libmorvel.so"))->openFiles({path("a.rpa")});
        QCOMPARE(prompts_.messages(),
                 QStringList({"Nie można otworzyć biblioteki libmorvel.so\nPlik " +
                              path("brak/libmorvel.so") + " nie istnieje."}));
    }

    void aSecondStartHandsItsFilesOver() {
        const QString socket = path("instance");
        InstanceServer running;
        QVERIFY(running.listen(socket));
        QSignalSpy received(&running, &InstanceServer::filesReceived);
        QCOMPARE(secondStart(socket, {"nowy wniosek.rpa", "/x/b.coa"}), 0);
        QCOMPARE(secondStart(socket, {}), 0);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received[0][0].toStringList(),
                 QStringList({path("nowy wniosek.rpa"), "/x/b.coa"}));
        QCOMPARE(received[1][0].toStringList(), QStringList());

        // A second program listening on the same socket is refused; the first keeps it.
        InstanceServer second;
        QVERIFY(!second.listen(socket));
        QVERIFY(handOver(socket, {"/y.rpa"}));
        QTRY_COMPARE(received.size(), 3);
    }

    void aSocketLeftBehindIsTakenOver() {
        const QString socket = path("left");
        QFile left(socket);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        QVERIFY(!handToRunningInstance(socket, {}, 500));
        InstanceServer running;
        QVERIFY(running.listen(socket));
        QSignalSpy received(&running, &InstanceServer::filesReceived);
        QVERIFY(handOver(socket, {"/z.cia"}));
        QCOMPARE(received.value(0).value(0).toStringList(), QStringList({"/z.cia"}));
    }
};

QTEST_MAIN(FileArgumentsTest)
#include "test_FileArguments.moc"
