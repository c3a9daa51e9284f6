#include <QDate>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>

#include "document/DocumentTree.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/DocumentTreeModel.h"
#include "forms/MorvelApi.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "forms/TfrmData.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"
#include "tests/support/qt/MessageLog.h"

using namespace tavik;
using platform::PromptAnswer;
using test::shown;
using test::text;

namespace {

// The first node of a kind in tree order.
TreeNode* first(TfrmData& window, RecordKind kind, const TreeNode* below = nullptr) {
    TreeNode* found = nullptr;
    window.tree().forEach([&](TreeNode& n) {
        if (found || !n.hasRecord() || n.kind() != kind) return;
        if (below && DocumentTree::applicationOf(&n) != below) return;
        found = &n;
    });
    return found;
}

template <class R>
R& record(TreeNode* node) {
    return static_cast<R&>(*node->record());
}

bool closed(QPointer<TfrmData>& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(brak)");
}

}  // namespace

class TestTfrmData : public QObject {
    Q_OBJECT

    std::optional<test::LibraryFixture> lib_;  // fresh for each test

    TfrmData* open(const samples::SampleShape& shape) {
        return lib_->openDocument(lib_->sampleFile(3, shape));
    }
    void strikeOrRestore(TfrmData* window) {
        lib_->prompts.answer(PromptAnswer::Yes);
        test::action(window, "DeleteNode")->trigger();
    }

private slots:
    void init() { lib_.emplace(); }
    void cleanup() { lib_.reset(); }

    void newWindowShowsTheNewApplicationForm() {
        TfrmData* window = lib_->newDocument();
        QVERIFY(window);
        const ApplicationPage* page = window->pages().wniosek;
        QCOMPARE(
            shown({page->edNrWniosku, page->edDataWn, page->cbRodzajWn, page->Kod}),
            (QStringList{"WNIOSEK 1", QDate::currentDate().toString("dd.MM.yyyy"), "WPIS", "JSK"}));
        QCOMPARE(window->caption(), "Bez nazwy [0]");
        QCOMPARE(window->currentPage(), int(PAGE_WNIOSEK));
        QVERIFY(window->newRecordMode());
        QCOMPARE(window->selectedNode(), window->tree().root());
        QCOMPARE(lib_->prompts.messages(), QStringList());
        // A second window is numbered by the list at that time.
        QCOMPARE(lib_->newDocument()->caption(), "Bez nazwy [1]");
    }

    void openingBuildsTheTreeAndEachNodeShowsItsPage() {
        test::MessageLog frame;
        const QString path = lib_->sampleFile(3, 3);
        TfrmData* window = lib_->openDocument(path);
        QVERIFY(window);
        QCOMPARE(lib_->prompts.messages(), QStringList());
        QCOMPARE(window->caption(), path);
        QCOMPARE(window->applicationCount(), 3);
        QCOMPARE(frame.last("WNIOSKI"), qMakePair(qintptr(3), qintptr(0)));
        QCOMPARE(window->tree().root()->childCount(), std::size_t(3));
        QCOMPARE(window->fileVersion(), 3);

        // Where the window stands: its page, the node it told the frame of, the application in
        // work is the first.
        TreeNode* application = window->tree().root()->child(0);
        const auto where = [&] {
            const auto sent = frame.last("ZMIANA WEZLA");
            return QStringLiteral("page %1, sent %2 %3, %4")
                .arg(window->currentPage())
                .arg(sent.first)
                .arg(sent.second)
                .arg(window->currentApplicationNode() == application ? "first" : "other");
        };
        // The first application is selected and shown; then each record's node shows its page.
        QCOMPARE(window->selectedNode(), application);
        QVERIFY(!window->newRecordMode());
        const EntryPages& p = window->pages();
        const auto& wniosek = record<TRecWniosek>(application);
        QCOMPARE(shown({p.wniosek->edNrWniosku, p.wniosek->cbRodzajWn}) << where(),
                 (QStringList{text(wniosek.NumerWniosku), text(wniosek.TypWniosku),
                              "page 0, sent 1 1, first"}));
        const auto show = [&](RecordKind kind) -> TreeNode* {
            TreeNode* node = first(*window, kind, application);
            window->select(node);
            return node;
        };
        const auto& agent = record<TRecAgenta>(show(KIND_AGENT));
        QCOMPARE(shown({p.agent->edNazwaAgenta, p.agent->cbFormaPrawna, p.agent->lblRodzajOp})
                     << where(),
                 (QStringList{text(agent.NazwaAgenta), text(agent.FormaPrawna),
                              text(wniosek.TypWniosku), "page 1, sent 2 0, first"}));
        const auto& board = record<TRecOsoba>(show(KIND_ZARZAD));
        QCOMPARE(shown({p.zarzad->nazwisko}) << where(),
                 (QStringList{text(board.Nazwisko), "page 2, sent 3 0, first"}));
        const auto& employee = record<TRecOsoba>(show(KIND_PRACOWNIK));
        QCOMPARE(shown({p.pracownik->nazwisko, p.pracownik->pesel}) << where(),
                 (QStringList{text(employee.Nazwisko), text(employee.PESEL),
                              "page 3, sent 4 0, first"}));
        const auto& power = record<TRecPelnomocnictwo>(show(KIND_PELNOMOCNICTWO));
        QCOMPARE(shown({p.pelnomocnictwo->cbNazwaGrupyUbezpieczen, p.pelnomocnictwo->meWazneOd})
                     << p.pelnomocnictwo->cbNazwaGrupyUbezpieczen->toolTip() << where(),
                 (QStringList{text(power.NazwaGrupy), text(power.WazneOd), text(power.NazwaGrupy),
                              "page 4, sent 5 0, first"}));
        const auto& policy = record<TRecPolisaOC3>(show(KIND_POLISA));
        QCOMPARE(shown({p.polisa->edPolisaID, p.polisa->cbNazwaZakladu})
                     << where() << QString::fromStdString(p.polisa->chosenInsurerCode()),
                 (QStringList{text(policy.ID_PolisyOC), text(policy.Nazwa_zakladu),
                              "page 5, sent 6 0, first", text(policy.Kod_ZU)}));
        QCOMPARE(lib_->prompts.messages(), QStringList());
    }

