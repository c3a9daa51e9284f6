#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "document/DocumentTree.h"
#include "document/RecordEditing.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/DocumentTreeModel.h"
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
#include "tests/support/qt/LibraryFixture.h"

using namespace tavik;
using platform::PromptAnswer;

namespace {

// Types a text into a control as a clerk does: the old text selected and typed over.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->setCursorPosition(0);
    // Key by key, Polish letters included (which keyClicks cannot type).
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void choose(QComboBox* combo, const QString& text) {
    const int at = combo->findText(text, Qt::MatchExactly);
    QVERIFY2(at >= 0, qPrintable(text));
    combo->setCurrentIndex(at);
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
            switch (sample.kinds()[i]) {
                case KIND_AGENT: agent = static_cast<const TRecAgenta3*>(r); break;
                case KIND_ZARZAD: board.push_back(static_cast<const TRecOsoba*>(r)); break;
                case KIND_PRACOWNIK: employees.push_back(static_cast<const TRecOsoba*>(r)); break;
                case KIND_PELNOMOCNICTWO:
                    powers.push_back(static_cast<const TRecPelnomocnictwo*>(r));
                    break;
                case KIND_POLISA: policies.push_back(static_cast<const TRecPolisaOC3*>(r)); break;
                default: break;
            }
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

// Every record of two trees, in tree order: kind, fields and checksum.
void compareTrees(DocumentTree& a, DocumentTree& b) {
    std::vector<TreeNode*> left, right;
    a.forEach([&](TreeNode& n) { left.push_back(&n); });
    b.forEach([&](TreeNode& n) { right.push_back(&n); });
    QCOMPARE(left.size(), right.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        QCOMPARE(left[i]->text(), right[i]->text());
        if (!left[i]->hasRecord()) continue;
        QCOMPARE(left[i]->kind(), right[i]->kind());
        const auto x = left[i]->record()->fields();
        const auto y = right[i]->record()->fields();
        QCOMPARE(x.size(), y.size());
        for (std::size_t f = 0; f < x.size(); ++f) {
            // A version-3 file keeps a policy's insurer by its code alone.
            if (left[i]->kind() == KIND_POLISA &&
                x[f].field == &static_cast<TRecPolisaOC&>(*left[i]->record()).Nazwa_zakladu)
                continue;
            QCOMPARE(test::text(*x[f].field), test::text(*y[f].field));
        }
        if (left[i]->kind() != KIND_ZAKLAD)
            QCOMPARE(left[i]->record()->CRC, right[i]->record()->CRC);
    }
}

}  // namespace

class TestRecordEntry : public QObject {
    Q_OBJECT
private slots:
    void wholeEntryApplicationSavedAndReopened();
    void naturalPersonAgentCopiedIntoABoardMember();
    void deletionAsksBeforeRecordsGo();
    void foreignCitizenshipTakesOtherDocuments();
    void bankActivityAsksToClearInsuranceKinds();
    void refusedAcceptLeavesTreeAndPage();
    void agentPageKeepsEachAgentsOwnMaskAndBoardSize();
    void deletionDataShownAgainAfterReopening();
    void wrongStoredDatesArePutRightWithTheirButtons();
    void listsOpenWideEnoughForTheirEntries();
};

void TestRecordEntry::wholeEntryApplicationSavedAndReopened() {
    test::LibraryFixture library;
    const Entry entry(false);
    TfrmData* w = library.newDocument();
    const CRC32 calc;

    // The application: the new form's number and date, a comment typed in small letters.
    QTest::keyClicks(w->pages().wniosek->edKomentarz, "pierwszy wniosek agenta");
    QVERIFY(test::action(w, "AddWniosek")->isEnabled());
    QVERIFY(w->isModified());
    test::action(w, "AddWniosek")->trigger();
    QCOMPARE(w->tree().root()->childCount(), std::size_t(1));
    TreeNode* application = w->tree().root()->child(0);
    QCOMPARE(w->selectedNode(), application);
    auto& wniosek = static_cast<TRecWniosek&>(*application->record());
    QCOMPARE(test::text(wniosek.NumerWniosku), QStringLiteral("WNIOSEK 1"));
    QCOMPARE(test::text(wniosek.Komentarz), QStringLiteral("PIERWSZY WNIOSEK AGENTA"));
    QCOMPARE(test::text(wniosek.TypWniosku), QStringLiteral("WPIS"));
    QCOMPARE(test::text(wniosek.DataWniosku),
             QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    std::uint32_t crc = 0;
    calc.CRC32RecWniosek(&wniosek, crc);
    QCOMPARE(wniosek.CRC, crc);
    QVERIFY(!test::action(w, "AddWniosek")->isEnabled());

    // A company agent.
    QVERIFY(test::action(w, "NewAgent")->isEnabled());
    test::action(w, "NewAgent")->trigger();
    w->pages().agent->showAgent(*entry.agent, 0, QStringLiteral("WPIS"));
    typeInto(w->pages().agent->edNazwaAgenta, test::text(entry.agent->NazwaAgenta));
    typeInto(w->pages().agent->edLiczba, QStringLiteral("2"));
    test::action(w, "AddAgent")->trigger();
    QCOMPARE(library.prompts.messages(), QStringList{QStringLiteral("Dodano nowego agenta")});
    TreeNode* agent = DocumentTree::agentOf(application);
    QVERIFY(agent);
    QCOMPARE(agent->icon(), int(DocumentTree::kIconAgentFromPage));
    QCOMPARE(agent->childCount(), std::size_t(4));
    QCOMPARE(test::text(static_cast<TRecAgenta3*>(agent->record())->RodzajOperacji),
             QStringLiteral("WPIS"));

    // Two board members and two employees, each under its category.
    const auto addPeople = [&](DocumentTree::Category category, PersonPage* page, QAction* add,
                               QAction* another, const std::vector<const TRecOsoba*>& people,
                               const QString& confirmation) {
        w->select(DocumentTree::categoryOf(agent, category));
        for (int i = 0; i < 2; ++i) {
            if (i > 0) another->trigger();
            QVERIFY(w->newRecordMode());
            page->showPerson(*people[i]);
            typeInto(page->nazwisko, test::text(people[i]->Nazwisko));
            library.prompts.clear();
            add->trigger();
            QCOMPARE(library.prompts.messages(), QStringList{confirmation});
        }
        QCOMPARE(DocumentTree::categoryOf(agent, category)->childCount(), std::size_t(2));
    };
    addPeople(DocumentTree::ZARZAD, w->pages().zarzad, test::action(w, "AddZarzad"),
              test::action(w, "NewZarzad"), entry.board,
              QStringLiteral("Wprowadzono nowy rekord czł. zarządu "));
    addPeople(DocumentTree::PRACOWNICY, w->pages().pracownik, test::action(w, "AddPracownik"),
              test::action(w, "NewPrac"), entry.employees,
              QStringLiteral("Wprowadzono nowy rekord pracownika "));
    TreeNode* employee = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
    QCOMPARE(employee->text(),
             std::min(entry.employees[0]->Nazwisko.str(), entry.employees[1]->Nazwisko.str()));

    // Two powers of attorney, numbered.
    w->select(DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA));
    for (int i = 0; i < 2; ++i) {
        if (i > 0) test::action(w, "NewPelnomoc")->trigger();
        w->pages().pelnomocnictwo->showPower(*entry.powers[i]);
        typeInto(w->pages().pelnomocnictwo->edObszarDzialalnosci,
                 test::text(entry.powers[i]->ObszarDzialalnosci));
        library.prompts.clear();
        test::action(w, "AddPelnomoc")->trigger();
        QCOMPARE(library.prompts.messages(),
                 QStringList{QStringLiteral("Wprowadzono nowy rekord PEŁNOMOCNICTWO ")});
    }
    TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    QCOMPARE(QString::fromStdString(powers->child(0)->text()),
             QStringLiteral("Pelnomocnictwo LP - 000001"));
    QCOMPARE(QString::fromStdString(powers->child(1)->text()),
             QStringLiteral("Pelnomocnictwo LP - 000002"));

    // A policy, from the agent's node, open-ended.
    w->select(agent);
    w->NewPolisaExecute();
    w->pages().polisa->showPolicy(const_cast<TRecPolisaOC3&>(*entry.policies[0]), {});
    choose(w->pages().polisa->cbNazwaZakladu,
           QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA"));
    typeInto(w->pages().polisa->edPolisaID, QStringLiteral("OC/2026/1"));
    w->pages().polisa->meWaznyDo->clear();
    library.prompts.clear();
    test::action(w, "AddPolisa")->trigger();
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Wprowadzono nowy rekord polisa ")});
    TreeNode* policy = DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0);
    QCOMPARE(QString::fromStdString(policy->text()), QStringLiteral("Polisa - OC/2026/1"));
    const auto& polisa = static_cast<TRecPolisaOC3&>(*policy->record());
    QCOMPARE(test::text(polisa.WazneDo), QStringLiteral("<E>"));
    QCOMPARE(test::text(polisa.Kod_ZU), QStringLiteral("JSK"));

    // Saved under a name, opened again: every record and checksum as entered.
    const QString path = library.folder() + QStringLiteral("/nowy.rpa");
    library.prompts.clear();
    library.prompts.chooseSaveName(path);
    w->SaveToFile(false);
    QCOMPARE(library.prompts.messages(), QStringList());
    QCOMPARE(w->caption(), path);
    QVERIFY(!w->isModified());
    auto* reopened = library.openDocument(path);
    QVERIFY(reopened != w);
    QCOMPARE(library.prompts.messages(), QStringList());
    compareTrees(w->tree(), reopened->tree());
}

void TestRecordEntry::naturalPersonAgentCopiedIntoABoardMember() {
    test::LibraryFixture library;
    const Entry entry(true);
    TfrmData* w = library.newDocument();
    QTest::keyClicks(w->pages().wniosek->edKomentarz, "x");
    test::action(w, "AddWniosek")->trigger();
    test::action(w, "NewAgent")->trigger();
    choose(w->pages().agent->cbFormaPrawna, QStringLiteral("OSOBA FIZYCZNA"));
    // The legal form's rule: the tax register, the person's group, no board size.
    QCOMPARE(w->pages().agent->cbRodzajRejestru->currentText(),
             QStringLiteral("NUMER IDENTYFIKACJI PODATKOWEJ"));
    QVERIFY(w->pages().agent->gbOsobaFizyczna->isVisibleTo(w->pages().agent));
    QVERIFY(!w->pages().agent->edLiczba->isVisibleTo(w->pages().agent));
    QCOMPARE(w->pages().agent->edLiczba->text(), QStringLiteral("0"));
    w->pages().agent->showAgent(*entry.agent, 0, QStringLiteral("WPIS"));
    typeInto(w->pages().agent->edImieAG, test::text(entry.agent->Imie));
    library.prompts.answer(PromptAnswer::Yes);
    test::action(w, "AddAgent")->trigger();
    QCOMPARE(library.prompts.messages(),
             (QStringList{QStringLiteral("Dodano nowego agenta"),
                          QStringLiteral("Czy przepisac dane agenta do danych czł. zarządu?")}));
    QCOMPARE(w->currentPage(), int(PAGE_ZARZAD));
    QVERIFY(w->newRecordMode());
    QCOMPARE(w->pages().zarzad->operation->currentIndex(), 0);
    QCOMPARE(w->pages().zarzad->imie->text(), test::text(entry.agent->Imie));
    QCOMPARE(w->pages().zarzad->nazwisko->text(), test::text(entry.agent->Nazwisko));
    QCOMPARE(w->pages().zarzad->pesel->text(), test::text(entry.agent->PESEL));
    QCOMPARE(w->pages().zarzad->rodzajDokumentu->currentText(),
             test::text(entry.agent->RodzajDokumentuOsFizAgenta));
    QCOMPARE(w->pages().zarzad->miejscowosc->text(), test::text(entry.agent->Miejscowosc));
    QCOMPARE(w->pages().zarzad->kodPocztowy->text(), test::text(entry.agent->KodPocztowy));
    TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
    QCOMPARE(w->selectedNode(), DocumentTree::categoryOf(agent, DocumentTree::ZARZAD));
}

void TestRecordEntry::deletionAsksBeforeRecordsGo() {
    test::LibraryFixture library;
    samples::SampleShape shape;
    auto* w = library.openDocument(library.sampleFile(3, shape));
    TreeNode* application = w->tree().root()->child(0);
    TreeNode* agent = DocumentTree::agentOf(application);
    const std::size_t nodes = w->tree().nodeCount();
    w->select(application);
    choose(w->pages().wniosek->cbRodzajWn, QStringLiteral("WYKREŚLENIE"));
    QVERIFY(w->pages().wniosek->DataWykreslenia->isVisibleTo(w->pages().wniosek));
    w->pages().wniosek->cbDataWykreslenia->setChecked(true);
    QVERIFY(w->pages().wniosek->gbPrzyczyny->isVisibleTo(w->pages().wniosek));
    w->pages().wniosek->CheckBox1->setChecked(true);
    w->pages().wniosek->CheckBox3->setChecked(true);
    QCOMPARE(w->pages().wniosek->reasons(), 0x00FF00FFu);
    library.prompts.clear();
    library.prompts.answer(PromptAnswer::No);
    test::action(w, "AddWniosek")->trigger();
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Wszystkie dane przypisane pod Agenta zostaną usunięte!")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Ostrzeżenie!"));
    QCOMPARE(w->tree().nodeCount(), nodes);
    QCOMPARE(static_cast<TRecWniosek*>(application->record())->RodzajWniosku, 0);

    choose(w->pages().wniosek->cbRodzajWn, QStringLiteral("WYKREŚLENIE"));
    w->pages().wniosek->cbDataWykreslenia->setChecked(true);
    w->pages().wniosek->DataWykreslenia->setDate(QDate(2026, 11, 30));
    w->pages().wniosek->CheckBox1->setChecked(true);
    w->pages().wniosek->CheckBox3->setChecked(true);
    library.prompts.clear();
    library.prompts.answer(PromptAnswer::Yes);
    test::action(w, "AddWniosek")->trigger();
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Wszystkie dane przypisane pod Agenta zostaną usunięte!")});
    QCOMPARE(static_cast<TRecWniosek*>(application->record())->RodzajWniosku, 2);
    QCOMPARE(agent->childCount(), std::size_t(0));
    const auto& record = static_cast<TRecAgenta3&>(*agent->record());
    QCOMPARE(test::text(record.Przyczyny), QStringLiteral("00FF00FF"));
    QCOMPARE(test::text(record.DATA_ROZW_UM_AGENCYJNEJ), QStringLiteral("30.11.2026"));
    QCOMPARE(test::text(record.RodzajOperacji), QStringLiteral("WYKREŚLENIE"));
    const CRC32 calc;
    std::uint32_t crc = 0;
    calc.CRC32RecAgent3(&record, crc);
    QCOMPARE(record.CRC, crc);
}

