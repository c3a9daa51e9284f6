#include "shell/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "flatpaint/ActionHints.h"
#include "flatpaint/FlatPainterManager.h"
#include "flatpaint/IconLibrary.h"
#include "platform/ProgramFiles.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "shell/HelpWindow.h"
#include "shell/PrintPreview.h"
#include "shell/TAboutBox.h"
#include "shell/TfrmKonfig.h"
#include "shell/TfrmSearchWnd.h"

namespace tavik {

namespace {

using frame::Switch;

// The hint of a command: the short part before "|" is the tooltip, the long part after it goes
// to the status bar; a hint without "|" is both.
void switchAction(QAction* action, Switch s) {
    if (s != Switch::Keep) action->setEnabled(s == Switch::On);
}

// Tahoma 8 pt where the font is installed; else the desktop's font, never below a readable size.
QFont frameFont() {
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
        QFont tahoma(QStringLiteral("Tahoma"));
        tahoma.setPointSize(8);
        return tahoma;
    }
    QFont font = QApplication::font();
    if (font.pointSizeF() > 0 && font.pointSizeF() < 9) font.setPointSizeF(9);
    return font;
}

}  // namespace

FrameEnvironment FrameEnvironment::standard() {
    FrameEnvironment e;
    e.libraryPath = MorvelBinding::defaultPath();
    e.helpPath = platform::besideProgram(QStringLiteral("Help/Tavik.html"));
    e.printPagePath = platform::besideProgram(QStringLiteral("htmlTemplates/tmp.htm"));
    e.templatesFolder =
        QFileInfo(platform::besideProgram(QStringLiteral("htmlTemplates/wniosek o wpis.htm")))
            .path();
    e.showKonfig = [](QWidget* parent) {
        TfrmKonfig dialog(parent);
        return dialog.exec() == QDialog::Accepted;
    };
    e.startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    e.showPrintPreview = [](QWidget* parent, const QString& pagePath) {
        PrintPreview preview(pagePath, parent);
        preview.exec();
    };
    return e;
}

TfrmMain::TfrmMain(FrameEnvironment environment, QWidget* parent)
    : QMainWindow(parent),
      environment_(std::move(environment)),
      library_(environment_.libraryPath) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tavik"));
    setWindowIcon(icons::icon(icons::kProgram));
    setFont(frameFont());

    msgWniosek_ = platform::registerWindowMessage(QStringLiteral("WNIOSEK"));
    msgZmianaWezla_ = platform::registerWindowMessage(QStringLiteral("ZMIANA WEZLA"));
    msgWnioski_ = platform::registerWindowMessage(QStringLiteral("WNIOSKI"));
    platform::setMainWindowReceiver(this);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);

    statusBar1_ = new QStatusBar(this);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(statusBar1_);

    buildActions();
    buildMenus();
    buildToolBars();

    if (!environment_.systemSource)
        environment_.systemSource = std::make_shared<platform::LinuxSystemSource>();
    aboutBox_ = new TAboutBox(*environment_.systemSource, this);

    // The update handlers run once the event loop is idle after anything that can change what
    // they look at: a window made, closed or activated, the frame activated, a command run.
    updateTimer_ = new QTimer(this);
    updateTimer_->setSingleShot(true);
    updateTimer_->setInterval(0);
    connect(updateTimer_, &QTimer::timeout, this, &TfrmMain::UpdateActions);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TfrmMain::scheduleUpdate);
    mdiArea_->viewport()->installEventFilter(this);

    startAutoSave();
    UpdateActions();

    resize(889, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    openConfigurationAtStart();
}

TfrmMain::~TfrmMain() {
    // The library's windows go with it, while the area they live in still exists.
    library_.unload();
    if (platform::mainWindowReceiver() == this) platform::setMainWindowReceiver(nullptr);
}

QStatusBar* TfrmMain::statusBar() {
    return statusBar1_;
}

QAction* TfrmMain::makeAction(const char* name, const QString& caption, const QString& hint,
                              int iconNumber) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    setHint(action, hint);
    if (iconNumber >= 0) action->setIcon(icons::icon(iconNumber));
    return action;
}