    void deletionAgentHasNoCategoriesAndNoOtherTabs() {
        TfrmData* window = open({.applications = 3});
        TreeNode* deletion = nullptr;
        for (const auto& app : window->tree().root()->children())
            if (record<TRecWniosek>(app.get()).RodzajWniosku == 2) deletion = app.get();
        QVERIFY(deletion);
        TreeNode* agent = DocumentTree::agentOf(deletion);
        QCOMPARE(agent->childCount(), std::size_t(0));
        window->select(agent);
        QCOMPARE(window->currentPage(), int(PAGE_AGENT));
        QCOMPARE(test::tabs(window), "110000");
        // Only the name and the numbers of the agent are shown.
        const AgentPage* page = window->pages().agent;
        QCOMPARE(test::visible(page, {page->edNazwaAgenta, page->edNrEwidencyjny, page->edID_Agenta,
                                      page->edNIPAg, page->gbOsobaFizyczna}),
                 "11100");
        QCOMPARE(page->lblRodzajOp->text(), "WYKREŚLENIE");
        QCOMPARE(page->lblRodzajOp->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // An entry's agent brings the tabs back.
        window->select(DocumentTree::agentOf(window->tree().root()->child(0)));
        QCOMPARE(test::tabs(window), "111111");
    }

    void categoryNodesSelectTheirFirstRecordOrANewForm() {
        test::MessageLog frame;
        TfrmData* window = open({.policies = 0});
        TreeNode* agent = DocumentTree::agentOf(window->tree().root()->child(0));
        TreeNode* employees = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY);
        window->select(employees);
        QCOMPARE(std::tuple(window->selectedNode(), window->currentPage(), window->newRecordMode()),
                 std::tuple(employees->child(0), int(PAGE_PRACOWNIK), false));

        // An empty category opens its page's blank form and allows only its own "new" command.
        TreeNode* policies = DocumentTree::categoryOf(agent, DocumentTree::POLISY);
        window->select(policies);
        QCOMPARE(std::tuple(window->selectedNode(), window->currentPage(), window->newRecordMode()),
                 std::tuple(policies, int(PAGE_POLISA), true));
        QCOMPARE(window->pages().polisa->edPolisaID->text(), QString());
        QCOMPARE(frame.last("ZMIANA WEZLA"), qMakePair(qintptr(6), qintptr(0)));
        QCOMPARE(test::enabled(window, {"NewPolisa", "NewWniosek", "DeleteNode"}), "100");
    }