void TestRecordEntry::foreignCitizenshipTakesOtherDocuments() {
    test::LibraryFixture library;
    TfrmData* w = library.newDocument();
    for (auto [citizenship, documents, label] :
         {std::tuple{w->pages().agent->cbObywatelstwoAg, w->pages().agent->cbRodzajDokAg,
                     w->pages().agent->lblNrDokumentu},
          std::tuple{w->pages().pracownik->obywatelstwo, w->pages().pracownik->rodzajDokumentu,
                     w->pages().pracownik->numberLabel}}) {
        choose(citizenship, QStringLiteral("NIEMIECKIE"));
        QCOMPARE(documents->findText(QStringLiteral("DOWÓD OSOBISTY")), -1);
        QCOMPARE(documents->findText(QStringLiteral("PRAWO JAZDY")), -1);
        QCOMPARE(documents->currentText(), QStringLiteral("PASZPORT"));
        QCOMPARE(label->text(), QStringLiteral("Seria i numer"));
        choose(citizenship, QStringLiteral("POLSKIE"));
        QVERIFY(documents->findText(QStringLiteral("PRAWO JAZDY")) >= 0);
        QCOMPARE(documents->currentText(), QStringLiteral("DOWÓD OSOBISTY"));
        QCOMPARE(label->text(), QStringLiteral("PESEL"));
    }
}

