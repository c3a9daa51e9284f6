#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include "flatpaint/IconLibrary.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "shell/HelpWindow.h"
#include "shell/TAboutBox.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmSearchWnd.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

namespace {

class FixedSystem : public platform::SystemSource {
public:
    platform::SystemFigures figures{"Testowy Linux 1", "6.1.0-test", "7", 2000 * 1024, 30};
    platform::SystemFigures read() const override { return figures; }
};

}  // namespace

class TfrmMainTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QString helpPath_ = dir_.filePath("Tavik.html"), printPage_ = dir_.filePath("tmp.htm");
    const QString missing_ = dir_.filePath("brak/libmorvel.so");
    std::optional<test::TempRegistry> registry_;  // fresh for each test, as are the prompts
    std::optional<test::ScriptedPrompts> prompts_;
    std::unique_ptr<TfrmMain> frame_;
    int konfigRuns_ = 0;
    bool konfigAccepted_ = false;
    std::shared_ptr<FixedSystem> system_;  // none: the running system

    void start(const QString& library = FAKE_MORVEL) {
        frame_.reset();
        FrameEnvironment e;
        e.libraryPath = library;
        e.helpPath = helpPath_;
        e.printPagePath = printPage_;
        e.showKonfig = [this](QWidget*) {
            ++konfigRuns_;
            return konfigAccepted_;
        };
        e.systemSource = system_;
        frame_ = std::make_unique<TfrmMain>(e);
    }
    QAction* act(const char* name) const { return frame_->findChild<QAction*>(name); }
    QString activeClass() const {
        return morvelWindowClass(frame_->documentArea()->currentSubWindow()->widget());
    }
    void showActive() {
        frame_->show();
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    }
    void openFile(const QString& name) {
        prompts_->chooseFiles({dir_.filePath(name)});
        act("OpenDoc")->trigger();
    }
    void runAll(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            act(name)->setEnabled(true);
            act(name)->trigger();
        }
    }
    void expectError(const QString& text) {
        QCOMPARE(test::boxes(*prompts_), QStringList{"Błąd [Error]: " + text});
    }
    // Which of the named commands are on, "1" or "0" each.
    QString on(std::initializer_list<const char*> names) const {
        QString bits;
        for (const char* name : names)
            bits += act(name)->isEnabled() ? '1' : '0';
        return bits;
    }
    // The names of a menu's or toolbar's items in order, "-" for a separator.
    static QString names(const QWidget* menuOrBar) {
        QStringList out;
        for (const QAction* a : menuOrBar->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out.join(' ');
    }
    static auto key() { return platform::Registry().openKey(Settings::kKeyPath, true); }
    static QStringList log() {
        QFile file(qEnvironmentVariable("FAKE_MORVEL_LOG"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    static void clearLog() { QFile::remove(qEnvironmentVariable("FAKE_MORVEL_LOG")); }
    // Has the fake library send a window message. The library is not unloaded here: QLibrary
    // shares one load among its objects, and unloading would end the frame's.
    static void send(const char* message, qintptr wParam, qintptr lParam) {
        using Send = void (*)(const char*, qintptr, qintptr);
        Send(QLibrary(FAKE_MORVEL).resolve("FakeMorvelSend"))(message, wParam, lParam);
    }

private slots:
    void initTestCase() { qputenv("FAKE_MORVEL_LOG", dir_.filePath("morvel.log").toUtf8()); }
    void init() {
        registry_.emplace();
        prompts_.emplace();
        konfigRuns_ = 0;
        konfigAccepted_ = false;
        system_.reset();
        clearLog();
    }
    void cleanup() { frame_.reset(); }

    void configurationOnlyAtAStartWithoutSettings() {
        {
            FrameEnvironment e = FrameEnvironment::standard();
            e.libraryPath = missing_;
            TfrmMain frame(e);
            QString shown;
            // Runs inside the dialog's own loop, which the frame starts once it is up.
            QTimer::singleShot(0, &frame, [&shown] {
                QWidget* modal = QApplication::activeModalWidget();
                shown = modal ? modal->metaObject()->className() : "none";
                if (modal) modal->close();
            });
            QTRY_COMPARE(shown, "tavik::TfrmKonfig");
        }
        start();
        QCOMPARE(konfigRuns_, 0);  // not before the frame is up
        QTRY_COMPARE(konfigRuns_, 1);
        QCOMPARE(log(), QStringList());

        QVERIFY(key()->writeString("Nazwa ZU", "TU JASKÓŁKA SA"));
        start();
        QTest::qWait(50);
        QCOMPARE(konfigRuns_, 1);
    }

    void withoutTheLibraryEveryOtherCommandIsInert() {
        start(missing_);
        openFile("dane.rpa");
        runAll({"SaveFile", "SaveAs", "Close", "AddWniosek", "AddAgent", "AddZarzad",
                "AddPracownik", "AddPolisa", "AddPelnomoc", "Import", "Export", "acWnioski",
                "Cascade", "Tile", "ArrangeIcon", "miUkryj", "miPokaz"});
        frame_->Timer1Timer();
        QCOMPARE(prompts_->shown.size(), 1);  // the open dialog only
        QCOMPARE(prompts_->last().kind, test::ScriptedPrompts::Kind::OpenFiles);
        QVERIFY(!frame_->library().isLoaded());
        frame_->UpdateActions();
        QCOMPARE(on({"SaveFile", "SaveAs", "Print", "Close", "Import", "Export"}), "000000");

        // Only a new document says why the library cannot serve.
        const QString cannot = "Nie można otworzyć biblioteki libmorvel.so\n";
        const std::tuple<QString, QString, bool> cases[] = {
            {missing_, cannot + QString("Plik %1 nie istnieje.").arg(missing_), false},
            {FAKE_MORVEL_NO_ATTACH,
             cannot + QString("Plik %1 nie jest biblioteką morvel (brak funkcji MorvelAttach).")
                          .arg(FAKE_MORVEL_NO_ATTACH),
             false},
            {FAKE_MORVEL_NO_SHOWFORM, "Nie można odwołać się do funkcji ShowForm!", true}};
        for (const auto& [library, message, loaded] : cases) {
            prompts_->clear();
            start(library);
            act("NewWindow")->trigger();
            expectError(message);
            QCOMPARE(frame_->library().isLoaded(), loaded);
            QCOMPARE(log(), loaded ? QStringList{"MorvelAttach"} : QStringList());
        }
    }

    void newDocumentBindsTheLibraryOnceAndCommandsCallItsExports() {
        start();
        act("NewWindow")->trigger();
        act("NewWindow")->trigger();
        QCOMPARE(log(), QStringList({"MorvelAttach", "ShowForm 0 0", "ShowForm 0 0"}));
        QCOMPARE(frame_->documentArea()->subWindowList().size(), 2);
        QCOMPARE(activeClass(), "TfrmData");
        QCOMPARE(prompts_->shown.size(), 0);
        // The document menus and commands follow once the frame is idle.
        QTRY_VERIFY(frame_->findChild<QMenu*>("Edycja")->menuAction()->isVisible());
        QVERIFY(frame_->findChild<QMenu*>("Okno")->menuAction()->isVisible());
        QCOMPARE(
            on({"Close", "SaveFile", "SaveAs", "Import", "Export", "CheckDocument", "miUkryj"}),
            "1111111");

        clearLog();
        runAll({"SaveFile", "SaveAs", "acWnioski", "AddWniosek", "AddAgent", "AddZarzad",
                "AddPracownik", "AddPolisa", "AddPelnomoc", "Import", "Export", "miPelnomocnictwo",
                "CheckDocument"});
        QCOMPARE(log(),
                 QStringList({"SaveToFile", "SaveAsFile", "SaveToFiles", "DodajFormularzWniosku",
                              "DodajFormularzAgenta", "DodajFormularzZarzadu",
                              "DodajFormularzPracownika", "DodajFormularzPolisyOC",
                              "DodajFormularzPelnomocnictwa", "ImportFile", "ExportFile",
                              "DodajFormularzPelnomocnictwa", "CheckDocument"}));
    }

    void libraryMessagesOnTheActions() {
        start();
        act("NewWindow")->trigger();
        const auto names = {"AddWniosek", "AddAgent",    "AddZarzad", "AddPracownik",
                            "AddPolisa",  "AddPelnomoc", "Print"};
        // "ZMIANA WEZLA", every row: each command switched on, off or left as it was ("=").
        const std::tuple<int, int, const char*> rows[] = {
            {0, 2, "+-----="}, {2, 1, "+------"},  {3, 0, "=-+----"}, {4, 1, "=--+---"},
            {5, 2, "=----+-"}, {6, -1, "=---+--"}, {1, 1, "+=----+"}, {1, 0, "-=-----"},
            {1, 2, "==----="}, {7, 1, "======="},  {-1, 0, "======="}};
        for (const auto& [kind, flag, rule] : rows) {
            for (bool before : {false, true}) {
                for (const char* name : names)
                    act(name)->setEnabled(before);
                send("ZMIANA WEZLA", kind, flag);
                const QString row = QString("%1,%2 ").arg(kind).arg(flag);
                QString wanted = row;
                for (int i = 0; i < 7; ++i)
                    wanted += (rule[i] == '=' ? before : rule[i] == '+') ? '1' : '0';
                QCOMPARE(row + on(names), wanted);
                QCOMPARE(act("miPelnomocnictwo")->isEnabled(), act("AddPelnomoc")->isEnabled());
            }
        }

        // "WNIOSKI": splitting from two applications on, and then no new one.
        act("AddWniosek")->setEnabled(true);
        const std::tuple<const char*, int, const char*> counts[] = {
            {"WNIOSKI", 1, "01"},
            {"WNIOSKI", 0, "01"},
            {"WNIOSKI", 2, "10"},
            {"WNIOSEK", 1, "10"}};  // a message of its own, which changes nothing
        for (const auto& [message, count, wanted] : counts) {
            act("acWnioski")->setEnabled(count < 2);  // each row turns it the other way
            send(message, count, 0);
            QCOMPARE(on({"acWnioski", "AddWniosek"}), wanted);
        }
    }

    // Splitting follows the documents: off with the last one closed, and while a response window
    // is active; an application window's count of applications turns it on again.
    void splittingEndsWithTheLastDocument() {
        start();
        QAction* split = act("acWnioski");
        act("NewWindow")->trigger();
        send("WNIOSKI", 2, 0);
        frame_->UpdateActions();
        QVERIFY(split->isEnabled());
        openFile("odpowiedz.coa");
        frame_->UpdateActions();
        QVERIFY(!split->isEnabled());
        send("WNIOSKI", 3, 0);
        frame_->documentArea()->closeAllSubWindows();
        QTRY_COMPARE(frame_->documentArea()->subWindowList().size(), 0);
        QTRY_VERIFY(!split->isEnabled());
        QCOMPARE(on({"SaveFile", "Close"}), "00");
    }

    void responseWindowActive() {
        start();
        showActive();
        act("NewWindow")->trigger();
        QTRY_VERIFY(act("SaveFile")->isEnabled());
        openFile("odpowiedz.coa");
        QCOMPARE(activeClass(), "TfrmOdpowiedz");
        QTRY_VERIFY(!act("SaveFile")->isEnabled());
        QCOMPARE(on({"SaveAs", "Import", "Export", "AddWniosek", "AddAgent", "AddZarzad",
                     "AddPracownik", "AddPolisa", "AddPelnomoc", "Close", "NewWindow", "OpenDoc"}),
                 "000000000111");

        // Back in the application window, saving, import and export return.
        frame_->documentArea()->setActiveSubWindow(frame_->documentArea()->subWindowList().first());
        QTRY_VERIFY(act("SaveFile")->isEnabled());
        QCOMPARE(on({"Import", "Export"}), "11");
    }

    // An accepted configuration may name another dictionary: a loaded library reads it again.
    void acceptedConfigurationReloadsTheDictionary() {
        QVERIFY(key()->writeString("Nazwa ZU", "TU JASKÓŁKA SA"));
        start();
        konfigAccepted_ = true;
        act("ShowKonfig")->trigger();  // nothing loaded, nothing to read again
        act("NewWindow")->trigger();
        konfigAccepted_ = false;
        act("ShowKonfig")->trigger();
        konfigAccepted_ = true;
        act("tbKonfigAction")->trigger();
        QCOMPARE(konfigRuns_, 3);
        QCOMPARE(log(), QStringList({"MorvelAttach", "ShowForm 0 0", "ReloadDictionary"}));
    }

    void automaticSaving() {
        const auto timer = [this] { return frame_->findChild<QTimer*>("Timer1"); };
        start();
        QVERIFY(!timer()->isActive());  // off unless switched on
        QVERIFY(key()->writeInteger("Autozapis", 0));
        QVERIFY(key()->writeInteger("Wl/Wy Autozapis", 1));
        start();
        QVERIFY(!timer()->isActive());

        QVERIFY(key()->writeInteger("Autozapis", 5));
        start();
        QVERIFY(timer()->isActive());
        QCOMPARE(timer()->interval(), 300000);
        frame_->Timer1Timer();  // no window
        act("NewWindow")->trigger();
        QCOMPARE(log(), QStringList({"MorvelAttach", "ShowForm 0 0"}));
        clearLog();
        frame_->Timer1Timer();  // nothing changed in it
        QCOMPARE(log(), QStringList());
        frame_->findChild<QMdiArea*>()->currentSubWindow()->widget()->setWindowModified(true);
        QVERIFY(key()->writeInteger("Autozapis", 7));  // read again at the tick
        frame_->Timer1Timer();
        QCOMPARE(log(), QStringList{"SaveToFile"});
        QCOMPARE(timer()->interval(), 420000);

        openFile("odpowiedz.coa");
        clearLog();
        frame_->Timer1Timer();
        QCOMPARE(log(), QStringList());
    }

    void closingUnloadsTheLibrary() {
        QVERIFY(QFile(printPage_).open(QIODevice::WriteOnly));
        start();
        showActive();
        act("NewWindow")->trigger();
        act("NewWindow")->trigger();
        act("miZakonczenie")->trigger();
        QCOMPARE(
            std::tuple(frame_->isVisible(), frame_->library().isLoaded(), QFile::exists(printPage_),
                       frame_->documentArea()->subWindowList().size()),
            std::tuple(false, false, false, 0));
        QCOMPARE(log().last(), "MorvelDetach");
    }

    void searchAndPrintCommandsInTheMenusAndOnTheToolbar() {
        start();
        QAction* search = act("Search");
        QCOMPARE(search->text() + ' ' + search->shortcut().toString(), "Wyszukiwanie F3");
        QVERIFY(!search->icon().isNull());
        // Printing has its place in "Plik" between separators.
        QCOMPARE(
            QStringList({names(frame_->findChild<QMenu*>("Narzedzia")),
                         names(frame_->findChild<QToolBar*>("ToolBar1")),
                         names(frame_->findChild<QMenu*>("Plik"))}),
            QStringList({"Import acWnioski Export Senvik - ShowKonfig - Search CheckDocument",
                         "NewWindow OpenDoc SaveFile Print - Cascade Tile ArrangeIcon - "
                         "tbKonfigAction Search - acWnioski",
                         "miNowy miOtworz miZapisz SaveAs - Print - miZamknij - miZakonczenie"}));
        QCOMPARE(act("Print")->text(), "&Drukuj");
        QVERIFY(!act("Print")->icon().isNull());

        // Only with a document or response window active.
        QVERIFY(!search->isEnabled());
        frame_->UpdateActions();
        QVERIFY(!search->isEnabled());
        act("NewWindow")->trigger();
        QTRY_VERIFY(search->isEnabled());
        openFile("odpowiedz.coa");
        frame_->UpdateActions();
        QVERIFY(search->isEnabled());
        frame_->documentArea()->closeAllSubWindows();
        QTRY_VERIFY(!search->isEnabled());
    }

    // F3 opens the window; its searches go to the library with the frame's position, which
    // outlives the window.
    void searchWindowRunsTheLibrarysSearch() {
        start();
        showActive();
        act("NewWindow")->trigger();
        QTRY_VERIFY(act("Search")->isEnabled());
        clearLog();
        test::inModal<TfrmSearchWnd>([](TfrmSearchWnd& w) {
            w.edSearchStr->setText("ŻUK");
            QTest::keyClick(w.edSearchStr, Qt::Key_Return);
            w.btnNext->click();
            w.chkAll->setChecked(true);
            w.btnSearch->click();
            QVERIFY(w.isVisible());
            w.Button2->click();
        });
        QTest::keyClick(frame_.get(), Qt::Key_F3);
        QCOMPARE(frame_->searchPosition(), 10);
        test::inModal<TfrmSearchWnd>([](TfrmSearchWnd& w) {
            w.edSearchStr->setText("KOT");
            w.btnSearch->click();  // the box starts clear
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        act("Search")->trigger();
        QCOMPARE(log(), QStringList({"SearchRecords ŻUK 0 0", "SearchRecords ŻUK 0 5",
                                     "SearchRecords ŻUK 1 10", "SearchRecords KOT 0 10"}));
        QCOMPARE(frame_->searchPosition(), 15);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // After the manual in "Pomoc" and beside the import and export; the one box made with the
    // frame, shown modally over it with the figures of the frame's system.
    void aboutBoxInTheHelpMenuAndOnTheToolbar() {
        system_ = std::make_shared<FixedSystem>();
        start();
        QAction* about = act("ShowAbouBox");
        QCOMPARE(about->text(), "O programie");
        QCOMPARE(about->icon().pixmap(16).toImage(), icons::pixmap(icons::kAbout).toImage());
        auto* toolBar4 = frame_->findChild<QToolBar*>("ToolBar4");
        QCOMPARE(names(frame_->findChild<QMenu*>("Pomoc")) + " | " + names(toolBar4),
                 "miOpisProgramu ShowAbouBox | Import ToolButton12Action - ShowAbouBox");
        auto* box = frame_->findChild<TAboutBox*>();
        QVERIFY(box && !box->isVisible());
        QCOMPARE(box->Label1->text(), "OS: Testowy Linux 1");

        showActive();
        QStringList shown;
        const auto closeTheBox = [&] {
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                shown << (modal == box ? box->lPhysMem->text() + " " + box->FreeRes->text()
                                       : QStringLiteral("nie ten"));
                if (modal) modal->close();
            });
        };
        closeTheBox();
        about->trigger();
        system_->figures.memoryLoadPercent = 100;
        closeTheBox();
        QTest::mouseClick(toolBar4->widgetForAction(about), Qt::LeftButton);
        const QString memory = QStringLiteral("2") + QChar(0xA0) + QStringLiteral("000 KB");
        QCOMPARE(shown,
                 QStringList({memory + " Wolna pamięć: 30 %", memory + " Wolna pamięć: 100 %"}));
        QCOMPARE(frame_->findChildren<TAboutBox*>().size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void helpOpensTheManual() {
        start();
        showActive();
        act("miOpisProgramu")->trigger();
        expectError(QString("Plik pomocy %1 nie istnieje!").arg(helpPath_));
        QVERIFY(!frame_->findChild<HelpWindow*>());

        QVERIFY(QFile(helpPath_).open(QIODevice::WriteOnly));
        QTest::keyClick(frame_.get(), Qt::Key_F1);
        auto* help = frame_->findChild<HelpWindow*>();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(helpPath_));
        QCOMPARE(prompts_->shown.size(), 1);
    }
};

QTEST_MAIN(TfrmMainTest)
#include "test_TfrmMain.moc"