    // 2 board members of 5 declared are too few; 3 are at least half.
    void boardRuleWarnsAndMovesToTheBoard() {
        for (int entered : {2, 3}) {
            lib_.emplace();
            test::MessageLog frame;
            TfrmData* window = open({.boardMembers = entered});
            TreeNode* application = window->tree().root()->child(0);
            QCOMPARE(record<TRecWniosek>(application).RodzajWniosku, 0);
            TreeNode* agent = DocumentTree::agentOf(application);
            record<TRecAgenta3>(agent).FormaPrawna = cp1250::fromUtf8OrThrow("SPÓŁKA S.A.");
            record<TRecAgenta3>(agent).Liczba_czl_zarzadu = "5";
            TreeNode* employee =
                DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
            lib_->prompts.clear();
            window->select(employee);
            const bool warned = entered == 2;
            QCOMPARE(test::boxes(lib_->prompts),
                     warned ? QStringList{"Komunikat [Warning]: Należy dodac czł. zarzadu.\nLiczba "
                                          "wprowadzonych czł. zarzadu\nmusi stanowic minimum 50% "
                                          "względem\nzadeklarowanej liczby podanej w\npozycji "
                                          "Agenta"}
                            : QStringList());
            TreeNode* board = DocumentTree::categoryOf(agent, DocumentTree::ZARZAD);
            QCOMPARE(window->selectedNode(), warned ? board->child(0) : employee);
            QCOMPARE(window->currentPage(), int(warned ? PAGE_ZARZAD : PAGE_PRACOWNIK));
            QCOMPARE(frame.of("ZMIANA WEZLA").contains(qMakePair(qintptr(3), qintptr(0))), warned);
        }
    }

    void newCommandsFollowTheSelection() {
        TfrmData* window = open({});
        TreeNode* application = window->tree().root()->child(0);
        // The commands follow the selection (their table is the core's; here, that it is applied).
        window->select(first(*window, KIND_POLISA));
        QCOMPARE(test::enabled(window, {"NewPolisa", "NewWniosek"}), "10");
        window->NewWniosekExecute();
        QCOMPARE(test::enabled(window, {"DeleteNode", "NewWniosek"}), "01");
        QCOMPARE(window->pages().wniosek->edNrWniosku->text(), "WNIOSEK 2");
        // The agent's form follows the kind of the application in work.
        window->select(application);
        window->NewAgentExecute();
        QCOMPARE(window->currentPage(), int(PAGE_AGENT));
        QVERIFY(window->newRecordMode());
        const AgentPage* agent = window->pages().agent;
        QCOMPARE(shown({agent->cbFormaPrawna, agent->cbRodzajRejestru, agent->cbObywatelstwoAg,
                        agent->cbRodzajDokAg, agent->edNazwaAgenta}),
                 (QStringList{"SPÓŁKA S.A.", "KRAJOWY REJESTR SĄDOWY", "POLSKIE", "DOWÓD OSOBISTY",
                              ""}));
        window->NewPracExecute();
        QCOMPARE(window->currentPage(), int(PAGE_PRACOWNIK));
        const PersonPage* employee = window->pages().pracownik;
        QCOMPARE(shown({employee->obywatelstwo, employee->numberLabel}),
                 (QStringList{"POLSKIE", "PESEL"}));
        QCOMPARE(employee->operation->currentIndex(), 0);
    }

    void navigation() {
        TfrmData* lone = lib_->newDocument();
        QVERIFY(!lone->Begin());  // the root alone
        auto application = std::make_unique<TRecWniosek>();
        application->NumerWniosku = "A";
        TreeNode* only = lone->tree().addApplication(std::move(application));
        // The root and one record: End moves nowhere and selects nothing.
        QVERIFY(!lone->End());
        QCOMPARE(lone->selectedNode(), lone->tree().root());
        QVERIFY(!lone->Next());
        QVERIFY(lone->Begin());
        QCOMPARE(lone->selectedNode(), only);

        TfrmData* window = open({.applications = 2});
        TreeNode* first = window->tree().root()->child(0);
        QCOMPARE(window->selectedNode(), first);
        QVERIFY(window->Next());
        QCOMPARE(window->selectedNode(), DocumentTree::agentOf(first));
        // Back to the root, which moves on to the first application.
        QVERIFY(window->Prev() && window->Prev());
        QCOMPARE(window->selectedNode(), first);
        QVERIFY(window->End());
        QCOMPARE(window->selectedNode(), window->tree().last());
        QVERIFY(!window->End() && !window->Next());
        QVERIFY(window->Begin());
        QCOMPARE(window->selectedNode(), first);
    }