void TestRecordEntry::bankActivityAsksToClearInsuranceKinds() {
    test::LibraryFixture library;
    auto* w = library.openDocument(library.sampleFile(3, 1));
    TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
    TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    for (const auto& power : powers->children())
        static_cast<TRecPelnomocnictwo*>(power->record())->RodzajUbezpieczenia = "MAJ";
    w->select(agent);
    auto* bank = w->pages().agent->findChild<QRadioButton*>(QStringLiteral("rgDzialalnosc2"));
    library.prompts.clear();
    bank->click();  // "No": the powers keep their kinds
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Wybranie tej opcji spowoduje usunięcie\ndanych w polu "
                                        "rodzaj ubezpieczenia dla\nrekordów z pełnomocnictwami\n"
                                        "Czy usunąć wartości z pola RODZAJ UBEZPIECZENIA\ndla "
                                        "WSZYSTKICH  pełnomocnictw?")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
    for (const auto& power : powers->children())
        QCOMPARE(test::text(static_cast<TRecPelnomocnictwo*>(power->record())->RodzajUbezpieczenia),
                 QStringLiteral("MAJ"));
    w->pages().agent->findChild<QRadioButton*>(QStringLiteral("rgDzialalnosc1"))->click();
    QVERIFY(w->pages().agent->cbDzialalnoscPodstawowa->isEnabled());
    library.prompts.answer(PromptAnswer::Yes);
    bank->click();
    const CRC32 calc;
    for (const auto& power : powers->children()) {
        const auto& record = static_cast<TRecPelnomocnictwo&>(*power->record());
        QCOMPARE(test::text(record.RodzajUbezpieczenia), QStringLiteral("<E>"));
        std::uint32_t crc = 0;
        calc.CRC32RecPelnomocnictwo(&record, crc);
        QCOMPARE(record.CRC, crc);
    }
    QVERIFY(!w->pages().agent->cbDzialalnoscPodstawowa->isEnabled());
    QCOMPARE(w->pages().agent->cbDzialalnoscPodstawowa->currentIndex(), -1);
    QVERIFY(!w->pages().pelnomocnictwo->edRodzajUbezpieczenia->isEnabled());
}