// A menu item or button with a caption or hint of its own, which runs `command` and follows its
// state. Its shortcut only labels the item; the command's own shortcut does the work.
QAction* TfrmMain::standIn(QAction* command, const char* name, const QString& caption,
                           const QString& hint) {
    auto* item = new QAction(command->icon(), caption, this);
    item->setObjectName(QString::fromLatin1(name));
    if (hint.isEmpty()) {
        item->setToolTip(command->toolTip());
        item->setStatusTip(command->statusTip());
    } else {
        setHint(item, hint);
    }
    if (!command->shortcut().isEmpty()) {
        item->setShortcut(command->shortcut());
        item->setShortcutContext(Qt::WidgetShortcut);
    }
    item->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, item, &QAction::setEnabled);
    connect(item, &QAction::triggered, command, &QAction::trigger);
    return item;
}

void TfrmMain::buildActions() {
    using namespace icons;
    NewWindow = makeAction("NewWindow", QStringLiteral("Nowy dokument"),
                           QStringLiteral("Nowy dokument|Otwiera nowy dokument"), kNewDocument);
    OpenDoc = makeAction("OpenDoc", QStringLiteral("Otwórz dokument"),
                         QStringLiteral("Otwórz dokument|Otwiera plik"), kOpen);
    OpenDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SaveFile = makeAction("SaveFile", QStringLiteral("Zapisz plik"),
                          QStringLiteral("Zapisz plik|Zapisanie pliku na dysk"), kSave);
    SaveFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs = makeAction("SaveAs", QStringLiteral("Zapisz jako ..."),
                        QStringLiteral("Zapisuje plik pod określoną nazwą"), kSave);
    // Printing comes with its own window; the node messages keep its state meanwhile.
    Print = makeAction("Print", QStringLiteral("&Drukuj"),
                       QStringLiteral("Drukuje wniosek|Drukuje wniosek"), kPrint);
    Print->setEnabled(false);
    Close = makeAction("Close", QStringLiteral("Close"), QString(), kClose);

    AddWniosek = makeAction("AddWniosek", QStringLiteral("Wniosek"),
                            QStringLiteral("Wniosek|Dodaje nowy Wniosek"), kNewApplication);
    AddAgent = makeAction("AddAgent", QStringLiteral("Agent"),
                          QStringLiteral("Agent|Dodaje nowego Agenta"), kNewAgent);
    AddZarzad = makeAction("AddZarzad", QStringLiteral("Członek zarządu"),
                           QStringLiteral("Nowy czł. zarządu|Dodaje nowego członka zarządu"),
                           kNewBoardMember);
    AddPracownik = makeAction("AddPracownik", QStringLiteral("Pracownik"),
                              QStringLiteral("Pracownik|Dodaje nowego Pracownika"), kNewEmployee);
    AddPolisa = makeAction("AddPolisa", QStringLiteral("Polisa OC"),
                           QStringLiteral("Nowa polisa|Dodaje nową Polisę"), kNewPolicy);
    AddPelnomoc = makeAction("AddPelnomoc", QStringLiteral("Nowe pełnomocnictwo"),
                             QStringLiteral("Nowe pełnomocnictwo|Dodaje nowe Pełnomocnictwo"),
                             kNewPowerOfAttorney);

    Import = makeAction("Import", QStringLiteral("Importuj plik"),
                        QStringLiteral("Importuj|Import z pliku tekstowego"), kImport);
    Import->setEnabled(false);
    Export = makeAction("Export", QStringLiteral("Eksportuj"),
                        QStringLiteral("Eksport|Eksportuje do plikuu tekstowego"), kExport);
    Export->setEnabled(false);
    CheckDocument = makeAction(
        "CheckDocument", QStringLiteral("Sprawdź dokument"),
        QStringLiteral("Sprawdź dokument|Wyszukuje wszystkie błędy i ostrzeżenia dokumentu"),
        kCheckDocument);
    CheckDocument->setEnabled(false);
    Senvik = makeAction("Senvik", QStringLiteral("Transmisja plików"),
                        QStringLiteral("Transmisja plików|Przekazuje bieżący plik do wysłania"));
    Senvik->setEnabled(false);
    acWnioski = makeAction("acWnioski", QStringLiteral("Rozdziel wnioski"),
                           QStringLiteral("Rozdziel wnioski"), kSplit);
    acWnioski->setEnabled(false);
    ShowKonfig =
        makeAction("ShowKonfig", QStringLiteral("Konfiguracja"),
                   QStringLiteral("KOnfiguracja|Pokazuje okno konfiguracji"), kConfiguration);
    Search =
        makeAction("Search", QStringLiteral("Wyszukiwanie"),
                   QStringLiteral("Wyszukiwanie|Wyszukuje tekst w rekordach dokumentu"), kSearch);
    Search->setShortcut(QKeySequence(Qt::Key_F3));
    Search->setEnabled(false);

    Cascade = makeAction("Cascade", QStringLiteral("Kaskada"),
                         QStringLiteral("Kaskada|Ustawia okna kaskadowo"), kCascade);
    Tile = makeAction("Tile", QStringLiteral("Sąsiadująco"),
                      QStringLiteral("Sąsiadująco|Ustawia okna sąsiadująco"), kTile);
    ArrangeIcon = makeAction("ArrangeIcon", QStringLiteral("ArrangeIcon"),
                             QStringLiteral("Porządkuj|Porządkuje zminimalizowane okna"), kArrange);

    miUkryj = makeAction("miUkryj", QStringLiteral("Ukryj"),
                         QStringLiteral("Ukryj|Minimalizuje aktywne okno"));
    miPokaz = makeAction("miPokaz", QStringLiteral("Pokaż"),
                         QStringLiteral("Pokaż|Przywraca zminimalizowane okna"));
    miOpisProgramu = makeAction("miOpisProgramu", QStringLiteral("&Opis programu"),
                                QStringLiteral("Opis programu|Pokazuje opis programu"), kHelp);
    miOpisProgramu->setShortcut(QKeySequence(Qt::Key_F1));
    miZakonczenie = makeAction("miZakonczenie", QStringLiteral("Zakończenie"),
                               QStringLiteral("Zakończenie|Kończy pracę programu"));
    ShowAbouBox = makeAction("ShowAbouBox", QStringLiteral("O programie"),
                             QStringLiteral("O programie|Informacja o programie"), kAbout);

    connect(NewWindow, &QAction::triggered, this,
            [this] { runCommand([this] { NewWindowExecute(); }); });
    connect(OpenDoc, &QAction::triggered, this,
            [this] { runCommand([this] { OpenDocExecute(); }); });
    connect(Import, &QAction::triggered, this, [this] { runCommand([this] { ImportExecute(); }); });
    connect(ShowKonfig, &QAction::triggered, this,
            [this] { runCommand([this] { ShowKonfigExecute(); }); });
    connect(Search, &QAction::triggered, this, [this] { runCommand([this] { SearchExecute(); }); });
    connect(Print, &QAction::triggered, this, [this] { runCommand([this] { PrintExecute(); }); });
    connect(Senvik, &QAction::triggered, this, [this] { runCommand([this] { SenvikExecute(); }); });
    const std::pair<QAction*, const char*> windowCommands[] = {
        {SaveFile, "SaveToFile"},
        {SaveAs, "SaveAsFile"},
        {acWnioski, "SaveToFiles"},
        {AddWniosek, "DodajFormularzWniosku"},
        {AddAgent, "DodajFormularzAgenta"},
        {AddZarzad, "DodajFormularzZarzadu"},
        {AddPracownik, "DodajFormularzPracownika"},
        {AddPolisa, "DodajFormularzPolisyOC"},
        {AddPelnomoc, "DodajFormularzPelnomocnictwa"},
        {Export, "ExportFile"},
        {CheckDocument, "CheckDocument"},
    };
    for (const auto& [action, exportName] : windowCommands) {
        connect(action, &QAction::triggered, this, [this, name = exportName] {
            runCommand([this, name] { callWindowCommand(name); });
        });
    }
    connect(Close, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* window = mdiArea_->currentSubWindow()) window->close();
        scheduleUpdate();
    });
    connect(Cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
    connect(Tile, &QAction::triggered, mdiArea_, &QMdiArea::tileSubWindows);
    connect(ArrangeIcon, &QAction::triggered, this, &TfrmMain::ArrangeIconExecute);
    connect(miUkryj, &QAction::triggered, this, &TfrmMain::HideExecute);
    connect(miPokaz, &QAction::triggered, this, &TfrmMain::ShowExecute);
    connect(miOpisProgramu, &QAction::triggered, this, &TfrmMain::HelpContentsExecute);
    connect(miZakonczenie, &QAction::triggered, this, &QWidget::close);
    connect(ShowAbouBox, &QAction::triggered, this, [this] { aboutBox_->exec(); });

    // Shortcuts work wherever the focus is in the frame, documents included.
    addActions({NewWindow, OpenDoc, SaveFile, Search, miOpisProgramu});
}

void TfrmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const QFont font = frameFont();
    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(QString::fromLatin1(name));
        menu->setFont(font);  // a popup is a window of its own and inherits nothing
        return menu;
    };

    menuPlik_ = addMenu("Plik", QStringLiteral("&Plik"));
    menuPlik_->addAction(standIn(NewWindow, "miNowy", QStringLiteral("Nowy")));
    menuPlik_->addAction(standIn(OpenDoc, "miOtworz", QStringLiteral("Otwórz")));
    menuPlik_->addAction(standIn(SaveFile, "miZapisz", QStringLiteral("Zapisz")));
    menuPlik_->addAction(SaveAs);
    menuPlik_->addSeparator();
    menuPlik_->addAction(Print);
    menuPlik_->addSeparator();
    menuPlik_->addAction(standIn(Close, "miZamknij", QStringLiteral("Zamknij")));
    menuPlik_->addSeparator();
    menuPlik_->addAction(miZakonczenie);

    menuEdycja_ = addMenu("Edycja", QStringLiteral("&Edycja"));
    menuEdycja_->addActions({AddWniosek, AddAgent, AddZarzad, AddPracownik, AddPolisa});
    menuEdycja_->addAction(
        standIn(AddPelnomoc, "miPelnomocnictwo", QStringLiteral("Pełnomocnictwo")));
    menuEdycja_->menuAction()->setVisible(false);

    menuNarzedzia_ = addMenu("Narzedzia", QStringLiteral("Narzędzia"));
    // The transfer has no place of its own in the menus; next to the export it can be reached.
    menuNarzedzia_->addActions({Import, acWnioski, Export, Senvik});
    menuNarzedzia_->addSeparator();
    menuNarzedzia_->addAction(ShowKonfig);
    menuNarzedzia_->addSeparator();
    menuNarzedzia_->addAction(Search);
    menuNarzedzia_->addAction(CheckDocument);

    menuOkno_ = addMenu("Okno", QStringLiteral("&Okno"));
    menuOkno_->addAction(Cascade);
    menuOkno_->addAction(standIn(Tile, "miSasiadujaco", QStringLiteral("Sasiadujaco")));
    menuOkno_->addAction(standIn(ArrangeIcon, "miUporzadkuj", QStringLiteral("Uporzadkuj")));
    menuOkno_->addSeparator();
    menuOkno_->addActions({miUkryj, miPokaz});

    menuPomoc_ = addMenu("Pomoc", QStringLiteral("&Pomoc"));
    menuPomoc_->addAction(miOpisProgramu);
    menuPomoc_->addAction(ShowAbouBox);
}