    void markingAndRestoring() {
        TfrmData* window = open({});
        TreeNode* employee = first(*window, KIND_PRACOWNIK);
        window->select(employee);
        test::action(window, "DeleteNode")->trigger();  // unanswered: "No"
        QVERIFY(!employee->struck());
        QCOMPARE(test::lastBox(lib_->prompts),
                 "Ostrzeżenie [Warning YesNo]: Czy zaznaczyć wybrany element do usunięcia?\n"
                 "Skreślone elementy nie zostaną zapisane do pliku");
        strikeOrRestore(window);
        QVERIFY(employee->struck());
        QVERIFY(window->model()
                    .data(window->model().indexOf(employee), Qt::FontRole)
                    .value<QFont>()
                    .strikeOut());
        strikeOrRestore(window);
        QCOMPARE(test::lastBox(lib_->prompts),
                 "Informacja [Warning YesNo]: Czy przywrócić usunięty element?");
        QVERIFY(!employee->struck());

        // The agent takes its application and everything below it; a record below a struck agent
        // cannot be restored alone.
        TreeNode* agent = first(*window, KIND_AGENT);
        window->select(agent);
        strikeOrRestore(window);
        QVERIFY(agent->struck() && agent->parent()->struck() && employee->struck());
        window->select(employee);
        strikeOrRestore(window);
        QCOMPARE(test::lastBox(lib_->prompts),
                 "Komunikat [Error]: Nie można przywrócić usuniętego elementu!");
        QVERIFY(employee->struck());
        // Nothing happens on the root.
        const int boxes = lib_->prompts.shown.size();
        window->NewWniosekExecute();
        test::action(window, "DeleteNode")->trigger();
        QCOMPARE(lib_->prompts.shown.size(), boxes);
    }

    void struckRecordMissingAfterSaveAndPresentInExport() {
        TfrmData* window = open({});
        TreeNode* employee = first(*window, KIND_PRACOWNIK);
        const auto& person = record<TRecOsoba>(employee);
        window->select(employee);
        strikeOrRestore(window);
        QVERIFY(employee->struck());

        const QString saved = lib_->folder() + "/zapisany.rpa";
        lib_->prompts.clear();
        lib_->prompts.chooseSaveName(saved);
        window->SaveToFile(true);
        QCOMPARE(lib_->prompts.messages(), QStringList{});
        QCOMPARE(window->caption(), saved);
        QVERIFY(!window->isModified());
        const auto document =
            readApplicationFile(saved.toStdString(), samples::sampleUndertaking());
        QStringList numbers;  // of the employees saved
        for (const _RecData* entry : document->PobierzListe())
            if (entry->kind == KIND_PRACOWNIK)
                numbers << text(static_cast<TRecOsoba*>(entry->record)->PESEL);
        QCOMPARE(numbers.size(), 4);
        QVERIFY(!numbers.contains(text(person.PESEL)));

        const QString exported = lib_->folder() + "/eksport.cia";
        lib_->prompts.chooseSaveName(exported);
        window->ExportFile();
        QCOMPARE(lib_->prompts.last().caption + ' ' + lib_->prompts.last().directory,
                 "Eksport pliku CIA " + lib_->folder());
        const QByteArray lines = contents(exported);
        QVERIFY(lines.contains(QByteArray::fromStdString(person.PESEL.str())));
        QVERIFY(lines.contains(QByteArray::fromStdString(person.Nazwisko.str())));
        QCOMPARE(lines.count("\r\n"), 1 + 1 + 3 + 5 + 2 + 2);
    }

