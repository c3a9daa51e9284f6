#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "forms/DocumentTreeModel.h"
#include "forms/TfrmOdpowiedz.h"
#include "model/FileStreams.h"
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
std::vector<Line> twoAnswers() {
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
    return lines;
}

std::string responseText(const std::vector<Line>& lines, int version) {
    std::string text;
    for (const Line& l : lines)
        text += samples::responseLine(*l.record, l.kind, version, samples::sampleResponseCode()) +
                "\r\n";
    return text;
}

class Fixture : public test::LibraryFixture {
public:
    QString write(const QString& name, const std::string& bytes) {
        const QString path = folder() + QLatin1Char('/') + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    TfrmOdpowiedz* open(const QString& path) {
        OpenDocument(&host, path.toUtf8().constData(), wsNormal);
        return qobject_cast<TfrmOdpowiedz*>(GetActiveWnd());
    }
};

QString shown(QWidget* w, const char* name) {
    return part<QLineEdit>(w, name)->text();
}

// The node of the window's tree whose text and place are given: a row under each level.
TreeNode* nodeAt(TfrmOdpowiedz& w, std::initializer_list<int> rows) {
    TreeNode* n = w.recordTree().root();
    for (int row : rows)
        n = n->child(static_cast<std::size_t>(row));
    return n;
}

}  // namespace

class TestTfrmOdpowiedz : public QObject {
    Q_OBJECT
private slots:
    void opensAnswersOfEitherVersionInAnyLetterCase();
    void aFileItCannotReadClosesTheWindowAfterItsMessage();
    void pagesShowTheAnswerAsStored();
    void tabsSelectWhatTheirPageShows();
};

void TestTfrmOdpowiedz::opensAnswersOfEitherVersionInAnyLetterCase() {
    Fixture f;
    samples::ResponseShape shape;
    shape.agents = 2;
    const std::pair<const char*, int> files[] = {{"a.coa", 1}, {"b.COA", 3}, {"c.Coa", 3}};
    for (const auto& [name, version] : files) {
        const QString path =
            f.write(QString::fromLatin1(name), samples::sampleResponseText(version, shape));
        TfrmOdpowiedz* w = f.open(path);
        QVERIFY(w);
        QCOMPARE(QString::fromLatin1(morvelWindowClass(w)), QStringLiteral("TfrmOdpowiedz"));
        QCOMPARE(w->property("caption").toString(), path);
        QCOMPARE(w->windowTitle(), path);
        QCOMPARE(w->FormatVersion(), version);
        // The first response is selected and shown.
        TreeNode* first = nodeAt(*w, {0});
        QCOMPARE(w->selectedNode(), first);
        QCOMPARE(w->currentApplicationNode(), first);
        QCOMPARE(w->currentPage(), 0);
        QCOMPARE(shown(w, "edNrOdpowiedzi"),
                 test::text(static_cast<const TRecOdpowiedz*>(first->record())->NrOdpowiedzi));
    }
    QCOMPARE(GetMDIWndCount(), 3);
    QCOMPARE(LibraryState::instance().windowCount(), 3);
    QCOMPARE(f.prompts.messages(), QStringList());
}

void TestTfrmOdpowiedz::aFileItCannotReadClosesTheWindowAfterItsMessage() {
    Fixture f;
    std::string damaged = responseText(twoAnswers(), 3);
    damaged[damaged.find("KOWALSKI")] = 'X';  // the agent's line no longer fits its checksum
    const QString missing = f.folder() + QStringLiteral("/brak.coa");
    const QString wrongVersion = f.write(QStringLiteral("x.coa"), "OD2;JSK;X\r\n");
    const QString empty = f.write(QStringLiteral("y.coa"), "");
    const QString changed = f.write(QStringLiteral("z.coa"), damaged);
    const QString other = f.write(QStringLiteral("w.coa"), "OD3;XYZ;N;1;WPIS;D;K;00000000\r\n");
    const struct {
        QString path;
        QString message;
    } cases[] = {
        {wrongVersion, QStringLiteral("Błędny format pliku odpowiedzi")},
        {empty, QStringLiteral("Błędny format pliku odpowiedzi")},
        {missing, QStringLiteral("Wystąpił błąd przy odczycie pliku\n") + missing + "\n" +
                      QString::fromStdString(systemReason(ENOENT))},
        {changed, QStringLiteral("Wystąpił błąd przy odczycie pliku\n") + changed +
                      QStringLiteral("\nWystąpił błąd w linii 2\nBłąd sumy kontrolnej dla "
                                     "rekordu AGENT - ODPOWIEDŹ!")},
        {other, QStringLiteral("Wystąpił błąd przy odczycie pliku\n") + other +
                    QStringLiteral("\nWystąpił błąd w linii 1\nBłędny kod zakładu dla rekordu "
                                   "ODPOWIEDŹ!")},
    };
    for (const auto& c : cases) {
        f.prompts.clear();
        OpenDocument(&f.host, c.path.toUtf8().constData(), wsNormal);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(f.prompts.messages(), QStringList{c.message});
        QCOMPARE(f.prompts.last().caption, QStringLiteral("Komunikat"));
        QCOMPARE(f.prompts.last().icon, platform::PromptIcon::Error);
        QCOMPARE(GetMDIWndCount(), 0);
        QCOMPARE(LibraryState::instance().windowCount(), 0);
    }
}