void TfrmMain::buildToolBars() {
    auto addToolBar = [this](const char* name) {
        auto* bar = new QToolBar(QString::fromLatin1(name), this);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setIconSize(QSize(16, 16));
        bar->setFloatable(false);
        QMainWindow::addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };
    auto name = [](QToolBar* bar, QAction* action, const char* buttonName) {
        bar->widgetForAction(action)->setObjectName(QString::fromLatin1(buttonName));
    };

    toolBar1_ = addToolBar("ToolBar1");
    toolBar1_->addActions({NewWindow, OpenDoc, SaveFile, Print});
    toolBar1_->addSeparator();
    toolBar1_->addActions({Cascade, Tile, ArrangeIcon});
    toolBar1_->addSeparator();
    QAction* konfig = standIn(ShowKonfig, "tbKonfigAction", ShowKonfig->text(),
                              QStringLiteral("Konfiguracja|Pokazuje okno konfiguracji"));
    toolBar1_->addAction(konfig);
    name(toolBar1_, konfig, "tbKonfig");
    toolBar1_->addAction(Search);
    name(toolBar1_, Search, "tbSearch");
    toolBar1_->addSeparator();
    toolBar1_->addAction(acWnioski);

    // Beside the first, as the import and export belong with the file commands.
    toolBar4_ = addToolBar("ToolBar4");
    toolBar4_->addAction(Import);
    QAction* exportButton = standIn(Export, "ToolButton12Action", Export->text(),
                                    QStringLiteral("Eksport|Eksportuje do pliku tekstowego"));
    toolBar4_->addAction(exportButton);
    name(toolBar4_, exportButton, "ToolButton12");
    toolBar4_->addSeparator();
    toolBar4_->addAction(ShowAbouBox);

    toolBar2_ = addToolBar("ToolBar2");
    toolBar2_->addActions({AddWniosek, AddAgent, AddZarzad, AddPracownik, AddPolisa, AddPelnomoc});
    toolBar2_->setVisible(false);
}

