#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

#include "forms/DocumentTreeModel.h"
#include "forms/TfrmOdpowiedz.h"
#include "model/FileStreams.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"
#include "tools/samples/SampleResponses.h"

extern "C" int GetMDIWndCount();

using namespace tavik;
using test::part;

namespace {

// A line of a response file and the record it is made of.
struct Line {
    std::unique_ptr<TRecord> record;
    RecordKind kind;
};

template <class R>
Line line(RecordKind kind, const std::function<void(R&)>& fill) {
    auto record = std::make_unique<R>();
    fill(*record);
    return {std::move(record), kind};
}

// Two answers of version 3: the first strikes out an agent (reasons "FF") and answers about its
// two employees and a policy; the second is about an agent with nothing below it.
QByteArray twoAnswers() {
    const std::string code = samples::sampleResponseCode();
    std::vector<Line> lines;
    const auto header = [&](const char* number, const char* kind) {
        return line<TRecOdpowiedz>(KIND_ODPOWIEDZ, [&](TRecOdpowiedz& r) {
            r.KodZU = code;
            r.NazwaZU = "TOWARZYSTWO";
            r.NrOdpowiedzi = number;
            r.TypWniosku = kind;
            r.DataOdpowiedzi = "05.12.2026";
        });
    };
    lines.push_back(header("1", "WYKRE\x8CLENIE"));
    lines.push_back(line<TRecAgentOdp>(KIND_AGENT_ODP, [](TRecAgentOdp& a) {
        a.NazwaAgenta = "KOWALSKI JAN";
        a.FormaPrawna = "OSOBA FIZYCZNA";
        a.RodzajDokumentuOsFizAgenta =
            "DOW\xD3"
            "D OSOBISTY";
        a.PESEL = "85050512345";
        a.ZWOLNIONY = "2";
        a.StatusAgenta = "WYKRE\x8CLONY";
        a.PrzyczynyOdp = "FF";
    }));
    const auto employee = [](const char* surname, const char* street, const char* postal) {
        return line<TRecPracownikOdp>(KIND_PRACOWNIK_ODP, [=](TRecPracownikOdp& p) {
            p.Nazwisko = surname;
            p.Ulica = street;
            p.KodPocztowy = postal;
            p.Typ_Dokumentu = "PASZPORT";
            p.Status = "WPISANY";
        });
    };
    lines.push_back(employee("ADAMSKI", "LIPOWA", "00-950"));
    lines.push_back(employee("BARAN", "<E>", "<E>"));
    lines.push_back(line<TRecPolisaOdp>(KIND_POLISA_ODP, [](TRecPolisaOdp& p) {
        p.ID_PolisyOC = "OC/1";
        p.WazneOd = "01.01.2026";
    }));
    lines.push_back(header("2", "WPIS"));
    lines.push_back(line<TRecAgentOdp>(KIND_AGENT_ODP, [](TRecAgentOdp& a) {
        a.NazwaAgenta = "AGENCJA";
        a.FormaPrawna = "SP\xD3\xA3KA Z O.O.";
        a.StatusAgenta = "WPISANY";
    }));
    QByteArray text;
    for (const Line& l : lines)
        text +=
            QByteArray::fromStdString(samples::responseLine(*l.record, l.kind, 3, code)) + "\r\n";
    return text;
}

class Fixture : public test::LibraryFixture {
public:
    TfrmOdpowiedz* open(const QString& path) {
        OpenDocument(&host, path.toUtf8().constData(), wsNormal);
        return qobject_cast<TfrmOdpowiedz*>(GetActiveWnd());
    }
};

// What the named controls of a window show, and which of them it shows at all.
QStringList shown(QWidget* w, std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* name : names)
        out << test::shown({part<QWidget>(w, name)});
    return out;
}
QString visible(QWidget* w, std::initializer_list<const char*> names) {
    QString bits;
    for (const char* name : names)
        bits += test::visible(w, {part<QWidget>(w, name)});
    return bits;
}

// The node of the window's tree at a row under each level.
TreeNode* nodeAt(TfrmOdpowiedz& w, std::initializer_list<int> rows) {
    TreeNode* n = w.recordTree().root();
    for (int row : rows)
        n = n->child(static_cast<std::size_t>(row));
    return n;
}

