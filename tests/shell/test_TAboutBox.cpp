#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "shell/AboutTexts.h"
#include "shell/TAboutBox.h"

using namespace tavik;
using platform::SystemFigures;

namespace tavik {
char* toString(const AboutTexts& t) {
    return QTest::toString(
        QStringList{t.Label1, t.Label2, t.Label3, t.Label4, t.lPhysMem, t.FreeRes}.join(" | "));
}
}  // namespace tavik

namespace {

constexpr quint64 KB = 1024;
// The memory's groups are apart by no-break spaces, written "_" here.
QString kb(QString text) {
    return text.replace('_', QChar(0x00A0));
}

class FakeSource : public platform::SystemSource {
public:
    SystemFigures figures;
    SystemFigures read() const override { return figures; }
};

const SystemFigures kDebian{"Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64", "1", 16303512 * KB,
                            42};

}  // namespace

class TAboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void texts() {
        QCOMPARE(aboutTexts(kDebian, "3.1.0.0"),
                 (AboutTexts{"OS: Debian GNU/Linux 12 (bookworm)", "Wersja: 6.1.0-18-amd64",
                             "Kompilacja: 1", "Wersja programu: 3.1.0.0", kb("16_303_512 KB"),
                             "Wolna pamięć: 42 %"}));
        // Nothing known: the system is Linux, the version the box's own text.
        QCOMPARE(aboutTexts(SystemFigures{}, nullptr),
                 (AboutTexts{"OS: Linux", "Wersja: ", "Kompilacja: ", "Wersja 2.0.", "0 KB",
                             "Wolna pamięć: 0 %"}));
        QCOMPARE(aboutTexts(kDebian, "").Label4, "Wersja 2.0.");
        QCOMPARE(aboutTexts(SystemFigures{{}, {}, {}, 0, 100}, nullptr).FreeRes,
                 "Wolna pamięć: 100 %");
    }

    void memoryInThousands_data() {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << quint64(0) << "0 KB";
        QTest::newRow("under a kilobyte") << quint64(1023) << "0 KB";
        QTest::newRow("999") << 999 * KB << "999 KB";
        QTest::newRow("1000") << 1000 * KB << kb("1_000 KB");
        QTest::newRow("1 234 567") << 1234567 * KB << kb("1_234_567 KB");
        QTest::newRow("64 bits") << ~quint64(0) << kb("18_014_398_509_481_983 KB");
    }
    void memoryInThousands() {
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(memoryText(bytes), text);
    }

    // The system and the version as the box was made; the memory as it is each time it shows.
    void theBoxShowsItsSource() {
        FakeSource source;
        source.figures = kDebian;
        QWidget owner;
        owner.setGeometry(60, 40, 640, 480);  // on the screen, which the box keeps to
        owner.show();
        TAboutBox box(source, &owner);
        QCOMPARE(box.objectName(), "AboutBox");
        QCOMPARE(box.windowTitle(), "Informacja o programie");
        QCOMPARE(box.Label4->text(), "Wersja programu: " TAVIK_PROJECT_VERSION);
        QCOMPARE(box.lPhysMem->text(), "");

        const auto shown = [&box] {
            return AboutTexts{box.Label1->text(), box.Label2->text(),   box.Label3->text(),
                              box.Label4->text(), box.lPhysMem->text(), box.FreeRes->text()};
        };
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(shown(), aboutTexts(kDebian, TAVIK_PROJECT_VERSION));
        QCOMPARE(box.frameGeometry().center(), owner.frameGeometry().center());
        QCOMPARE(box.minimumSize(), box.maximumSize());

        source.figures = {"Inny system", "7.0", "9", 1000 * KB, 100};
        box.Button1->click();
        QCOMPARE(box.result(), QDialog::Accepted);
        QVERIFY(!box.isVisible());
        owner.move(120, 90);
        box.show();
        QCOMPARE(box.frameGeometry().center(), owner.frameGeometry().center());
        QCOMPARE(shown(),
                 (AboutTexts{"OS: Debian GNU/Linux 12 (bookworm)", "Wersja: 6.1.0-18-amd64",
                             "Kompilacja: 1", "Wersja programu: " TAVIK_PROJECT_VERSION,
                             kb("1_000 KB"), "Wolna pamięć: 100 %"}));
    }

    // A long system name and the largest figures widen the box; no text is cut.
    void nothingIsCutOff() {
        FakeSource source;
        source.figures = {"Wyjątkowo długa nazwa systemu operacyjnego z wydaniem 2024.10 (LTS)",
                          "6.10.0-0.deb12.2-cloud-amd64", "123456", ~quint64(0), 100};
        TAboutBox box(source, nullptr, nullptr);
        QCOMPARE(box.Label4->text(), "Wersja 2.0.");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        for (QLabel* label : box.findChildren<QLabel*>()) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
            QVERIFY2(box.rect().contains(label->geometry()), qPrintable(label->objectName()));
        }
        QVERIFY(box.rect().contains(box.Button1->geometry()));
        QCOMPARE(box.Button1->text(), "OK");
        QVERIFY(box.Button1->isDefault());
    }
};

QTEST_MAIN(TAboutBoxTest)
#include "test_TAboutBox.moc"
