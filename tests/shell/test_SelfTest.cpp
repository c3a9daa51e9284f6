#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/SelfTest.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

class SelfTestTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }

    // The exit code and the lines printed.
    static std::pair<int, QString> check(const InstalledPlaces& places) {
        QString text;
        QTextStream out(&text);
        const int code = selfTest(places, out);
        return {code, text};
    }

private slots:
    void initTestCase() {
        QFile help(path("Tavik.html"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkpath(path("szablony")));
        for (const char* name : {"wniosek o wpis.htm", "wniosek o wykreslenie.htm"})
            QVERIFY(
                QFile::copy(QString(TAVIK_TEMPLATES_DIR) + '/' + name, path("szablony/") + name));
    }

    void everyPlaceServes() {
        QCOMPARE(check({MORVEL, TAVIK_DICTIONARY_DIR, path("Tavik.html"), TAVIK_TEMPLATES_DIR}),
                 std::pair(0, QString("Biblioteka: %1\nSłownik: %2/slownik.dic (zakłady: 15)\n"
                                      "Pomoc: %3\nSzablony: %4\n")
                                  .arg(MORVEL, TAVIK_DICTIONARY_DIR, path("Tavik.html"),
                                       TAVIK_TEMPLATES_DIR)));
    }

    void eachPlaceThatDoesNotServeSaysWhy() {
        QCOMPARE(check({path("libmorvel.so"), path("brak"), path("brak.html"), path("szablony")}),
                 std::pair(1, "Biblioteka: Nie można otworzyć biblioteki libmorvel.so\nPlik " +
                                  path("libmorvel.so") + " nie istnieje.\nSłownik: " +
                                  "Nie można odczytać słownika " + path("brak/slownik.dic") +
                                  ": plik nie istnieje.\nPomoc: brak pliku " + path("brak.html") +
                                  "\nSzablony: brak pliku " +
                                  path("szablony/wniosek o zmiane danych.htm") + '\n'));
        // One missing place is enough to fail.
        QCOMPARE(check({MORVEL, TAVIK_DICTIONARY_DIR, path("Tavik.html"), path("szablony")}).first,
                 1);
    }

    // Only on request; this test's program has nothing installed beside it.
    void theRunningProgramsPlacesWhenAsked() {
        const test::TempRegistry registry;
        qunsetenv("TAVIK_SELFTEST");
        QCOMPARE(selfTestIfAsked(), std::nullopt);
        qputenv("TAVIK_SELFTEST", "1");
        QCOMPARE(selfTestIfAsked(), std::optional(1));
        qunsetenv("TAVIK_SELFTEST");
    }
};

QTEST_MAIN(SelfTestTest)
#include "test_SelfTest.moc"