QColor colourOf(TfrmOdpowiedz& w, TreeNode* node) {
    return w.model().indexOf(node).data(Qt::ForegroundRole).value<QBrush>().color();
}

}  // namespace

class TestTfrmOdpowiedz : public QObject {
    Q_OBJECT
private slots:
    void opensAnswersOfEitherVersionInAnyLetterCase() {
        Fixture f;
        const std::pair<const char*, int> files[] = {{"a.coa", 1}, {"b.COA", 3}, {"c.Coa", 3}};
        for (const auto& [name, version] : files) {
            const QString path = f.writeFile(
                name,
                QByteArray::fromStdString(samples::sampleResponseText(version, {.agents = 2})));
            TfrmOdpowiedz* w = f.open(path);
            QVERIFY(w);
            QCOMPARE(QString::fromLatin1(morvelWindowClass(w)), "TfrmOdpowiedz");
            QCOMPARE(w->property("caption").toString() + '|' + w->windowTitle(), path + '|' + path);
            QCOMPARE(w->FormatVersion(), version);
            // The first response is selected and shown.
            TreeNode* first = nodeAt(*w, {0});
            QVERIFY(w->selectedNode() == first && w->currentApplicationNode() == first);
            QCOMPARE(w->currentPage(), 0);
            QCOMPARE(shown(w, {"edNrOdpowiedzi"}),
                     QStringList{test::text(
                         static_cast<const TRecOdpowiedz*>(first->record())->NrOdpowiedzi)});
        }
        QCOMPARE(GetMDIWndCount(), 3);
        QCOMPARE(LibraryState::instance().windowCount(), 3);
        QCOMPARE(f.prompts.messages(), QStringList());
    }

    void aFileItCannotReadClosesTheWindowAfterItsMessage() {
        Fixture f;
        QByteArray damaged = twoAnswers();
        damaged[damaged.indexOf("KOWALSKI")] = 'X';  // the agent's line no longer fits its checksum
        const QString missing = f.folder() + "/brak.coa";
        const QString changed = f.writeFile("z.coa", damaged);
        const QString other = f.writeFile("w.coa", "OD3;XYZ;N;1;WPIS;D;K;00000000\r\n");
        const QString cannotRead = "Wystąpił błąd przy odczycie pliku\n";
        const struct {
            QString path;
            QString message;
        } cases[] = {
            {f.writeFile("x.coa", "OD2;JSK;X\r\n"), "Błędny format pliku odpowiedzi"},
            {f.writeFile("y.coa", ""), "Błędny format pliku odpowiedzi"},
            {missing, cannotRead + missing + "\n" + QString::fromStdString(systemReason(ENOENT))},
            {changed, cannotRead + changed +
                          "\nWystąpił błąd w linii 2\nBłąd sumy kontrolnej dla rekordu AGENT - "
                          "ODPOWIEDŹ!"},
            {other, cannotRead + other +
                        "\nWystąpił błąd w linii 1\nBłędny kod zakładu dla rekordu ODPOWIEDŹ!"},
        };
        for (const auto& c : cases) {
            f.prompts.clear();
            f.open(c.path);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(test::boxes(f.prompts), QStringList{"Komunikat [Error]: " + c.message});
            QCOMPARE(GetMDIWndCount(), 0);
            QCOMPARE(LibraryState::instance().windowCount(), 0);
        }
    }