void TfrmMain::startAutoSave() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
    const int interval = frame::autoSaveInterval(ReadAutoSaveMinutes());
    timer1_->setInterval(interval);
    // Switched on or off here only: a change of the setting takes effect at the next start.
    if (ReadAutoSaveOn() && interval > 0) timer1_->start();
}

void TfrmMain::openConfigurationAtStart() {
    const Settings settings;
    if (settings.UndertakingName() != Settings::kNoUndertakingName) {
        flatpaint::applyFlatLook(!settings.ClassicUi());
        return;
    }
    // Once the frame is up, so that the dialog has a window to stand over.
    QTimer::singleShot(0, this, [this] { runCommand([this] { ShowKonfigExecute(); }); });
}

void TfrmMain::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        platform::showMessage(this, QString::fromUtf8(e.what()), QStringLiteral("Błąd"),
                              platform::PromptIcon::Error);
    } catch (...) {
        platform::showMessage(this, QStringLiteral("Wystąpił nieznany błąd."),
                              QStringLiteral("Błąd"), platform::PromptIcon::Error);
    }
    scheduleUpdate();
}

void TfrmMain::scheduleUpdate() {
    if (!updateTimer_->isActive()) updateTimer_->start();
}

int TfrmMain::childCount() {
    const auto count = library_.resolve<GetMDIWndCountFn>("GetMDIWndCount");
    return count ? count() : 0;
}

const char* TfrmMain::activeClass() {
    const auto active = library_.resolve<GetActiveWndFn>("GetActiveWnd");
    return active ? morvelWindowClass(active()) : "";
}

void TfrmMain::UpdateActions() {
    const int count = childCount();
    apply(frame::idleUpdate(count, count != 0 ? activeClass() : ""));
    const bool documents = count > 0;
    miUkryj->setEnabled(documents);
    miPokaz->setEnabled(documents);
}

void TfrmMain::apply(const frame::CommandSwitches& s) {
    switchAction(AddWniosek, s.AddWniosek);
    switchAction(AddAgent, s.AddAgent);
    switchAction(AddZarzad, s.AddZarzad);
    switchAction(AddPracownik, s.AddPracownik);
    switchAction(AddPolisa, s.AddPolisa);
    switchAction(AddPelnomoc, s.AddPelnomoc);
    switchAction(Print, s.Print);
    switchAction(acWnioski, s.acWnioski);
    switchAction(SaveFile, s.SaveFile);
    switchAction(SaveAs, s.SaveAs);
    switchAction(Import, s.Import);
    switchAction(Export, s.Export);
    switchAction(Senvik, s.Senvik);
    switchAction(Close, s.Close);
    switchAction(Search, s.Search);
    switchAction(CheckDocument, s.CheckDocument);
    if (s.documentViews != Switch::Keep) {
        const bool shown = s.documentViews == Switch::On;
        menuEdycja_->menuAction()->setVisible(shown);
        menuOkno_->menuAction()->setVisible(shown);
        toolBar2_->setVisible(shown);
    }
}

void TfrmMain::receiveMessage(unsigned message, qintptr wParam, qintptr lParam) {
    if (message == msgZmianaWezla_)
        apply(frame::nodeChanged(wParam, lParam));
    else if (message == msgWnioski_)
        apply(frame::applicationCount(wParam));
}

void TfrmMain::callWindowCommand(const char* exportName) {
    if (const auto command = library_.resolve<WindowCommandFn>(exportName)) command();
}

void TfrmMain::NewWindowExecute() {
    if (!library_.load()) throw std::runtime_error(library_.loadError().toStdString());
    const ShowFormFn showForm = library_.showForm();
    if (!showForm) throw std::runtime_error("Nie można odwołać się do funkcji ShowForm!");
    quint32 ignored = 0;
    showForm(this, &ignored, InitialWindowState);
}

void TfrmMain::OpenDocExecute() {
    platform::FileDialogOptions options;
    options.title = QStringLiteral("Otwórz");
    options.filter = QStringLiteral("Pliki Tavik (*.rpa);;Pliki odpowiedzi (*.coa)");
    options.directory = Settings().ApplicationsDirOr(QDir::currentPath());
    const QStringList chosen = platform::Prompts::current().openFiles(this, options, false);
    if (chosen.isEmpty()) return;
    // A library that cannot be loaded, or lacks the export, opens nothing and says nothing.
    if (!library_.load()) return;
    const OpenDocumentFn openDocument = library_.openDocument();
    if (!openDocument) return;
    openDocument(this, chosen.first().toUtf8().constData(), InitialWindowState);
}

