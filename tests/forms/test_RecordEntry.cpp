#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "document/DocumentTree.h"
#include "document/RecordEditing.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/MorvelApi.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "forms/TfrmCalendar.h"
#include "forms/TfrmData.h"
#include "model/ApplicationFile.h"
#include "model/ByteStream.h"
#include "model/CRC32.h"
#include "model/Cp1250.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"

using namespace tavik;
using platform::PromptAnswer;
using test::retype;
using test::shown;
using test::text;

namespace {

void choose(QComboBox* combo, const QString& text) {
    const int at = combo->findText(text, Qt::MatchExactly);
    QVERIFY2(at >= 0, qPrintable(text));
    combo->setCurrentIndex(at);
}

template <class R>
R& record(TreeNode* node) {
    return static_cast<R&>(*node->record());
}

// The checksum of a record's fields, as a file holds it.
template <class R>
std::uint32_t checksum(const R& record, bool (CRC32::*of)(const R*, std::uint32_t&) const) {
    std::uint32_t crc = 0;
    (CRC32().*of)(&record, crc);
    return crc;
}

QStringList childTexts(const TreeNode* node) {
    QStringList out;
    for (const auto& child : node->children())
        out << QString::fromStdString(child->text());
    return out;
}

// The records of a sample entry application: its agent and what is below it.
struct Entry {
    samples::SampleDocument sample;
    const TRecAgenta3* agent = nullptr;
    std::vector<const TRecOsoba*> board, employees;
    std::vector<const TRecPelnomocnictwo*> powers;
    std::vector<const TRecPolisaOC3*> policies;

    explicit Entry(bool naturalPerson) : sample(3, {}, seedFor(naturalPerson)) {
        for (std::size_t i = 0; i < sample.records().size(); ++i) {
            const TRecord* r = sample.records()[i].get();
            const RecordKind kind = sample.kinds()[i];
            if (kind == KIND_AGENT) agent = static_cast<const TRecAgenta3*>(r);
            if (kind == KIND_ZARZAD || kind == KIND_PRACOWNIK)
                (kind == KIND_ZARZAD ? board : employees)
                    .push_back(static_cast<const TRecOsoba*>(r));
            if (kind == KIND_PELNOMOCNICTWO)
                powers.push_back(static_cast<const TRecPelnomocnictwo*>(r));
            if (kind == KIND_POLISA) policies.push_back(static_cast<const TRecPolisaOC3*>(r));
        }
    }
    // The first seed whose entry's agent is (or is not) a natural person.
    static std::uint32_t seedFor(bool naturalPerson) {
        for (std::uint32_t seed = 1;; ++seed) {
            samples::SampleDocument probe(3, {}, seed);
            for (std::size_t i = 0; i < probe.records().size(); ++i)
                if (probe.kinds()[i] == KIND_AGENT &&
                    (static_cast<const TRecAgenta&>(*probe.records()[i]).FormaPrawna ==
                     cp1250::fromUtf8OrThrow("OSOBA FIZYCZNA")) == naturalPerson)
                    return seed;
        }
    }
};

// Every node of a tree in order: its text and, for a record, its kind, fields and checksum.
QStringList dump(DocumentTree& tree) {
    QStringList out;
    tree.forEach([&](TreeNode& n) {
        QString line = QString::fromLatin1(n.text().data(), qsizetype(n.text().size()));
        if (n.hasRecord()) {
            line += QStringLiteral(" (%1)").arg(n.kind());
            for (const auto& f : n.record()->fields())
                // A version-3 file keeps a policy's insurer by its code alone.
                if (n.kind() != KIND_POLISA ||
                    f.field != &static_cast<TRecPolisaOC&>(*n.record()).Nazwa_zakladu)
                    line += '|' + text(*f.field);
            if (n.kind() != KIND_ZAKLAD) line += QStringLiteral(" crc %1").arg(n.record()->CRC);
        }
        out << line;
    });
    return out;
}

// Clicks a date button and chooses, with Enter, the day the picker opened at; that day, or an
// invalid date when no picker opened.
QDate pickWith(QToolButton* button) {
    QDate opened;
    QTimer::singleShot(0, button, [&opened] {
        auto* picker = qobject_cast<TfrmCalendar*>(QApplication::activeModalWidget());
        if (!picker) return;
        opened = picker->date();
        QTest::keyClick(picker->MonthCalendar1->findChild<QTableView*>(), Qt::Key_Return);
        if (picker->isVisible()) picker->reject();
    });
    button->click();
    QCoreApplication::processEvents();  // the timer of a picker that never opened
    return opened;
}

}  // namespace