    void pagesAndTabsShowTheAnswerAsStored() {
        Fixture f;
        TfrmOdpowiedz* w = f.open(f.writeFile("odp.coa", twoAnswers()));
        QVERIFY(w);
        QCOMPARE(f.prompts.messages(), QStringList());
        // Nodes sorted: the responses by text, their agents, the employees by surname.
        TreeNode* struckOut = nodeAt(*w, {0, 0});
        QCOMPARE(test::text(Field(nodeAt(*w, {0})->text())), "Odpowiedź-1");

        // The response of a struck-out agent: its reasons, only the first ticked; red in the tree.
        QCOMPARE(shown(w, {"Kod", "NazwaZU", "edTypWniosku"}),
                 (QStringList{test::text(Field(samples::sampleResponseCode())), "TOWARZYSTWO",
                              "WYKREŚLENIE"}));
        QCOMPARE(visible(w, {"GroupBox5", "DataWykreslenia"}), "11");
        QString ticked;
        for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"})
            ticked += part<QCheckBox>(w, box)->isChecked() ? '1' : '0';
        QCOMPARE(ticked, "1000");

        w->select(struckOut);
        QCOMPARE(w->currentPage(), 1);
        QCOMPARE(shown(w, {"edStatusAg", "edNrDokumentu", "lblNrDokumentu", "edNIPAg"}),
                 (QStringList{"WYKREŚLONY", "85050512345", "PESEL", ""}));  // NIP "<E>"
        QCOMPARE(visible(w, {"GBOsobaFizyczna"}), "1");
        QVERIFY(part<QAbstractButton>(w, "rgDzialalnoscOdp2")->isChecked());

        // An employee after another: "<E>" empties a plain edit, but a masked one keeps its code.
        TreeNode* employees = struckOut->child(DocumentTree::PRACOWNICY);
        w->select(employees);
        QCOMPARE(w->selectedNode(), employees->child(0));
        QCOMPARE(w->currentPage(), 3);
        QCOMPARE(shown(w, {"edUlicaPR", "meKodPocztowyPR", "edRodzajOpPR", "lblSNDocPESEL"}),
                 (QStringList{"LIPOWA", "00-950", "WPISANY", "Seria i numer"}));
        w->select(employees->child(1));
        QCOMPARE(shown(w, {"edNazwiskoPR", "edUlicaPR", "meKodPocztowyPR"}),
                 (QStringList{"BARAN", "", "00-950"}));
        QCOMPARE(w->currentApplicationNode(), nodeAt(*w, {0}));

        // A policy, then the empty "Polisy" of the other agent: the policy page, empty.
        w->select(struckOut->child(DocumentTree::POLISY)->child(0));
        QCOMPARE(shown(w, {"edNrPolisy", "meWaznyOd"}), (QStringList{"OC/1", "01.01.2026"}));
        TreeNode* otherAgent = nodeAt(*w, {1, 0});
        w->select(otherAgent->child(DocumentTree::POLISY));
        QCOMPARE(w->currentPage(), 5);
        QCOMPARE(shown(w, {"edNrPolisy", "meWaznyOd"}), (QStringList{"", ""}));
        QCOMPARE(w->currentApplicationNode(), nodeAt(*w, {1}));

        // A response about an agent still in the register shows no reasons, and is green; a
        // company no person.
        w->select(nodeAt(*w, {1}));
        QCOMPARE(visible(w, {"GroupBox5"}), "0");
        QCOMPARE(colourOf(*w, nodeAt(*w, {0})), QColor(255, 0, 0));
        QCOMPARE(colourOf(*w, nodeAt(*w, {1})), QColor(0, 128, 0));
        w->select(otherAgent);
        QCOMPARE(visible(w, {"GBOsobaFizyczna"}), "0");
        QVERIFY(!part<QAbstractButton>(w, "rgDzialalnoscOdp2")->isChecked());

        // Each tab selects what its page shows.
        auto* tabs = part<QTabWidget>(w, "tbshMain");
        w->select(struckOut->child(DocumentTree::PRACOWNICY)->child(1));
        tabs->setCurrentIndex(0);
        QCOMPARE(w->selectedNode(), nodeAt(*w, {0}));
        tabs->setCurrentIndex(3);
        QCOMPARE(w->selectedNode(), struckOut->child(DocumentTree::PRACOWNICY)->child(0));
        tabs->setCurrentIndex(1);
        QCOMPARE(w->selectedNode(), struckOut);
        // The other agent has no board: its empty category, the page empty.
        w->select(nodeAt(*w, {1}));
        tabs->setCurrentIndex(2);
        QCOMPARE(w->selectedNode(), nodeAt(*w, {1, 0})->child(DocumentTree::ZARZAD));
        QCOMPARE(w->currentPage(), 2);
        QCOMPARE(shown(w, {"edNazwiskoZarz"}), QStringList{""});
        QCOMPARE(f.prompts.messages(), QStringList());
    }
};

QTEST_MAIN(TestTfrmOdpowiedz)
#include "test_TfrmOdpowiedz.moc"
