#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "forms/MorvelApi.h"
#include "platform/SystemInfo.h"
#include "platform/WindowMessages.h"
#include "shell/FrameCommandRules.h"
#include "shell/MorvelBinding.h"

class QAction;
class QMdiArea;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;

namespace tavik {

class HelpWindow;
class TAboutBox;

// What the frame finds outside itself. The program takes the standard one; tests give theirs.
struct FrameEnvironment {
    QString libraryPath;      // the morvel library
    QString helpPath;         // the manual
    QString printPagePath;    // the temporary print page, removed when the frame closes
    QString templatesFolder;  // the print templates
    // Opens the configuration dialog modally over `parent`; true when it was accepted.
    std::function<bool(QWidget* parent)> showKonfig;
    // Starts a program detached, without a window and without waiting; false when it cannot be
    // started.
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;
    // Shows a filled page in the print preview, modally over `parent`.
    std::function<void(QWidget* parent, const QString& pagePath)> showPrintPreview;
    // What the About box tells of the computer; none: the running system.
    std::shared_ptr<const platform::SystemSource> systemSource;

    // Beside the program, and the real configuration dialog.
    static FrameEnvironment standard();
};

// The frame window of the program: the menus, the toolbars and the commands around the document
// windows, which the morvel library makes and keeps. The frame holds no document: each document
// command is a call of one export of the library, loaded at the first command that needs it.
class TfrmMain : public QMainWindow, public DocumentHost, public platform::MessageReceiver {
    Q_OBJECT
public:
    explicit TfrmMain(FrameEnvironment environment = FrameEnvironment::standard(),
                      QWidget* parent = nullptr);
    ~TfrmMain() override;

    // What the library's windows borrow.
    QMdiArea* documentArea() override { return mdiArea_; }
    QStatusBar* statusBar() override;
    QWidget* hostWindow() override { return this; }

    // "ZMIANA WEZLA" and "WNIOSKI" from the application windows; "WNIOSEK" is registered and
    // ignored.
    void receiveMessage(unsigned message, qintptr wParam, qintptr lParam) override;

    const MorvelBinding& library() const { return library_; }
    // Where the next step of the search starts, kept across documents and search windows.
    long long searchPosition() const { return SearchPosition; }

    unsigned MsgWniosek() const { return msgWniosek_; }
    unsigned MsgZmianaWezla() const { return msgZmianaWezla_; }
    unsigned MsgWnioski() const { return msgWnioski_; }

    // The update handlers of the commands; run whenever what they look at may have changed.
    void UpdateActions();
    // A tick of the automatic saving.
    void Timer1Timer();

    // Opens files named on the command line or handed over by a later start, each as its kind
    // wants: an application file and a response in their windows, a text file imported into a
    // new document. The frame comes to the front.
    void openFiles(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The toolbars follow the documents; they are not the user's to show or hide.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    QAction* makeAction(const char* name, const QString& caption, const QString& hint,
                        int iconNumber = -1);
    QAction* standIn(QAction* command, const char* name, const QString& caption,
                     const QString& hint = {});
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void startAutoSave();
    void openConfigurationAtStart();

    // Runs a command; what it raises is shown as the framework's default handler would.
    void runCommand(const std::function<void()>& command);
    void scheduleUpdate();
    void apply(const frame::CommandSwitches& switches);

    // The library's view of its windows; 0 and "" while it is not loaded.
    int childCount();
    const char* activeClass();
    // Calls a window command of the library, when it is loaded and has it.
    void callWindowCommand(const char* exportName);

    void NewWindowExecute();
    void OpenDocExecute();
    void ImportExecute();
    void ShowKonfigExecute();
    void SearchExecute();
    void PrintExecute();
    void SenvikExecute();
    // The print page where it can be written: beside the program, else in the user's cache.
    QString writablePrintPagePath() const;
    // One search of the search window, run in the library's active window.
    void runSearch(const QString& text, bool wholeContent);
    void HelpContentsExecute();
    void ArrangeIconExecute();
    void HideExecute();
    void ShowExecute();

    FrameEnvironment environment_;
    MorvelBinding library_;
    unsigned msgWniosek_ = 0;
    unsigned msgZmianaWezla_ = 0;
    unsigned msgWnioski_ = 0;
    static constexpr unsigned char InitialWindowState = wsNormal;
    long long SearchPosition = 0;
    QString printedPage_;  // the page written last, removed when the frame closes

    QMdiArea* mdiArea_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    QToolBar* toolBar1_ = nullptr;
    QToolBar* toolBar2_ = nullptr;
    QToolBar* toolBar4_ = nullptr;
    QMenu* menuPlik_ = nullptr;
    QMenu* menuEdycja_ = nullptr;
    QMenu* menuNarzedzia_ = nullptr;
    QMenu* menuOkno_ = nullptr;
    QMenu* menuPomoc_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* updateTimer_ = nullptr;
    QPointer<HelpWindow> helpWindow_;
    TAboutBox* aboutBox_ = nullptr;

    // The command table.
    QAction* NewWindow = nullptr;
    QAction* OpenDoc = nullptr;
    QAction* SaveFile = nullptr;
    QAction* SaveAs = nullptr;
    QAction* Print = nullptr;
    QAction* Close = nullptr;
    QAction* AddWniosek = nullptr;
    QAction* AddAgent = nullptr;
    QAction* AddZarzad = nullptr;
    QAction* AddPracownik = nullptr;
    QAction* AddPolisa = nullptr;
    QAction* AddPelnomoc = nullptr;
    QAction* Import = nullptr;
    QAction* Export = nullptr;
    QAction* CheckDocument = nullptr;
    QAction* Senvik = nullptr;
    QAction* acWnioski = nullptr;
    QAction* ShowKonfig = nullptr;
    QAction* Search = nullptr;
    QAction* Cascade = nullptr;
    QAction* Tile = nullptr;
    QAction* ArrangeIcon = nullptr;
    // Menu items of the frame's own.
    QAction* miUkryj = nullptr;
    QAction* miPokaz = nullptr;
    QAction* miOpisProgramu = nullptr;
    QAction* miZakonczenie = nullptr;
    QAction* ShowAbouBox = nullptr;
};

}  // namespace tavik