class TestRecordEntry : public QObject {
    Q_OBJECT

    std::optional<test::LibraryFixture> lib_;  // fresh for each test

    // Accepts a page with its command: the boxes said.
    QStringList accept(TfrmData* w, const char* command) {
        lib_->prompts.clear();
        test::action(w, command)->trigger();
        return lib_->prompts.messages();
    }

private slots:
    void init() { lib_.emplace(); }
    void cleanup() { lib_.reset(); }

    void wholeEntryApplicationSavedAndReopened() {
        const Entry entry(false);
        TfrmData* w = lib_->newDocument();
        const EntryPages& p = w->pages();

        // The application: the new form's number and date, a comment typed in small letters.
        QTest::keyClicks(p.wniosek->edKomentarz, "pierwszy wniosek agenta");
        QVERIFY(w->isModified());
        test::action(w, "AddWniosek")->trigger();
        QCOMPARE(w->tree().root()->childCount(), std::size_t(1));
        TreeNode* application = w->tree().root()->child(0);
        QCOMPARE(w->selectedNode(), application);
        const auto& wniosek = record<TRecWniosek>(application);
        QCOMPARE(test::texts(wniosek.NumerWniosku, wniosek.Komentarz, wniosek.TypWniosku,
                             wniosek.DataWniosku),
                 (QStringList{"WNIOSEK 1", "PIERWSZY WNIOSEK AGENTA", "WPIS",
                              QDate::currentDate().toString("dd.MM.yyyy")}));
        QCOMPARE(wniosek.CRC, checksum(wniosek, &CRC32::CRC32RecWniosek));
        QVERIFY(!test::action(w, "AddWniosek")->isEnabled());

        // A company agent.
        test::action(w, "NewAgent")->trigger();
        p.agent->showAgent(*entry.agent, 0, "WPIS");
        retype(p.agent->edNazwaAgenta, text(entry.agent->NazwaAgenta));
        retype(p.agent->edLiczba, "2");
        test::action(w, "AddAgent")->trigger();  // the first box since the document opened
        QCOMPARE(lib_->prompts.messages(), QStringList{"Dodano nowego agenta"});
        TreeNode* agent = DocumentTree::agentOf(application);
        QVERIFY(agent);
        QCOMPARE(QStringLiteral("%1 %2 ").arg(agent->icon()).arg(agent->childCount()) +
                     text(record<TRecAgenta3>(agent).RodzajOperacji),
                 QStringLiteral("%1 4 WPIS").arg(int(DocumentTree::kIconAgentFromPage)));

        // Two board members, two employees and two powers of attorney, each under its category:
        // the first from the category's node, the next with the page's "new" command.
        const auto addTwo = [&](DocumentTree::Category category, const char* another,
                                const char* add, const QString& confirmation,
                                const std::function<void(int)>& fill) {
            w->select(DocumentTree::categoryOf(agent, category));
            for (int i = 0; i < 2; ++i) {
                if (i > 0) test::action(w, another)->trigger();
                QVERIFY(w->newRecordMode());
                fill(i);
                QCOMPARE(accept(w, add), QStringList{confirmation});
            }
        };
        const auto person = [](PersonPage* page, const TRecOsoba& who) {
            page->showPerson(who);
            retype(page->nazwisko, text(who.Nazwisko));
        };
        addTwo(DocumentTree::ZARZAD, "NewZarzad", "AddZarzad",
               "Wprowadzono nowy rekord czł. zarządu ",
               [&](int i) { person(p.zarzad, *entry.board[i]); });
        addTwo(DocumentTree::PRACOWNICY, "NewPrac", "AddPracownik",
               "Wprowadzono nowy rekord pracownika ",
               [&](int i) { person(p.pracownik, *entry.employees[i]); });
        addTwo(DocumentTree::PELNOMOCNICTWA, "NewPelnomoc", "AddPelnomoc",
               "Wprowadzono nowy rekord PEŁNOMOCNICTWO ", [&](int i) {
                   p.pelnomocnictwo->showPower(*entry.powers[i]);
                   retype(p.pelnomocnictwo->edObszarDzialalnosci,
                          text(entry.powers[i]->ObszarDzialalnosci));
               });
        QCOMPARE(DocumentTree::categoryOf(agent, DocumentTree::ZARZAD)->childCount(),
                 std::size_t(2));
        // The nodes' texts are the records' bytes.
        QStringList surnames = {QString::fromStdString(entry.employees[0]->Nazwisko.str()),
                                QString::fromStdString(entry.employees[1]->Nazwisko.str())};
        surnames.sort();  // the employees sorted by surname
        QCOMPARE(
            childTexts(DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)) +
                childTexts(DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA)),
            (surnames + QStringList{"Pelnomocnictwo LP - 000001", "Pelnomocnictwo LP - 000002"}));

        // A policy, from the agent's node, open-ended.
        w->select(agent);
        w->NewPolisaExecute();
        p.polisa->showPolicy(const_cast<TRecPolisaOC3&>(*entry.policies[0]), {});
        choose(p.polisa->cbNazwaZakladu, "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA");
        retype(p.polisa->edPolisaID, "OC/2026/1");
        p.polisa->meWaznyDo->clear();
        QCOMPARE(accept(w, "AddPolisa"), QStringList{"Wprowadzono nowy rekord polisa "});
        TreeNode* policies = DocumentTree::categoryOf(agent, DocumentTree::POLISY);
        QCOMPARE(childTexts(policies), QStringList{"Polisa - OC/2026/1"});
        const auto& polisa = record<TRecPolisaOC3>(policies->child(0));
        QCOMPARE(test::texts(polisa.WazneDo, polisa.Kod_ZU), (QStringList{"<E>", "JSK"}));

        // Saved under a name, opened again: every record and checksum as entered.
        const QString path = lib_->folder() + "/nowy.rpa";
        lib_->prompts.clear();
        lib_->prompts.chooseSaveName(path);
        w->SaveToFile(false);
        QCOMPARE(w->caption() + (w->isModified() ? " *" : ""), path);
        auto* reopened = lib_->openDocument(path);
        QVERIFY(reopened != w);
        QCOMPARE(lib_->prompts.messages(), QStringList());
        QCOMPARE(dump(reopened->tree()), dump(w->tree()));
    }

    void naturalPersonAgentCopiedIntoABoardMember() {
        const Entry entry(true);
        TfrmData* w = lib_->newDocument();
        QTest::keyClicks(w->pages().wniosek->edKomentarz, "x");
        test::action(w, "AddWniosek")->trigger();
        test::action(w, "NewAgent")->trigger();
        AgentPage* page = w->pages().agent;
        choose(page->cbFormaPrawna, "OSOBA FIZYCZNA");
        // The legal form's rule: the tax register, the person's group, no board size.
        QCOMPARE(shown({page->cbRodzajRejestru, page->edLiczba})
                     << test::visible(page, {page->gbOsobaFizyczna, page->edLiczba}),
                 (QStringList{"NUMER IDENTYFIKACJI PODATKOWEJ", "0", "10"}));
        page->showAgent(*entry.agent, 0, "WPIS");
        retype(page->edImieAG, text(entry.agent->Imie));
        lib_->prompts.answer(PromptAnswer::Yes);
        test::action(w, "AddAgent")->trigger();
        QCOMPARE(lib_->prompts.messages(),
                 (QStringList{"Dodano nowego agenta",
                              "Czy przepisac dane agenta do danych czł. zarządu?"}));
        QCOMPARE(w->currentPage(), int(PAGE_ZARZAD));
        QVERIFY(w->newRecordMode());
        const PersonPage* board = w->pages().zarzad;
        QCOMPARE(board->operation->currentIndex(), 0);
        const TRecAgenta3& a = *entry.agent;
        QCOMPARE(shown({board->imie, board->nazwisko, board->pesel, board->rodzajDokumentu,
                        board->miejscowosc, board->kodPocztowy}),
                 test::texts(a.Imie, a.Nazwisko, a.PESEL, a.RodzajDokumentuOsFizAgenta,
                             a.Miejscowosc, a.KodPocztowy));
        TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
        QCOMPARE(w->selectedNode(), DocumentTree::categoryOf(agent, DocumentTree::ZARZAD));
    }

    void deletionAsksBeforeRecordsGo() {
        auto* w = lib_->openDocument(lib_->sampleFile(3, 1));
        TreeNode* application = w->tree().root()->child(0);
        TreeNode* agent = DocumentTree::agentOf(application);
        const QStringList before = dump(w->tree());
        w->select(application);
        ApplicationPage* page = w->pages().wniosek;
        // The application turned into a deletion and accepted with the answer given; what the
        // page showed on the way: the date, then the reasons, and the reasons ticked.
        const auto strikeOut = [&](PromptAnswer answer) {
            choose(page->cbRodzajWn, "WYKREŚLENIE");
            QString seen = test::visible(page, {page->DataWykreslenia});
            page->cbDataWykreslenia->setChecked(true);
            seen += test::visible(page, {page->gbPrzyczyny});
            page->DataWykreslenia->setDate(QDate(2026, 11, 30));
            page->CheckBox1->setChecked(true);
            page->CheckBox3->setChecked(true);
            seen += QStringLiteral(" %1").arg(page->reasons(), 8, 16, QLatin1Char('0'));
            lib_->prompts.clear();
            lib_->prompts.answer(answer);
            test::action(w, "AddWniosek")->trigger();
            return seen;
        };
        QCOMPARE(strikeOut(PromptAnswer::No), "11 00ff00ff");
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Ostrzeżenie! [Warning YesNo]: Wszystkie dane przypisane pod Agenta "
                             "zostaną usunięte!"});
        QCOMPARE(dump(w->tree()), before);
        QCOMPARE(record<TRecWniosek>(application).RodzajWniosku, 0);

        strikeOut(PromptAnswer::Yes);
        QCOMPARE(lib_->prompts.messages(),
                 QStringList{"Wszystkie dane przypisane pod Agenta zostaną usunięte!"});
        QCOMPARE(record<TRecWniosek>(application).RodzajWniosku, 2);
        QCOMPARE(agent->childCount(), std::size_t(0));
        const auto& struck = record<TRecAgenta3>(agent);
        QCOMPARE(
            test::texts(struck.Przyczyny, struck.DATA_ROZW_UM_AGENCYJNEJ, struck.RodzajOperacji),
            (QStringList{"00FF00FF", "30.11.2026", "WYKREŚLENIE"}));
        QCOMPARE(struck.CRC, checksum(struck, &CRC32::CRC32RecAgent3));
    }

    void foreignCitizenshipTakesOtherDocuments() {
        TfrmData* w = lib_->newDocument();
        const EntryPages& p = w->pages();
        for (auto [citizenship, documents, label] :
             {std::tuple{p.agent->cbObywatelstwoAg, p.agent->cbRodzajDokAg,
                         p.agent->lblNrDokumentu},
              std::tuple{p.pracownik->obywatelstwo, p.pracownik->rodzajDokumentu,
                         p.pracownik->numberLabel}}) {
            // The document shown, its number's label, whether the identity card and the driving
            // licence are offered.
            const auto state = [&, documents = documents, label = label] {
                return shown({documents, label})
                       << QStringLiteral("%1%2")
                              .arg(int(documents->findText("DOWÓD OSOBISTY") >= 0))
                              .arg(int(documents->findText("PRAWO JAZDY") >= 0));
            };
            choose(citizenship, "NIEMIECKIE");
            QCOMPARE(state(), (QStringList{"PASZPORT", "Seria i numer", "00"}));
            choose(citizenship, "POLSKIE");
            QCOMPARE(state(), (QStringList{"DOWÓD OSOBISTY", "PESEL", "11"}));
        }
    }

    void bankActivityAsksToClearInsuranceKinds() {
        auto* w = lib_->openDocument(lib_->sampleFile(3, 1));
        TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
        TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
        const auto kinds = [powers] {
            QStringList out;
            for (const auto& power : powers->children())
                out << text(record<TRecPelnomocnictwo>(power.get()).RodzajUbezpieczenia);
            return out;
        };
        for (const auto& power : powers->children())
            record<TRecPelnomocnictwo>(power.get()).RodzajUbezpieczenia = "MAJ";
        w->select(agent);
        AgentPage* page = w->pages().agent;
        auto* bank = page->findChild<QRadioButton*>("rgDzialalnosc2");
        lib_->prompts.clear();
        bank->click();  // "No": the powers keep their kinds
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Komunikat [Warning YesNo]: Wybranie tej opcji spowoduje usunięcie\n"
                             "danych w polu rodzaj ubezpieczenia dla\nrekordów z "
                             "pełnomocnictwami\nCzy usunąć wartości z pola RODZAJ "
                             "UBEZPIECZENIA\ndla WSZYSTKICH  pełnomocnictw?"});
        QCOMPARE(kinds(), QStringList(qsizetype(powers->childCount()), "MAJ"));
        page->findChild<QRadioButton*>("rgDzialalnosc1")->click();
        QVERIFY(page->cbDzialalnoscPodstawowa->isEnabled());
        lib_->prompts.answer(PromptAnswer::Yes);
        bank->click();
        QCOMPARE(kinds(), QStringList(qsizetype(powers->childCount()), "<E>"));
        for (const auto& power : powers->children()) {
            const auto& r = record<TRecPelnomocnictwo>(power.get());
            QCOMPARE(r.CRC, checksum(r, &CRC32::CRC32RecPelnomocnictwo));
        }
        QVERIFY(!page->cbDzialalnoscPodstawowa->isEnabled());
        QCOMPARE(page->cbDzialalnoscPodstawowa->currentIndex(), -1);
        QVERIFY(!w->pages().pelnomocnictwo->edRodzajUbezpieczenia->isEnabled());
    }

    void refusedAcceptLeavesTreeAndPage() {
        auto* w = lib_->openDocument(lib_->sampleFile(3, 1));
        TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
        TreeNode* employee = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
        w->select(employee);
        const QStringList before = dump(w->tree());
        retype(w->pages().pracownik->nazwisko, QString());
        retype(w->pages().pracownik->imie, "jan");
        lib_->prompts.clear();
        test::action(w, "AddPracownik")->trigger();
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Błąd [Error]: Pole NAZWISKO jest puste\nmaksymalna długość pola: "
                             "28\nPole jest obowiązkowe!\nTyp rekordu: PRACOWNIK\nRodzaj: "
                             "NOWY\nPracownik nie został dodany!"});
        QCOMPARE(dump(w->tree()), before);
        QCOMPARE(w->pages().pracownik->imie->text(), "JAN");
        QVERIFY(test::action(w, "AddPracownik")->isEnabled());
        // Aborting shows the record again.
        test::action(w, "AbortPrac")->trigger();
        QCOMPARE(w->pages().pracownik->nazwisko->text(),
                 text(record<TRecOsoba>(employee).Nazwisko));
        QCOMPARE(test::enabled(w, {"AddPracownik", "AbortPrac"}), "00");
        QVERIFY(!w->isModified());

        // A policy naming an insurer the list lacks shows the code and keeps its name.
        TreeNode* policy = DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0);
        auto& polisa = record<TRecPolisaOC3>(policy);
        polisa.Kod_ZU = "XYZ";
        polisa.Nazwa_zakladu = "<E>";
        w->select(policy);
        const QComboBox* insurer = w->pages().polisa->cbNazwaZakladu;
        QCOMPARE(QStringList({QString::number(insurer->currentIndex()), insurer->placeholderText(),
                              text(polisa.Nazwa_zakladu),
                              QString::fromStdString(w->pages().polisa->chosenInsurerCode())}),
                 (QStringList{"-1", "XYZ", "<E>", "XYZ"}));

        // The application's check speaks under "Walidacja".
        w->select(w->tree().root()->child(0));
        retype(w->pages().wniosek->edNrWniosku, QString());
        lib_->prompts.clear();
        test::action(w, "AddWniosek")->trigger();
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Walidacja [Error]: Pole NUMERWNIOSKU jest puste\nmaksymalna długość "
                             "pola: 20\nPole jest obowiązkowe!"});
        QCOMPARE(QString::fromStdString(w->tree().root()->child(0)->text()),
                 text(record<TRecWniosek>(w->tree().root()->child(0)).NumerWniosku));
    }

    // A date a stored file holds wrongly is put right with its button: the picker opens at today.
    void wrongStoredDatesArePutRightWithTheirButtons() {
        samples::SampleDocument sample(3,
                                       {.boardMembers = 0,
                                        .employees = 0,
                                        .powersOfAttorney = 1,
                                        .policies = 1,
                                        .deletions = false},
                                       7);
        const std::string wrong = "31.02.2026";
        for (std::size_t i = 0; i < sample.records().size(); ++i) {
            TRecord& r = *sample.records()[i];
            const RecordKind kind = sample.kinds()[i];
            if (kind == KIND_WNIOSEK) static_cast<TRecWniosek&>(r).DataWniosku = wrong;
            if (kind == KIND_POLISA) {
                static_cast<TRecPolisaOC3&>(r).WazneOd = wrong;
                static_cast<TRecPolisaOC3&>(r).WazneDo = wrong;
            }
            if (kind == KIND_PELNOMOCNICTWO) {
                static_cast<TRecPelnomocnictwo&>(r).WazneOd = wrong;
                static_cast<TRecPelnomocnictwo&>(r).WazneDo = wrong;
            }
            renewChecksum(r, kind);
        }
        std::unique_ptr<DataRecord> document = makeDocumentOfVersion(3);
        sample.listInto(*document);
        MemoryOutput bytes;
        document->ZapiszDoStrumienia(bytes);
        TfrmData* w = lib_->openDocument(lib_->writeFile(
            "daty.rpa", QByteArray(bytes.bytes().data(), qsizetype(bytes.bytes().size()))));
        QVERIFY(w);
        QCOMPARE(lib_->prompts.messages(), QStringList{"Błędny format daty w polu DataWniosku"});
        TreeNode* application = w->tree().root()->child(0);
        TreeNode* agent = DocumentTree::agentOf(application);
        TreeNode* policy = DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0);
        TreeNode* power = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA)->child(0);
        const EntryPages& p = w->pages();
        const QDate today = QDate::currentDate();
        const struct {
            TreeNode* node;
            QLineEdit* field;
            QToolButton* button;
        } dates[] = {{application, p.wniosek->edDataWn, p.wniosek->sbDataWn},
                     {policy, p.polisa->meWaznyOd, p.polisa->sbWaznyOd},
                     {policy, p.polisa->meWaznyDo, p.polisa->sbWaznyDo},
                     {power, p.pelnomocnictwo->meWazneOd, p.pelnomocnictwo->sbWaznyOdPE},
                     {power, p.pelnomocnictwo->meWazneDo, p.pelnomocnictwo->sbWaznyDoPE}};
        for (const auto& date : dates) {
            const QString name = date.button->objectName() + ' ';
            w->select(date.node);
            QCOMPARE(name + date.field->text(), name + "31.02.2026");
            lib_->prompts.clear();
            QCOMPARE(pickWith(date.button), today);
            QCOMPARE(name + date.field->text(), name + today.toString("dd.MM.yyyy"));
            QCOMPARE(lib_->prompts.messages(), QStringList{});
        }
    }

    // Every drop-down list of the pages opens wide enough to show each of its entries whole, the
    // long dictionary names above all (they were cut at the width of their box).
    void listsOpenWideEnoughForTheirEntries() {
        lib_->host.show();
        TfrmData* w = lib_->newDocument();
        QStringList opened;
        for (QComboBox* combo : w->findChildren<QComboBox*>()) {
            if (combo->count() == 0) continue;
            QAbstractItemView* list = combo->view();
            const QFontMetrics metrics(list->font());
            int widest = 0;
            for (int i = 0; i < combo->count(); ++i)
                widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
            combo->showPopup();
            const QString name = combo->objectName() + ' ';
            QVERIFY(list->isVisible());
            QCOMPARE(name + QString::number(list->minimumWidth() >= widest) +
                         QString::number(list->viewport()->width() >= list->sizeHintForColumn(0)),
                     name + "11");
            combo->hidePopup();
            opened << combo->objectName();
        }
        for (const char* name : {"cbRodzajRejestru", "cbNazwaZakladu", "cbNazwaGrupyUbezpieczen",
                                 "cbDzialalnoscPodstawowa", "cbFormaPrawna"})
            QVERIFY2(opened.contains(QString::fromLatin1(name)), name);
    }

    void agentPageKeepsEachAgentsOwnMaskAndBoardSize() {
        TfrmData* w = lib_->newDocument();
        AgentPage* page = w->pages().agent;
        w->NewAgentExecute();
        QVERIFY(test::action(w, "AddAgent")->isEnabled());  // a blank form can be accepted
        choose(page->cbFormaPrawna, "OSOBA FIZYCZNA");
        QCOMPARE(page->edNrEwidencyjny->inputMask(), page->edNIPAg->inputMask());
        QCOMPARE(test::visible(page, {page->edLiczba}) + page->edLiczba->text(), "00");

        // The next agent, a company in the court register: no mask, its number whole.
        w->NewAgentExecute();
        QCOMPARE(page->edNrEwidencyjny->inputMask(), QString());
        QVERIFY(page->edLiczba->isVisibleTo(page));
        retype(page->edNrEwidencyjny, "KRS0000012345");
        QCOMPARE(page->edNrEwidencyjny->text(), "KRS0000012345");
        retype(page->edLiczba, "3");
        choose(page->cbFormaPrawna, "SPÓŁKA Z O.O.");
        QCOMPARE(test::visible(page, {page->edLiczba}) + page->edLiczba->text(), "13");

        // A shown agent takes the mask of its own register.
        const Entry person(true), company(false);
        TRecAgenta3 taxRegistered(*person.agent);
        taxRegistered.RodzajRejestru = cp1250::fromUtf8OrThrow("NUMER IDENTYFIKACJI PODATKOWEJ");
        page->showAgent(taxRegistered, 0, "WPIS");
        QCOMPARE(page->edNrEwidencyjny->inputMask(), page->edNIPAg->inputMask());
        page->showAgent(*company.agent, 0, "WPIS");
        QCOMPARE(page->edNrEwidencyjny->inputMask(), QString());
        QCOMPARE(page->edNrEwidencyjny->text(), text(company.agent->Numer_z_Rejestru));
    }

    void deletionDataShownAgainAfterReopening() {
        const Entry entry(false);
        TfrmData* w = lib_->newDocument();
        ApplicationPage* application = w->pages().wniosek;
        choose(application->cbRodzajWn, "WYKREŚLENIE");
        application->cbDataWykreslenia->setChecked(true);
        application->DataWykreslenia->setDate(QDate(2026, 11, 30));
        application->CheckBox2->setChecked(true);
        test::action(w, "AddWniosek")->trigger();
        QCOMPARE(w->selectedNode(), w->tree().root()->child(0));
        // Shown again as entered, though no agent holds them yet.
        QVERIFY(application->cbDataWykreslenia->isChecked());
        QCOMPARE(application->reasons(), 0x0000FF00u);

        w->NewAgentExecute();
        QCOMPARE(test::tabs(w), "110000");  // nothing goes below its agent
        w->pages().agent->showAgent(*entry.agent, 2, "WYKREŚLENIE");
        retype(w->pages().agent->edNazwaAgenta, "AGENT");
        retype(w->pages().agent->edID_Agenta, "12345678/A");
        QCOMPARE(accept(w, "AddAgent"), QStringList{"Dodano nowego agenta"});

        const QString path = lib_->folder() + "/wykreslenie.rpa";
        lib_->prompts.chooseSaveName(path);
        w->SaveToFile(false);
        QCOMPARE(w->caption(), path);
        TfrmData* reopened = lib_->openDocument(path);
        reopened->select(reopened->tree().root()->child(0));
        ApplicationPage* shownAgain = reopened->pages().wniosek;
        QCOMPARE(std::tuple(shownAgain->cbDataWykreslenia->isChecked(),
                            shownAgain->DataWykreslenia->date(), shownAgain->reasons()),
                 std::tuple(true, QDate(2026, 11, 30), 0x0000FF00u));
    }
};

QTEST_MAIN(TestRecordEntry)
#include "test_RecordEntry.moc"