void TfrmMain::openFiles(const QStringList& paths) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    for (const QString& path : paths)
        runCommand([this, &path] {
            const QString extension = QFileInfo(path).suffix().toLower();
            if (extension != QLatin1String("rpa") && extension != QLatin1String("coa") &&
                extension != QLatin1String("cia"))
                throw std::runtime_error(
                    QStringLiteral("Plik %1 nie jest plikiem wniosków (.rpa), odpowiedzi (.coa) "
                                   "ani plikiem tekstowym do importu (.cia).")
                        .arg(QDir::toNativeSeparators(path))
                        .toStdString());
            // Unlike the menu command, a clerk who opened a file from outside must hear why
            // nothing opens.
            if (!library_.load()) throw std::runtime_error(library_.loadError().toStdString());
            if (extension == QLatin1String("cia")) {
                const auto importNamed = library_.resolve<ImportNamedFileFn>("ImportNamedFile");
                if (!importNamed) return;
                NewWindowExecute();
                importNamed(path.toUtf8().constData());
            } else if (const OpenDocumentFn openDocument = library_.openDocument()) {
                openDocument(this, path.toUtf8().constData(), InitialWindowState);
            }
        });
}

void TfrmMain::ImportExecute() {
    if (!library_.load()) return;
    callWindowCommand("ImportFile");
}

void TfrmMain::ShowKonfigExecute() {
    if (!environment_.showKonfig || !environment_.showKonfig(this)) return;
    // The library's windows share the frame's look; a loaded library is told all the same.
    flatpaint::applyFlatLook(!Settings().ClassicUi());
    if (const auto changeUi = library_.resolve<ChangeUIFn>("ChangeUI")) changeUi();
    // A library loaded before reads the dictionary of the new configuration, so that documents
    // can be made without a restart.
    if (const auto reload = library_.resolve<ReloadDictionaryFn>("ReloadDictionary")) reload();
}

void TfrmMain::PrintExecute() {
    const Settings settings;
    // The settings name a missing signer by a text of their own; a page must not carry it.
    if (settings.Signer().trimmed().isEmpty() || settings.Signer() == Settings::kNoSigner) {
        platform::showMessage(this, QStringLiteral("Brak informacji o osobie składającej wniosek"),
                              QStringLiteral("Błąd"), platform::PromptIcon::Error);
        return;
    }
    if (childCount() == 0 || std::string_view(activeClass()) != frame::kApplicationWindow) return;
    const auto printPage = library_.resolve<PrintPageFn>("PrintPage");
    if (!printPage) return;
    const QString pagePath = writablePrintPagePath();
    QFile::remove(pagePath);
    const QByteArray templates = QFile::encodeName(environment_.templatesFolder);
    const QByteArray page = QFile::encodeName(pagePath);
    const QByteArray place = settings.PlaceOfIssue().toUtf8();
    const QByteArray signer = settings.Signer().toUtf8();
    const QByteArray division = settings.InsuranceDivision().toUtf8();
    const QByteArray today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    const PrintRequest request{templates.constData(), page.constData(),     place.constData(),
                               signer.constData(),    division.constData(), today.constData()};
    if (printPage(&request) != 1) return;
    printedPage_ = pagePath;
    if (environment_.showPrintPreview) environment_.showPrintPreview(this, pagePath);
}

QString TfrmMain::writablePrintPagePath() const {
    const QString folder = QFileInfo(environment_.printPagePath).path();
    QDir().mkpath(folder);
    if (QFileInfo(folder).isWritable()) return environment_.printPagePath;
    // An installed program's folder is not the clerk's to write to.
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/htmlTemplates";
    QDir().mkpath(cache);
    return cache + QStringLiteral("/tmp.htm");
}

