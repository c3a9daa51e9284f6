#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "platform/ProgramFiles.h"
#include "platform/Registry.h"
#include "shell/HelpWindow.h"
#include "shell/Settings.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using tavik::FrameEnvironment;
using tavik::HelpWindow;
using tavik::Settings;
using tavik::TfrmMain;
using tavik::platform::PromptIcon;
using tavik::test::ScriptedPrompts;

namespace {

void writeSetting(const QString& name, const QVariant& value) {
    auto key = tavik::platform::Registry().openKey(Settings::kKeyPath, true);
    if (!key) qFatal("the test registry cannot be written");
    const bool written = value.typeId() == QMetaType::QString
                             ? key->writeString(name, value.toString())
                             : key->writeInteger(name, value.toInt());
    if (!written) qFatal("the test registry cannot be written");
}

// Calls an export that only the fake library has, on the instance the frame loaded. Not
// unloaded here: QLibrary shares one load among its objects, and this one would end the frame's.
template <typename Fn, typename... Args>
void inFakeLibrary(const char* name, Args... args) {
    QLibrary library(QStringLiteral(FAKE_MORVEL));
    QVERIFY(library.load());
    const auto fn = reinterpret_cast<Fn>(library.resolve(name));
    QVERIFY(fn);
    fn(args...);
}

void sendFromLibrary(const char* message, qintptr wParam, qintptr lParam) {
    inFakeLibrary<void (*)(const char*, qintptr, qintptr)>("FakeMorvelSend", message, wParam,
                                                           lParam);
}

void refuseClose(bool refuse) {
    inFakeLibrary<void (*)(bool)>("FakeMorvelRefuseClose", refuse);
}

// A toolbar's buttons by name ("-" for a separator).
QStringList buttons(const QToolBar* bar) {
    QStringList names;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) {
            names << QStringLiteral("-");
            continue;
        }
        const QString button = bar->widgetForAction(a)->objectName();
        names << (button.isEmpty() ? a->objectName() : button);
    }
    return names;
}

// A menu's items as the user reads them: caption, and the shortcut after a tab.
QStringList items(const QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions()) {
        QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (!a->shortcut().isEmpty()) text += QLatin1Char('\t') + a->shortcut().toString();
        texts << text;
    }
    return texts;
}

}  // namespace

class TfrmMainTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::unique_ptr<tavik::test::TempRegistry> registry_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    int konfigRuns_ = 0;

    QString helpPath() const { return dir_.filePath(QStringLiteral("Help/Tavik.html")); }
    QString printPage() const { return dir_.filePath(QStringLiteral("htmlTemplates/tmp.htm")); }

    std::unique_ptr<TfrmMain> makeFrame(const QString& library = QStringLiteral(FAKE_MORVEL)) {
        FrameEnvironment e;
        e.libraryPath = library;
        e.helpPath = helpPath();
        e.printPagePath = printPage();
        e.showKonfig = [this](QWidget*) { ++konfigRuns_; };
        return std::make_unique<TfrmMain>(e);
    }
    static QAction* action(TfrmMain& frame, const char* name) {
        auto* a = frame.findChild<QAction*>(QString::fromLatin1(name));
        if (!a) qFatal("no action %s", name);
        return a;
    }
    static QStringList log() {
        QFile file(qEnvironmentVariable("FAKE_MORVEL_LOG"));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    static void clearLog() { QFile::remove(qEnvironmentVariable("FAKE_MORVEL_LOG")); }
    static void showActive(TfrmMain& frame) {
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
    }
    static QString activeClass(TfrmMain& frame) {
        QMdiSubWindow* current = frame.documentArea()->currentSubWindow();
        return current ? tavik::morvelWindowClass(current->widget()) : QString();
    }
    void openFile(TfrmMain& frame, const QString& name) {
        prompts_->chooseFiles({dir_.filePath(name)});
        action(frame, "OpenDoc")->trigger();
    }

private slots:
    void initTestCase() {
        qputenv("FAKE_MORVEL_LOG", dir_.filePath(QStringLiteral("morvel.log")).toUtf8());
    }
    void init() {
        registry_ = std::make_unique<tavik::test::TempRegistry>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        konfigRuns_ = 0;
        clearLog();
        QDir(dir_.path()).mkpath(QStringLiteral("Help"));
        QDir(dir_.path()).mkpath(QStringLiteral("htmlTemplates"));
        QFile::remove(helpPath());
    }
    void cleanup() {
        prompts_.reset();
        registry_.reset();
    }

    void standardEnvironmentIsBesideTheProgram() {
        const FrameEnvironment e = FrameEnvironment::standard();
        const QString folder = tavik::platform::programFolder();
        QCOMPARE(e.libraryPath, folder + QStringLiteral("/libmorvel.so"));
        QCOMPARE(e.helpPath, folder + QStringLiteral("/Help/Tavik.html"));
        QCOMPARE(e.printPagePath, folder + QStringLiteral("/htmlTemplates/tmp.htm"));
    }

    void firstStartOpensTheConfiguration() {
        auto frame = makeFrame();
        QCOMPARE(konfigRuns_, 0);  // not before the frame is up
        QTRY_COMPARE(konfigRuns_, 1);
        QVERIFY(!frame->library().isLoaded());
        QCOMPARE(log(), QStringList());
    }

    void standardConfigurationIsTheDialog() {
        FrameEnvironment e = FrameEnvironment::standard();
        e.libraryPath = dir_.filePath(QStringLiteral("brak/libmorvel.so"));
        TfrmMain frame(e);
        QString shown;
        // Runs inside the dialog's own loop, which the frame starts once it is up.
        QTimer::singleShot(0, &frame, [&shown] {
            QWidget* modal = QApplication::activeModalWidget();
            shown = modal ? QString::fromLatin1(modal->metaObject()->className()) : "none";
            if (modal) modal->close();
        });
        QTRY_COMPARE(shown, QStringLiteral("tavik::TfrmKonfig"));
    }

    void configuredStartDoesNotOpenIt() {
        writeSetting(QStringLiteral("Nazwa ZU"), QStringLiteral("TU JASKÓŁKA SA"));
        auto frame = makeFrame();
        QTest::qWait(50);
        QCOMPARE(konfigRuns_, 0);
    }

    void frameWindowAndToolBars() {
        auto frame = makeFrame();
        QCOMPARE(frame->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("Tavik"));
        QCOMPARE(frame->size(), QSize(889, 700));
        QVERIFY(!frame->windowIcon().isNull());
        QCOMPARE(frame->statusBar()->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(frame->documentArea(), frame->centralWidget());

        auto* bar1 = frame->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        auto* bar2 = frame->findChild<QToolBar*>(QStringLiteral("ToolBar2"));
        auto* bar4 = frame->findChild<QToolBar*>(QStringLiteral("ToolBar4"));
        QVERIFY(bar1 && bar2 && bar4);
        QCOMPARE(buttons(bar1),
                 QStringList({"NewWindow", "OpenDoc", "SaveFile", "-", "Cascade", "Tile",
                              "ArrangeIcon", "-", "tbKonfig", "-", "acWnioski"}));
        QCOMPARE(buttons(bar4), QStringList({"Import", "ToolButton12"}));
        QCOMPARE(buttons(bar2), QStringList({"AddWniosek", "AddAgent", "AddZarzad", "AddPracownik",
                                             "AddPolisa", "AddPelnomoc"}));
        for (QToolBar* bar : {bar1, bar2, bar4})
            for (QAction* a : bar->actions())
                QVERIFY2(a->isSeparator() || !a->icon().isNull(), qPrintable(a->objectName()));

        showActive(*frame);
        QVERIFY(bar1->isVisible() && bar4->isVisible());
        QVERIFY(!bar2->isVisible());
        // One row: the import and export right of the file commands.
        QCOMPARE(bar4->y(), bar1->y());
        QVERIFY(bar4->x() > bar1->x() + bar1->width() - 1);
    }

    void menusInOrder() {
        auto frame = makeFrame();
        QStringList titles;
        QStringList shown;
        for (QAction* a : frame->menuBar()->actions()) {
            titles << a->text();
            if (a->isVisible()) shown << a->text();
        }
        QCOMPARE(titles, QStringList({"&Plik", "&Edycja", "Narzędzia", "&Okno", "&Pomoc"}));
        QCOMPARE(shown, QStringList({"&Plik", "Narzędzia", "&Pomoc"}));

        auto menu = [&](const char* name) {
            return items(frame->findChild<QMenu*>(QString::fromLatin1(name)));
        };
        QCOMPARE(menu("Plik"),
                 QStringList({"Nowy", "Otwórz\tCtrl+O", "Zapisz\tCtrl+S", "Zapisz jako ...", "-",
                              "Zamknij", "-", "Zakończenie"}));
        QCOMPARE(menu("Edycja"), QStringList({"Wniosek", "Agent", "Członek zarządu", "Pracownik",
                                              "Polisa OC", "Pełnomocnictwo"}));
        QCOMPARE(menu("Narzedzia"), QStringList({"Importuj plik", "Rozdziel wnioski", "Eksportuj",
                                                 "-", "Konfiguracja"}));
        QCOMPARE(menu("Okno"),
                 QStringList({"Kaskada", "Sasiadujaco", "Uporzadkuj", "-", "Ukryj", "Pokaż"}));
        QCOMPARE(menu("Pomoc"), QStringList({"&Opis programu\tF1"}));
    }

    void commandTable_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("enabled");  // at start, no document open
        auto row = [](const char* name, const char* caption, const char* shortcut, const char* tip,
                      const char* status, bool enabled) {
            QTest::newRow(name) << QString::fromUtf8(caption) << QString::fromUtf8(shortcut)
                                << QString::fromUtf8(tip) << QString::fromUtf8(status) << enabled;
        };
        row("NewWindow", "Nowy dokument", "", "Nowy dokument", "Otwiera nowy dokument", true);
        row("OpenDoc", "Otwórz dokument", "Ctrl+O", "Otwórz dokument", "Otwiera plik", true);
        row("SaveFile", "Zapisz plik", "Ctrl+S", "Zapisz plik", "Zapisanie pliku na dysk", false);
        row("SaveAs", "Zapisz jako ...", "", "Zapisuje plik pod określoną nazwą",
            "Zapisuje plik pod określoną nazwą", false);
        row("Print", "&Drukuj", "", "Drukuje wniosek", "Drukuje wniosek", false);
        row("Close", "Close", "", "Close", "", false);
        row("AddWniosek", "Wniosek", "", "Wniosek", "Dodaje nowy Wniosek", true);
        row("AddAgent", "Agent", "", "Agent", "Dodaje nowego Agenta", true);
        row("AddZarzad", "Członek zarządu", "", "Nowy czł. zarządu",
            "Dodaje nowego członka zarządu", true);
        row("AddPracownik", "Pracownik", "", "Pracownik", "Dodaje nowego Pracownika", true);
        row("AddPolisa", "Polisa OC", "", "Nowa polisa", "Dodaje nową Polisę", true);
        row("AddPelnomoc", "Nowe pełnomocnictwo", "", "Nowe pełnomocnictwo",
            "Dodaje nowe Pełnomocnictwo", true);
        row("Import", "Importuj plik", "", "Importuj", "Import z pliku tekstowego", false);
        row("Export", "Eksportuj", "", "Eksport", "Eksportuje do plikuu tekstowego", false);
        row("acWnioski", "Rozdziel wnioski", "", "Rozdziel wnioski", "Rozdziel wnioski", false);
        row("ShowKonfig", "Konfiguracja", "", "KOnfiguracja", "Pokazuje okno konfiguracji", true);
        row("Cascade", "Kaskada", "", "Kaskada", "Ustawia okna kaskadowo", true);
        row("Tile", "Sąsiadująco", "", "Sąsiadująco", "Ustawia okna sąsiadująco", true);
        row("ArrangeIcon", "ArrangeIcon", "", "Porządkuj", "Porządkuje zminimalizowane okna", true);
    }

    void commandTable() {
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(QString, tip);
        QFETCH(QString, status);
        QFETCH(bool, enabled);
        auto frame = makeFrame(dir_.filePath(QStringLiteral("brak/libmorvel.so")));
        QAction* a = action(*frame, QTest::currentDataTag());
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
        QCOMPARE(a->toolTip(), tip);
        QCOMPARE(a->statusTip(), status);
        QCOMPARE(a->isEnabled(), enabled);
    }

    void buttonsWithHintsOfTheirOwn() {
        auto frame = makeFrame();
        auto* konfig = frame->findChild<QToolButton*>(QStringLiteral("tbKonfig"));
        auto* exportButton = frame->findChild<QToolButton*>(QStringLiteral("ToolButton12"));
        QVERIFY(konfig && exportButton);
        QCOMPARE(konfig->toolTip(), QStringLiteral("Konfiguracja"));
        QCOMPARE(konfig->statusTip(), QStringLiteral("Pokazuje okno konfiguracji"));
        QCOMPARE(exportButton->toolTip(), QStringLiteral("Eksport"));
        QCOMPARE(exportButton->statusTip(), QStringLiteral("Eksportuje do pliku tekstowego"));
        // They run their commands and follow their states.
        QVERIFY(!exportButton->isEnabled());
        konfig->click();
        QCOMPARE(konfigRuns_, 1);
    }

    void statusBarShowsTheLongHint() {
        auto frame = makeFrame();
        showActive(*frame);
        QStatusBar* status = frame->statusBar();
        auto* bar1 = frame->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
        QTest::mouseMove(bar1->widgetForAction(action(*frame, "NewWindow")));
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("Otwiera nowy dokument"));
        QTest::mouseMove(frame->findChild<QToolButton*>(QStringLiteral("tbKonfig")));
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("Pokazuje okno konfiguracji"));

        // A menu item: the hint without "|" is shown whole.
        action(*frame, "SaveAs")->setEnabled(true);
        QMenu* plik = frame->findChild<QMenu*>(QStringLiteral("Plik"));
        frame->menuBar()->setActiveAction(plik->menuAction());
        QVERIFY(QTest::qWaitForWindowExposed(plik));
        plik->setActiveAction(action(*frame, "SaveAs"));
        QTRY_COMPARE(status->currentMessage(), QStringLiteral("Zapisuje plik pod określoną nazwą"));
        plik->close();
    }

    void withoutTheLibraryOnlyNewDocumentReports() {
        const QString missing = dir_.filePath(QStringLiteral("brak/libmorvel.so"));
        auto frame = makeFrame(missing);
        action(*frame, "NewWindow")->trigger();
        QCOMPARE(prompts_->shown.size(), 1);
        QCOMPARE(prompts_->last().text,
                 QStringLiteral("Nie można otworzyć biblioteki libmorvel.so\nPlik %1 nie istnieje.")
                     .arg(missing));
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);

        prompts_->clear();
        openFile(*frame, QStringLiteral("dane.rpa"));
        for (const char* name :
             {"SaveFile", "SaveAs", "Close", "AddWniosek", "AddAgent", "AddZarzad", "AddPracownik",
              "AddPolisa", "AddPelnomoc", "Import", "Export", "acWnioski", "Cascade", "Tile",
              "ArrangeIcon", "miUkryj", "miPokaz"}) {
            action(*frame, name)->setEnabled(true);
            action(*frame, name)->trigger();
        }
        frame->Timer1Timer();
        QCOMPARE(prompts_->shown.size(), 1);  // the open dialog only
        QCOMPARE(prompts_->last().kind, ScriptedPrompts::Kind::OpenFiles);
        QVERIFY(!frame->library().isLoaded());

        frame->UpdateActions();
        for (const char* name : {"SaveFile", "SaveAs", "Print", "Close", "Import", "Export"})
            QVERIFY2(!action(*frame, name)->isEnabled(), name);
    }

    void librariesThatCannotServe() {
        const QString bad = dir_.filePath(QStringLiteral("zly/libmorvel.so"));
        QDir(dir_.path()).mkpath(QStringLiteral("zly"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("to nie jest biblioteka");
        file.close();
        auto frame = makeFrame(bad);
        action(*frame, "NewWindow")->trigger();
        QCOMPARE(prompts_->shown.size(), 1);
        QVERIFY2(prompts_->last().text.startsWith(
                     QStringLiteral("Nie można otworzyć biblioteki libmorvel.so\nPliku %1 nie "
                                    "można załadować:\n")
                         .arg(bad)),
                 qPrintable(prompts_->last().text));
        QVERIFY(!frame->library().isLoaded());

        prompts_->clear();
        frame = makeFrame(QStringLiteral(FAKE_MORVEL_NO_ATTACH));
        action(*frame, "NewWindow")->trigger();
        QCOMPARE(prompts_->messages(),
                 QStringList(QStringLiteral("Nie można otworzyć biblioteki libmorvel.so\nPlik %1 "
                                            "nie jest biblioteką morvel (brak funkcji "
                                            "MorvelAttach).")
                                 .arg(QStringLiteral(FAKE_MORVEL_NO_ATTACH))));
        QVERIFY(!frame->library().isLoaded());

        prompts_->clear();
        frame = makeFrame(QStringLiteral(FAKE_MORVEL_NO_SHOWFORM));
        action(*frame, "NewWindow")->trigger();
        QCOMPARE(prompts_->messages(),
                 QStringList(QStringLiteral("Nie można odwołać się do funkcji ShowForm!")));
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QVERIFY(frame->library().isLoaded());
        QCOMPARE(log(), QStringList({"MorvelAttach"}));
    }

    void newDocumentBindsTheLibraryOnce() {
        auto frame = makeFrame();
        QVERIFY(!frame->library().isLoaded());
        action(*frame, "NewWindow")->trigger();
        action(*frame, "NewWindow")->trigger();
        QCOMPARE(log(), QStringList({"MorvelAttach", "ShowForm 0 0", "ShowForm 0 0"}));
        QCOMPARE(frame->documentArea()->subWindowList().size(), 2);
        QCOMPARE(activeClass(*frame), QStringLiteral("TfrmData"));
        QCOMPARE(prompts_->shown.size(), 0);

        // The document views and commands follow once the frame is idle.
        QTRY_VERIFY(frame->findChild<QMenu*>(QStringLiteral("Edycja"))->menuAction()->isVisible());
        QVERIFY(frame->findChild<QMenu*>(QStringLiteral("Okno"))->menuAction()->isVisible());
        QVERIFY(!frame->findChild<QToolBar*>(QStringLiteral("ToolBar2"))->isHidden());
        for (const char* name : {"Close", "SaveFile", "SaveAs", "Import", "Export", "miUkryj"})
            QVERIFY2(action(*frame, name)->isEnabled(), name);
    }

    void openDocumentThroughTheDialog() {
        auto frame = makeFrame();
        openFile(*frame, QStringLiteral("Wniosek źdźbło.rpa"));
        QCOMPARE(prompts_->shown.size(), 1);
        const ScriptedPrompts::Shown dialog = prompts_->last();
        QCOMPARE(dialog.kind, ScriptedPrompts::Kind::OpenFiles);
        QCOMPARE(dialog.caption, QStringLiteral("Otwórz"));
        QCOMPARE(dialog.filter, QStringLiteral("Pliki Tavik (*.rpa);;Pliki odpowiedzi (*.coa)"));
        QCOMPARE(dialog.directory, QDir::currentPath());  // the folder of the settings is missing
        QVERIFY(!dialog.multiple);
        QCOMPARE(log(),
                 QStringList({"MorvelAttach", QStringLiteral("OpenDocument %1 0")
                                                  .arg(dir_.filePath("Wniosek źdźbło.rpa"))}));

        // The applications folder of the settings, once it exists; a cancelled dialog opens
        // nothing.
        writeSetting(QStringLiteral("Wnioski"), dir_.path());
        clearLog();
        action(*frame, "OpenDoc")->trigger();
        QCOMPARE(prompts_->last().directory, dir_.path());
        QCOMPARE(log(), QStringList());
    }

    void nodeChangedOnTheActions_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("flag");
        // AddWniosek, AddAgent, AddZarzad, AddPracownik, AddPolisa, AddPelnomoc, Print:
        // "+" on, "-" off, "=" unchanged.
        QTest::addColumn<QString>("expected");
        auto row = [](int kind, int flag, const char* expected) {
            QTest::addRow("%d,%d", kind, flag) << kind << flag << QString::fromLatin1(expected);
        };
        for (int flag : {0, 1, 2}) {
            row(0, flag, "+-----=");
            row(2, flag, "+------");
            row(3, flag, "=-+----");
            row(4, flag, "=--+---");
            row(5, flag, "=----+-");
            row(6, flag, "=---+--");
            row(7, flag, "=======");
        }
        row(1, 1, "+=----+");
        row(1, 0, "-=-----");
        row(1, 2, "==----=");
        row(-1, 1, "=======");
        row(100, 0, "=======");
    }

    void nodeChangedOnTheActions() {
        QFETCH(int, kind);
        QFETCH(int, flag);
        QFETCH(QString, expected);
        auto frame = makeFrame();
        action(*frame, "NewWindow")->trigger();
        const char* names[] = {"AddWniosek", "AddAgent",    "AddZarzad", "AddPracownik",
                               "AddPolisa",  "AddPelnomoc", "Print"};
        for (bool before : {false, true}) {
            for (const char* name : names)
                action(*frame, name)->setEnabled(before);
            sendFromLibrary("ZMIANA WEZLA", kind, flag);
            QString actual;
            QString wanted;
            for (int i = 0; i < 7; ++i) {
                actual += action(*frame, names[i])->isEnabled() ? '1' : '0';
                const QChar rule = expected.at(i);
                wanted += (rule == '=' ? before : rule == '+') ? '1' : '0';
            }
            QCOMPARE(actual, wanted);
        }
        // The menu item with a caption of its own and the record toolbar follow.
        QCOMPARE(frame->findChild<QAction*>(QStringLiteral("miPelnomocnictwo"))->isEnabled(),
                 action(*frame, "AddPelnomoc")->isEnabled());
    }

    void applicationCountOnTheActions() {
        auto frame = makeFrame();
        action(*frame, "NewWindow")->trigger();
        QAction* split = action(*frame, "acWnioski");
        QAction* add = action(*frame, "AddWniosek");
        for (bool before : {false, true}) {
            split->setEnabled(!before);
            add->setEnabled(before);
            sendFromLibrary("WNIOSKI", 1, 0);
            QVERIFY(!split->isEnabled());
            QCOMPARE(add->isEnabled(), before);
        }
        sendFromLibrary("WNIOSKI", 2, 0);
        QVERIFY(split->isEnabled());
        QVERIFY(!add->isEnabled());
        sendFromLibrary("WNIOSKI", 0, 0);
        QVERIFY(!split->isEnabled());
        QVERIFY(!add->isEnabled());

        // "WNIOSEK" is known and changes nothing.
        add->setEnabled(true);
        sendFromLibrary("WNIOSEK", 5, 1);
        QVERIFY(add->isEnabled() && !split->isEnabled());
        QVERIFY(frame->MsgWniosek() != frame->MsgZmianaWezla());
        QVERIFY(frame->MsgWnioski() != frame->MsgZmianaWezla());
    }

    void responseWindowActive() {
        auto frame = makeFrame();
        showActive(*frame);
        action(*frame, "NewWindow")->trigger();
        QTRY_VERIFY(action(*frame, "SaveFile")->isEnabled());
        openFile(*frame, QStringLiteral("odpowiedz.coa"));
        QCOMPARE(activeClass(*frame), QStringLiteral("TfrmOdpowiedz"));
        QTRY_VERIFY(!action(*frame, "SaveFile")->isEnabled());
        for (const char* name : {"SaveAs", "Import", "Export", "AddWniosek", "AddAgent",
                                 "AddPracownik", "AddPolisa", "AddPelnomoc"})
            QVERIFY2(!action(*frame, name)->isEnabled(), name);
        for (const char* name : {"AddZarzad", "Close", "NewWindow", "OpenDoc"})
            QVERIFY2(action(*frame, name)->isEnabled(), name);

        // Back to the application window: saving, import and export come back; the add commands
        // wait for the window to tell which node is selected.
        frame->documentArea()->setActiveSubWindow(frame->documentArea()->subWindowList().first());
        QCOMPARE(activeClass(*frame), QStringLiteral("TfrmData"));
        QTRY_VERIFY(action(*frame, "SaveFile")->isEnabled());
        QVERIFY(action(*frame, "Import")->isEnabled() && action(*frame, "Export")->isEnabled());
        QVERIFY(!action(*frame, "AddAgent")->isEnabled());
    }

    void commandsCallTheirExports() {
        auto frame = makeFrame();
        action(*frame, "NewWindow")->trigger();
        frame->UpdateActions();
        clearLog();
        for (const char* name :
             {"SaveFile", "SaveAs", "acWnioski", "AddWniosek", "AddAgent", "AddZarzad",
              "AddPracownik", "AddPolisa", "AddPelnomoc", "Import", "Export"}) {
            action(*frame, name)->setEnabled(true);
            action(*frame, name)->trigger();
        }
        frame->findChild<QAction*>(QStringLiteral("miPelnomocnictwo"))->trigger();
        frame->findChild<QToolButton*>(QStringLiteral("ToolButton12"))->click();
        QCOMPARE(log(),
                 QStringList({"SaveToFile", "SaveAsFile", "SaveToFiles", "DodajFormularzWniosku",
                              "DodajFormularzAgenta", "DodajFormularzZarzadu",
                              "DodajFormularzPracownika", "DodajFormularzPolisyOC",
                              "DodajFormularzPelnomocnictwa", "ImportFile", "ExportFile",
                              "DodajFormularzPelnomocnictwa", "ExportFile"}));
    }

    void automaticSaving() {
        writeSetting(QStringLiteral("Autozapis"), 5);
        writeSetting(QStringLiteral("Wl/Wy Autozapis"), 1);
        auto frame = makeFrame();
        auto* timer = frame->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 300000);

        frame->Timer1Timer();  // no library, no window
        QCOMPARE(log(), QStringList());

        action(*frame, "NewWindow")->trigger();
        clearLog();
        writeSetting(QStringLiteral("Autozapis"), 7);  // read again at the tick
        frame->Timer1Timer();
        QCOMPARE(log(), QStringList({"SaveToFile"}));
        QCOMPARE(timer->interval(), 420000);
        QVERIFY(timer->isActive());

        openFile(*frame, QStringLiteral("odpowiedz.coa"));
        clearLog();
        frame->Timer1Timer();
        QCOMPARE(log(), QStringList());
    }

    void automaticSavingOff() {
        auto frame = makeFrame();
        auto* timer = frame->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 180000);

        writeSetting(QStringLiteral("Autozapis"), 0);
        writeSetting(QStringLiteral("Wl/Wy Autozapis"), 1);
        frame = makeFrame();
        QVERIFY(!frame->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void closingUnloadsTheLibrary() {
        QFile page(printPage());
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        auto frame = makeFrame();
        showActive(*frame);
        action(*frame, "NewWindow")->trigger();
        action(*frame, "NewWindow")->trigger();
        QVERIFY(frame->close());
        QVERIFY(!frame->library().isLoaded());
        QCOMPARE(log().last(), QStringLiteral("MorvelDetach"));
        QVERIFY(!QFile::exists(printPage()));
        QVERIFY(frame->documentArea()->subWindowList().isEmpty());
    }

    void aDocumentThatStaysKeepsTheFrame() {
        auto frame = makeFrame();
        showActive(*frame);
        action(*frame, "NewWindow")->trigger();
        refuseClose(true);
        QVERIFY(!frame->close());
        refuseClose(false);
        QVERIFY(frame->isVisible());
        QVERIFY(frame->library().isLoaded());
        QVERIFY(!log().contains(QStringLiteral("MorvelDetach")));

        // "Zakończenie" closes the frame once the document lets it.
        action(*frame, "miZakonczenie")->trigger();
        QVERIFY(!frame->isVisible());
        QCOMPARE(log().last(), QStringLiteral("MorvelDetach"));
    }

    void windowCommands() {
        auto frame = makeFrame();
        showActive(*frame);
        QMdiArea* area = frame->documentArea();
        action(*frame, "NewWindow")->trigger();
        action(*frame, "NewWindow")->trigger();
        action(*frame, "NewWindow")->trigger();

        // "Zamknij" closes the active document only.
        QTRY_VERIFY(action(*frame, "Close")->isEnabled());
        action(*frame, "Close")->trigger();
        QTRY_COMPARE(area->subWindowList().size(), 2);

        for (QMdiSubWindow* w : area->subWindowList()) {
            area->setActiveSubWindow(w);
            action(*frame, "miUkryj")->trigger();
            QVERIFY(w->isMinimized());
        }
        for (QMdiSubWindow* w : area->subWindowList())
            w->move(40, 40);
        action(*frame, "ArrangeIcon")->trigger();
        const QList<QMdiSubWindow*> windows = area->subWindowList();
        QCOMPARE(windows.at(0)->pos(),
                 QPoint(0, area->viewport()->height() - windows.at(0)->height()));
        QCOMPARE(windows.at(1)->pos(), QPoint(windows.at(0)->width(), windows.at(0)->y()));

        action(*frame, "miPokaz")->trigger();
        for (QMdiSubWindow* w : area->subWindowList())
            QVERIFY(!w->isMinimized());
    }

    void helpOpensTheManual() {
        QFile manual(helpPath());
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.write("<html><body><h1>Tavik</h1></body></html>");
        manual.close();
        auto frame = makeFrame();
        showActive(*frame);
        QTest::keyClick(frame.get(), Qt::Key_F1);
        auto* help = frame->findChild<HelpWindow*>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Tavik - pomoc"));
        QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(helpPath()));
        help->close();

        // "p" on the frame itself opens it too; in a document it is a letter.
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->documentArea()->setFocus();
        QTest::keyClick(frame.get(), Qt::Key_P);
        QVERIFY(help->isVisible());
        help->close();
        action(*frame, "NewWindow")->trigger();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        auto* edit = frame->documentArea()->currentSubWindow()->findChild<QLineEdit*>();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_P);
        QCOMPARE(edit->text(), QStringLiteral("p"));
        QVERIFY(!help->isVisible());
        QCOMPARE(prompts_->messages(), QStringList());
    }

    void missingManual() {
        auto frame = makeFrame();
        action(*frame, "miOpisProgramu")->trigger();
        QCOMPARE(prompts_->messages(),
                 QStringList(QStringLiteral("Plik pomocy %1 nie istnieje!").arg(helpPath())));
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QVERIFY(!frame->findChild<HelpWindow*>());
    }
};

QTEST_MAIN(TfrmMainTest)
#include "test_TfrmMain.moc"