void TestRecordEntry::refusedAcceptLeavesTreeAndPage() {
    test::LibraryFixture library;
    auto* w = library.openDocument(library.sampleFile(3, 1));
    TreeNode* agent = DocumentTree::agentOf(w->tree().root()->child(0));
    TreeNode* employee = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
    w->select(employee);
    const std::size_t nodes = w->tree().nodeCount();
    const std::string surname = static_cast<TRecOsoba*>(employee->record())->Nazwisko.str();
    const std::uint32_t crc = employee->record()->CRC;
    typeInto(w->pages().pracownik->nazwisko, QString());
    typeInto(w->pages().pracownik->imie, QStringLiteral("jan"));
    library.prompts.clear();
    test::action(w, "AddPracownik")->trigger();
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Pole NAZWISKO jest puste\nmaksymalna długość pola: 28\n"
                                        "Pole jest obowiązkowe!\nTyp rekordu: PRACOWNIK\nRodzaj: "
                                        "NOWY\nPracownik nie został dodany!")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Błąd"));
    QCOMPARE(w->tree().nodeCount(), nodes);
    QCOMPARE(static_cast<TRecOsoba*>(employee->record())->Nazwisko.str(), surname);
    QCOMPARE(employee->record()->CRC, crc);
    QCOMPARE(w->pages().pracownik->imie->text(), QStringLiteral("JAN"));
    QVERIFY(test::action(w, "AddPracownik")->isEnabled());
    // Aborting shows the record again.
    test::action(w, "AbortPrac")->trigger();
    QCOMPARE(w->pages().pracownik->nazwisko->text(),
             test::text(static_cast<TRecOsoba*>(employee->record())->Nazwisko));
    QVERIFY(!test::action(w, "AddPracownik")->isEnabled());
    QVERIFY(!test::action(w, "AbortPrac")->isEnabled());
    QVERIFY(!w->isModified());

    // A policy naming an insurer the list lacks shows the code and keeps its name.
    TreeNode* policy = DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0);
    auto& polisa = static_cast<TRecPolisaOC3&>(*policy->record());
    polisa.Kod_ZU = "XYZ";
    polisa.Nazwa_zakladu = "<E>";
    w->select(policy);
    QCOMPARE(w->pages().polisa->cbNazwaZakladu->currentIndex(), -1);
    QCOMPARE(w->pages().polisa->cbNazwaZakladu->placeholderText(), QStringLiteral("XYZ"));
    QCOMPARE(test::text(polisa.Nazwa_zakladu), QStringLiteral("<E>"));
    QCOMPARE(w->pages().polisa->chosenInsurerCode(), std::string("XYZ"));

    // The application's check speaks under "Walidacja".
    w->select(w->tree().root()->child(0));
    typeInto(w->pages().wniosek->edNrWniosku, QString());
    library.prompts.clear();
    test::action(w, "AddWniosek")->trigger();
    QCOMPARE(
        library.prompts.messages(),
        QStringList{QStringLiteral("Pole NUMERWNIOSKU jest puste\nmaksymalna długość pola: 20\n"
                                   "Pole jest obowiązkowe!")});
    QCOMPARE(
        QString::fromStdString(w->tree().root()->child(0)->text()),
        test::text(static_cast<TRecWniosek*>(w->tree().root()->child(0)->record())->NumerWniosku));
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Walidacja"));
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