void TestTfrmOdpowiedz::pagesShowTheAnswerAsStored() {
    Fixture f;
    TfrmOdpowiedz* w = f.open(f.write(QStringLiteral("odp.coa"), responseText(twoAnswers(), 3)));
    QVERIFY(w);
    QCOMPARE(f.prompts.messages(), QStringList());
    // Nodes sorted: the responses by text, their agents, the employees by surname.
    TreeNode* struckOut = nodeAt(*w, {0, 0});
    QCOMPARE(test::text(Field(nodeAt(*w, {0})->text())), QStringLiteral("Odpowiedź-1"));

    // The response of a struck-out agent: its reasons, only the first ticked.
    QCOMPARE(part<QLabel>(w, "Kod")->text(), test::text(Field(samples::sampleResponseCode())));
    QCOMPARE(part<QLabel>(w, "NazwaZU")->text(), QStringLiteral("TOWARZYSTWO"));
    QCOMPARE(shown(w, "edTypWniosku"), QStringLiteral("WYKREŚLENIE"));
    QVERIFY(part<QGroupBox>(w, "GroupBox5")->isVisibleTo(w));
    QVERIFY(part<QWidget>(w, "DataWykreslenia")->isVisibleTo(w));
    QList<bool> ticked;
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"})
        ticked << part<QCheckBox>(w, box)->isChecked();
    QCOMPARE(ticked, (QList<bool>{true, false, false, false}));
    // The red of a deletion in the tree.
    const QModelIndex response = w->model().indexOf(nodeAt(*w, {0}));
    QCOMPARE(response.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));

    w->select(struckOut);
    QCOMPARE(w->currentPage(), 1);
    QCOMPARE(shown(w, "edStatusAg"), QStringLiteral("WYKREŚLONY"));
    QCOMPARE(shown(w, "edNrDokumentu"), QStringLiteral("85050512345"));
    QCOMPARE(part<QLabel>(w, "lblNrDokumentu")->text(), QStringLiteral("PESEL"));
    QVERIFY(part<QGroupBox>(w, "GBOsobaFizyczna")->isVisibleTo(w));
    QVERIFY(part<QAbstractButton>(w, "rgDzialalnoscOdp2")->isChecked());
    QCOMPARE(shown(w, "edNIPAg"), QString());  // "<E>"

    // An employee after another: "<E>" empties a plain edit, but a masked one keeps its code.
    TreeNode* employees = struckOut->child(DocumentTree::PRACOWNICY);
    w->select(employees);
    QCOMPARE(w->selectedNode(), employees->child(0));
    QCOMPARE(w->currentPage(), 3);
    QCOMPARE(shown(w, "edUlicaPR"), QStringLiteral("LIPOWA"));
    QCOMPARE(shown(w, "meKodPocztowyPR"), QStringLiteral("00-950"));
    QCOMPARE(shown(w, "edRodzajOpPR"), QStringLiteral("WPISANY"));
    QCOMPARE(part<QLabel>(w, "lblSNDocPESEL")->text(), QStringLiteral("Seria i numer"));
    w->select(employees->child(1));
    QCOMPARE(shown(w, "edNazwiskoPR"), QStringLiteral("BARAN"));
    QCOMPARE(shown(w, "edUlicaPR"), QString());
    QCOMPARE(shown(w, "meKodPocztowyPR"), QStringLiteral("00-950"));
    QCOMPARE(w->currentApplicationNode(), nodeAt(*w, {0}));

    // A policy, then the empty "Polisy" of the other agent: the policy page, empty.
    w->select(struckOut->child(DocumentTree::POLISY)->child(0));
    QCOMPARE(shown(w, "edNrPolisy"), QStringLiteral("OC/1"));
    QCOMPARE(shown(w, "meWaznyOd"), QStringLiteral("01.01.2026"));
    TreeNode* otherAgent = nodeAt(*w, {1, 0});
    w->select(otherAgent->child(DocumentTree::POLISY));
    QCOMPARE(w->currentPage(), 5);
    QCOMPARE(shown(w, "edNrPolisy"), QString());
    QCOMPARE(shown(w, "meWaznyOd"), QString());
    QCOMPARE(w->currentApplicationNode(), nodeAt(*w, {1}));

    // A response about an agent still in the register shows no reasons; a company no person.
    w->select(nodeAt(*w, {1}));
    QVERIFY(!part<QGroupBox>(w, "GroupBox5")->isVisibleTo(w));
    QCOMPARE(response.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    QCOMPARE(w->model().indexOf(nodeAt(*w, {1})).data(Qt::ForegroundRole).value<QBrush>().color(),
             QColor(0, 128, 0));
    w->select(otherAgent);
    QVERIFY(!part<QGroupBox>(w, "GBOsobaFizyczna")->isVisibleTo(w));
    QVERIFY(!part<QAbstractButton>(w, "rgDzialalnoscOdp2")->isChecked());
}

void TestTfrmOdpowiedz::tabsSelectWhatTheirPageShows() {
    Fixture f;
    TfrmOdpowiedz* w = f.open(f.write(QStringLiteral("odp.coa"), responseText(twoAnswers(), 3)));
    QVERIFY(w);
    auto* tabs = part<QTabWidget>(w, "tbshMain");
    TreeNode* struckOut = nodeAt(*w, {0, 0});
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
    QCOMPARE(shown(w, "edNazwiskoZarz"), QString());
    QCOMPARE(f.prompts.messages(), QStringList());
}

QTEST_MAIN(TestTfrmOdpowiedz)
#include "test_TfrmOdpowiedz.moc"