void TfrmMain::SenvikExecute() {
    const int mode = Settings().TransferMode();
    QMdiSubWindow* active = mdiArea_->currentSubWindow();
    if (!active || !active->widget()) return;
    const QString file = active->widget()->property("caption").toString();
    if (platform::Prompts::current().message(
            this, QStringLiteral("Czy wysłać bieżący plik ?"), QStringLiteral("Komunikat"),
            platform::PromptIcon::Warning,
            platform::PromptButtons::YesNo) != platform::PromptAnswer::Yes)
        return;
    // The document closes by its own rules first; one the clerk keeps open is not sent.
    if (!active->close()) return;
    QStringList arguments;
    for (const std::string& argument : frame::transferArguments(mode, file.toStdString()))
        arguments << QString::fromStdString(argument);
    const QString program = QString::fromUtf8(
        frame::kTransferProgram.data(), static_cast<qsizetype>(frame::kTransferProgram.size()));
    if (environment_.startProgram && environment_.startProgram(program, arguments)) return;
    // The document is closed already: the clerk must know the file did not go.
    platform::showMessage(this,
                          QStringLiteral("Nie można uruchomić programu senvik — plik %1 nie "
                                         "został przekazany do wysłania.")
                              .arg(file),
                          QStringLiteral("Błąd"), platform::PromptIcon::Error);
}

void TfrmMain::SearchExecute() {
    TfrmSearchWnd window(
        [this](const QString& text, bool wholeContent) {
            runCommand([&] { runSearch(text, wholeContent); });
        },
        this);
    window.exec();
}

void TfrmMain::runSearch(const QString& text, bool wholeContent) {
    const auto search = library_.resolve<SearchRecordsFn>("SearchRecords");
    if (search) search(text.toUtf8().constData(), wholeContent ? 1 : 0, &SearchPosition);
}

void TfrmMain::HelpContentsExecute() {
    if (!QFileInfo(environment_.helpPath).isFile()) {
        platform::showMessage(this,
                              QStringLiteral("Plik pomocy %1 nie istnieje!")
                                  .arg(QDir::toNativeSeparators(environment_.helpPath)),
                              QStringLiteral("Błąd"), platform::PromptIcon::Error);
        return;
    }
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    helpWindow_->showManual(environment_.helpPath);
}

void TfrmMain::ArrangeIconExecute() {
    // Minimised windows line up from the bottom left, row above row; the others stay put.
    const QSize area = mdiArea_->viewport()->size();
    int x = 0;
    int bottom = area.height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (!window->isMinimized() || !window->isVisible()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= size.height();
        }
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

void TfrmMain::HideExecute() {
    if (QMdiSubWindow* window = mdiArea_->currentSubWindow()) window->showMinimized();
}

void TfrmMain::ShowExecute() {
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (window->isMinimized()) window->showNormal();
}

void TfrmMain::Timer1Timer() {
    // Not in the middle of a dialog: the save could run into the very window the user is in.
    if (QApplication::activeModalWidget()) return;
    const int minutes = ReadAutoSaveMinutes();
    const int count = childCount();
    const auto active = library_.resolve<GetActiveWndFn>("GetActiveWnd");
    QWidget* window = count != 0 && active ? active() : nullptr;
    // The window shows a change as its caption's mark.
    if (!frame::autoSaveDue(count, count != 0 ? activeClass() : "",
                            window && window->isWindowModified()))
        return;
    runCommand([this] { callWindowCommand("SaveToFile"); });
    const int interval = frame::autoSaveInterval(minutes);
    if (interval > 0)
        timer1_->setInterval(interval);
    else
        timer1_->stop();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    // Each document asks about its changes as it closes; one that stays keeps the frame open.
    mdiArea_->closeAllSubWindows();
    const QList<QMdiSubWindow*> left = mdiArea_->subWindowList();
    if (std::any_of(left.begin(), left.end(), [](QMdiSubWindow* w) { return w->isVisible(); })) {
        event->ignore();
        scheduleUpdate();
        return;
    }
    timer1_->stop();
    for (const QString& page : {environment_.printPagePath, printedPage_})
        if (!page.isEmpty() && QFileInfo::exists(page)) QFile::remove(page);
    library_.unload();
    event->accept();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    // "p" on the frame itself (not in a document, where it is a letter) opens the manual too.
    QWidget* focus = focusWidget();
    const bool onFrame =
        !focus || focus == this || focus == mdiArea_ || focus == mdiArea_->viewport();
    if (onFrame && event->key() == Qt::Key_P && event->modifiers() == Qt::NoModifier) {
        HelpContentsExecute();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) scheduleUpdate();
    QMainWindow::changeEvent(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdiArea_->viewport() &&
        (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved))
        scheduleUpdate();
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tavik