// A date a stored file holds wrongly is put right with its button: the picker opens at today.
void TestRecordEntry::wrongStoredDatesArePutRightWithTheirButtons() {
    test::LibraryFixture library;
    samples::SampleDocument sample(3, {1, 0, 0, 1, 1, false}, 7);
    const std::string wrong = cp1250::fromUtf8OrThrow("31.02.2026");
    for (std::size_t i = 0; i < sample.records().size(); ++i) {
        TRecord& record = *sample.records()[i];
        const RecordKind kind = sample.kinds()[i];
        if (kind == KIND_WNIOSEK) static_cast<TRecWniosek&>(record).DataWniosku = wrong;
        if (kind == KIND_POLISA) {
            static_cast<TRecPolisaOC3&>(record).WazneOd = wrong;
            static_cast<TRecPolisaOC3&>(record).WazneDo = wrong;
        }
        if (kind == KIND_PELNOMOCNICTWO) {
            static_cast<TRecPelnomocnictwo&>(record).WazneOd = wrong;
            static_cast<TRecPelnomocnictwo&>(record).WazneDo = wrong;
        }
        renewChecksum(record, kind);
    }
    std::unique_ptr<DataRecord> document = makeDocumentOfVersion(3);
    sample.listInto(*document);
    MemoryOutput bytes;
    document->ZapiszDoStrumienia(bytes);
    const QString path = library.folder() + QStringLiteral("/daty.rpa");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.bytes().data(), static_cast<qint64>(bytes.bytes().size()));
    file.close();

    TfrmData* w = library.openDocument(path);
    QVERIFY(w);
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Błędny format daty w polu DataWniosku")});
    TreeNode* application = w->tree().root()->child(0);
    TreeNode* agent = DocumentTree::agentOf(application);
    TreeNode* policy = DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0);
    TreeNode* power = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA)->child(0);
    const auto select = [w](TreeNode* node) { return [w, node] { w->select(node); }; };
    const auto showPower = select(power);
    const QDate today = QDate::currentDate();
    const struct {
        std::function<void()> show;
        QLineEdit* field;
        QToolButton* button;
    } dates[] = {
        {select(application), w->pages().wniosek->edDataWn, w->pages().wniosek->sbDataWn},
        {select(policy), w->pages().polisa->meWaznyOd, w->pages().polisa->sbWaznyOd},
        {select(policy), w->pages().polisa->meWaznyDo, w->pages().polisa->sbWaznyDo},
        {showPower, w->pages().pelnomocnictwo->meWazneOd, w->pages().pelnomocnictwo->sbWaznyOdPE},
        {showPower, w->pages().pelnomocnictwo->meWazneDo, w->pages().pelnomocnictwo->sbWaznyDoPE}};
    for (const auto& date : dates) {
        const QString name = date.button->objectName() + ' ';
        date.show();
        QCOMPARE(name + date.field->text(), name + QStringLiteral("31.02.2026"));
        library.prompts.clear();
        QCOMPARE(pickWith(date.button), today);
        QCOMPARE(name + date.field->text(), name + today.toString("dd.MM.yyyy"));
        QCOMPARE(library.prompts.messages(), QStringList{});
    }
}