    void saveRefusalsAndSplit() {
        const QString path = lib_->sampleFile(3, {.applications = 2}, "dwa.rpa");
        const QByteArray before = contents(path);
        TfrmData* window = lib_->openDocument(path);
        window->SaveToFile(false);
        QCOMPARE(
            test::boxes(lib_->prompts),
            QStringList{"Informacja [Information]: W pliku znajdować się może tylko JEDEN "
                        "WNIOSEK\naby zapisać zmiany należy plik wyeksportować\ndo pliku CIA"});
        QCOMPARE(contents(path), before);

        const QString folder = lib_->folder() + "/podzial";
        QDir().mkpath(folder);
        lib_->prompts.clear();
        lib_->prompts.chooseFolder(folder);
        window->SaveToFiles();
        QCOMPARE(lib_->prompts.shown.first().text, "Wybierz katalog dla rozdzielenia pliku...");
        // The report names the document split, not the base name of the parts (no such file).
        QCOMPARE(lib_->prompts.messages(),
                 QStringList{"Plik " + path +
                             "\nzostał rozdzielony\n na pojedyncze wnioski, zapisane w katalogu\n" +
                             folder});
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"dwa_1.rpa", "dwa_2.rpa"}));
        for (int part = 0; part < 2; ++part) {
            const auto document =
                readApplicationFile(QString(folder + "/dwa_%1.rpa").arg(part + 1).toStdString(),
                                    samples::sampleUndertaking());
            QCOMPARE(document->GetRecordCountWn(), 1);
            const auto* application =
                static_cast<TRecWniosek*>((*std::next(document->PobierzListe().begin()))->record);
            QCOMPARE(application->NumerWniosku.str(),
                     record<TRecWniosek>(window->tree().root()->child(part)).NumerWniosku.str());
        }

        // A document of a version-1 file is not saved.
        TfrmData* old = lib_->openDocument(lib_->sampleFile(1, 1));
        lib_->prompts.clear();
        old->SaveToFile(false);
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Komunikat [Warning]: Aktualny plik zapisany jest w wersji 1.0,\n"
                             "aby plik mógł zostać zapisany w wersji 3.0\nnależy uzupełnić "
                             "informacje o członkach zarządu"});
        QVERIFY(!test::part<QTabWidget>(old, "tbshMain")->isTabVisible(PAGE_ZARZAD));
    }

    void closeQuestionWithEachAnswer() {
        const QString path = lib_->sampleFile(3, 1);
        QPointer<TfrmData> window = lib_->openDocument(path);
        QVERIFY(!window->isModified());
        QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
        QVERIFY(window->isModified());

        window->parentWidget()->close();  // Cancel: unanswered
        QVERIFY(!closed(window));
        QCOMPARE(test::lastBox(lib_->prompts),
                 "Informacja [Warning YesNoCancel]: Zapisac zmiany w pliku ?\n" + path);

        lib_->prompts.answer(PromptAnswer::Yes);  // saved under its name, then closed
        QFile::remove(path);
        window->parentWidget()->close();
        QVERIFY(closed(window));
        QVERIFY(QFile::exists(path));

        window = lib_->openDocument(path);
        QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
        lib_->prompts.answer(PromptAnswer::No);
        window->parentWidget()->close();
        QVERIFY(closed(window));

        // "Yes" with a save that is refused keeps the window and its changes.
        window = lib_->newDocument();
        QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
        lib_->prompts.clear();
        lib_->prompts.answer(PromptAnswer::Yes);
        window->parentWidget()->close();
        QVERIFY(!closed(window));
        QVERIFY(window->isModified());
        QCOMPARE(test::boxes(lib_->prompts),
                 (QStringList{
                     "Informacja [Warning YesNoCancel]: Zapisac zmiany w pliku ?\nBez nazwy [0]",
                     "Komunikat - błąd podczas weryfikacji pliku [Error]: Błędna struktura "
                     "pliku!",
                     "Komunikat [Error]: Nie można zapisać struktury do pliku!"}));
        // "Yes" with a cancelled save dialog keeps it too.
        window->tree().addApplication(std::make_unique<TRecWniosek>(
            record<TRecWniosek>(lib_->openDocument(path)->tree().root()->child(0))));
        lib_->host.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        lib_->prompts.clear();
        lib_->prompts.answer(PromptAnswer::Yes);
        window->parentWidget()->close();
        QVERIFY(!closed(window));
        QCOMPARE(lib_->prompts.shown.last().kind, test::ScriptedPrompts::Kind::SaveFile);
    }

    void closeQuestionAfterAcceptOrImport() {
        const QString path = lib_->sampleFile(3, 1);
        // A new application accepted as its blank form stands: the page is clean again, the
        // document is not.
        QPointer<TfrmData> window = lib_->newDocument();
        QVERIFY(!window->isModified());
        test::action(window, "AddWniosek")->trigger();
        QCOMPARE(window->tree().applicationCount(), 1);
        QVERIFY(!window->pageEdited());
        QVERIFY(window->isModified() && window->isWindowModified());
        QCOMPARE(window->windowTitle(), "Bez nazwy [0][*]");
        lib_->prompts.clear();
        lib_->prompts.answer(PromptAnswer::No);
        window->parentWidget()->close();
        QCOMPARE(lib_->prompts.messages(), QStringList{"Zapisac zmiany w pliku ?\nBez nazwy [0]"});
        QVERIFY(closed(window));

        // Records imported into an opened file, then a click on a node.
        window = lib_->openDocument(path);
        QVERIFY(!window->isWindowModified());
        auto read = readApplicationFile(path.toStdString(), samples::sampleUndertaking());
        window->importRecords(read->TakeRecords());
        window->select(window->tree().root()->child(1));
        QVERIFY(window->isModified());
        lib_->prompts.clear();
        window->parentWidget()->close();  // Cancel
        QCOMPARE(lib_->prompts.messages(), QStringList{"Zapisac zmiany w pliku ?\n" + path});
        QVERIFY(!closed(window));
        // A strike-out and its removal are changes; saving clears them.
        window = lib_->openDocument(path);
        test::action(window, "DeleteNode")->setEnabled(true);
        window->select(window->tree().root()->child(0));
        strikeOrRestore(window);
        QVERIFY(window->isWindowModified());
        strikeOrRestore(window);
        window->SaveToFile(false);
        QVERIFY(!window->isWindowModified());
    }

    void shownRecordIsNeverANewForm() {
        TfrmData* window = open({});
        TreeNode* employee = first(*window, KIND_PRACOWNIK);
        TreeNode* employees = employee->parent();
        record<TRecOsoba>(employee).Nazwisko = "<E>";
        const std::size_t count = employees->childCount();
        window->NewPracExecute();
        QVERIFY(window->newRecordMode());
        lib_->prompts.clear();
        window->select(employee);  // its check fails, it is shown all the same
        QCOMPARE(lib_->prompts.messages().size(), 1);
        QVERIFY(!window->newRecordMode());
        window->pages().pracownik->nazwisko->setText("NOWAK");
        test::action(window, "AddPracownik")->trigger();
        QCOMPARE(employees->childCount(), count);
        QCOMPARE(text(record<TRecOsoba>(employee).Nazwisko), "NOWAK");
    }

    void readErrorClosesTheWindow() {
        const QString path = lib_->writeFile("zly.rpa", "AB");
        QPointer<TfrmData> window = lib_->openDocument(path);
        QVERIFY(window);
        QCOMPARE(test::boxes(lib_->prompts),
                 QStringList{"Komunikat [Error]: Wystąpił błąd przy odczycie pliku\n" + path +
                             "\nBłędna wersja pliku !"});
        QCoreApplication::processEvents();
        QVERIFY(closed(window));
        QCOMPARE(LibraryState::instance().windowCount(), 0);
    }

    void changeTabView() {
        TfrmData* window = lib_->newDocument();
        const AgentPage* agent = window->pages().agent;
        // The kind in work, the tabs but the board's (which follows the file's version), the
        // operation's text and colour, the agent's number shown, "AddAgent" and "AbortAgent".
        const auto state = [&] {
            return QStringLiteral("%1 %2 %3 %4 %5 %6")
                .arg(window->currentApplicationKind())
                .arg(test::tabs(window).remove(PAGE_ZARZAD, 1), agent->lblRodzajOp->text(),
                     agent->lblRodzajOp->palette().color(QPalette::WindowText).name(),
                     test::visible(agent, {agent->edID_Agenta}),
                     test::enabled(window, {"AddAgent", "AbortAgent"}));
        };
        window->ChangeTabView(2, "WYKREŚLENIE");
        QCOMPARE(state(), "2 11000 WYKREŚLENIE #ff0000 1 11");
        window->ChangeTabView(1, "AKTUALIZACJA");
        QCOMPARE(state(), "1 11111 AKTUALIZACJA #000080 1 11");
        test::action(window, "AddAgent")->setEnabled(false);
        window->ChangeTabView(7, "INNY");  // an unknown kind keeps the one in work
        QCOMPARE(state(), "1 11111 INNY #000080 1 11");
    }
};

QTEST_MAIN(TestTfrmData)
#include "test_TfrmData.moc"