// Every drop-down list of the pages opens wide enough to show each of its entries whole, the long
// dictionary names above all (they were cut at the width of their box).
void TestRecordEntry::listsOpenWideEnoughForTheirEntries() {
    test::LibraryFixture library;
    library.host.show();
    TfrmData* w = library.newDocument();
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
        QCOMPARE(name + QString::number(list->minimumWidth() >= widest), name + '1');
        QCOMPARE(name + QString::number(list->viewport()->width() >= list->sizeHintForColumn(0)),
                 name + '1');
        combo->hidePopup();
        opened << combo->objectName();
    }
    for (const char* name : {"cbRodzajRejestru", "cbNazwaZakladu", "cbNazwaGrupyUbezpieczen",
                             "cbDzialalnoscPodstawowa", "cbFormaPrawna"})
        QVERIFY2(opened.contains(QString::fromLatin1(name)), name);
}

QTEST_MAIN(TestRecordEntry)
void TestRecordEntry::agentPageKeepsEachAgentsOwnMaskAndBoardSize() {
    test::LibraryFixture library;
    TfrmData* w = library.newDocument();
    AgentPage* page = w->pages().agent;
    w->NewAgentExecute();
    QVERIFY(test::action(w, "AddAgent")->isEnabled());  // a blank form can be accepted
    choose(page->cbFormaPrawna, QStringLiteral("OSOBA FIZYCZNA"));
    QCOMPARE(page->edNrEwidencyjny->inputMask(), page->edNIPAg->inputMask());
    QVERIFY(!page->edLiczba->isVisibleTo(page));
    QCOMPARE(page->edLiczba->text(), QStringLiteral("0"));

    // The next agent, a company in the court register: no mask, its number whole.
    w->NewAgentExecute();
    QCOMPARE(page->edNrEwidencyjny->inputMask(), QString());
    QVERIFY(page->edLiczba->isVisibleTo(page));
    typeInto(page->edNrEwidencyjny, QStringLiteral("KRS0000012345"));
    QCOMPARE(page->edNrEwidencyjny->text(), QStringLiteral("KRS0000012345"));
    typeInto(page->edLiczba, QStringLiteral("3"));
    choose(page->cbFormaPrawna, QStringLiteral("SPÓŁKA Z O.O."));
    QVERIFY(page->edLiczba->isVisibleTo(page));
    QCOMPARE(page->edLiczba->text(), QStringLiteral("3"));

    // A shown agent takes the mask of its own register.
    const Entry person(true), company(false);
    TRecAgenta3 taxRegistered(*person.agent);
    taxRegistered.RodzajRejestru = cp1250::fromUtf8OrThrow("NUMER IDENTYFIKACJI PODATKOWEJ");
    page->showAgent(taxRegistered, 0, QStringLiteral("WPIS"));
    QCOMPARE(page->edNrEwidencyjny->inputMask(), page->edNIPAg->inputMask());
    page->showAgent(*company.agent, 0, QStringLiteral("WPIS"));
    QCOMPARE(page->edNrEwidencyjny->inputMask(), QString());
    QCOMPARE(page->edNrEwidencyjny->text(), test::text(company.agent->Numer_z_Rejestru));
}

void TestRecordEntry::deletionDataShownAgainAfterReopening() {
    test::LibraryFixture library;
    const Entry entry(false);
    TfrmData* w = library.newDocument();
    ApplicationPage* application = w->pages().wniosek;
    choose(application->cbRodzajWn, QStringLiteral("WYKREŚLENIE"));
    application->cbDataWykreslenia->setChecked(true);
    application->DataWykreslenia->setDate(QDate(2026, 11, 30));
    application->CheckBox2->setChecked(true);
    test::action(w, "AddWniosek")->trigger();
    TreeNode* node = w->tree().root()->child(0);
    QCOMPARE(w->selectedNode(), node);
    // Shown again as entered, though no agent holds them yet.
    QVERIFY(application->cbDataWykreslenia->isChecked());
    QCOMPARE(application->reasons(), 0x0000FF00u);

    w->NewAgentExecute();
    for (int tab = PAGE_ZARZAD; tab <= PAGE_POLISA; ++tab)  // nothing goes below its agent
        QVERIFY(!test::part<QTabWidget>(w, "tbshMain")->isTabVisible(tab));
    w->pages().agent->showAgent(*entry.agent, 2, QStringLiteral("WYKREŚLENIE"));
    typeInto(w->pages().agent->edNazwaAgenta, QStringLiteral("AGENT"));
    typeInto(w->pages().agent->edID_Agenta, QStringLiteral("12345678/A"));
    library.prompts.clear();
    test::action(w, "AddAgent")->trigger();
    QCOMPARE(library.prompts.messages(), QStringList{QStringLiteral("Dodano nowego agenta")});

    const QString path = library.folder() + QStringLiteral("/wykreslenie.rpa");
    library.prompts.chooseSaveName(path);
    w->SaveToFile(false);
    QCOMPARE(w->caption(), path);
    TfrmData* reopened = library.openDocument(path);
    reopened->select(reopened->tree().root()->child(0));
    ApplicationPage* shown = reopened->pages().wniosek;
    QVERIFY(shown->cbDataWykreslenia->isChecked());
    QCOMPARE(shown->DataWykreslenia->date(), QDate(2026, 11, 30));
    QCOMPARE(shown->reasons(), 0x0000FF00u);
}

#include "test_RecordEntry.moc"
