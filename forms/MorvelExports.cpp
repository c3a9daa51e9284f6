// The flat exports of the library, looked up by name by the frame.
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <cstddef>
#include <string>

#include "document/DocumentSearch.h"
#include "document/PrintJob.h"
#include "flatpaint/FlatPainterManager.h"
#include "forms/FieldControls.h"
#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/RecordTreeWindow.h"
#include "forms/TfrmData.h"
#include "forms/TfrmOdpowiedz.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileStreams.h"
#include "model/MessageText.h"
#include "model/TextValues.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

#define MORVEL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tavik::LibraryState;
using tavik::TfrmData;
using tavik::TfrmOdpowiedz;

LibraryState& library() {
    LibraryState& state = LibraryState::instance();
    state.attach();  // a frame that forgot to attach gets the state all the same
    return state;
}

// Puts a new window where the frame keeps its documents, numbered and shown.
void place(QWidget* window, unsigned char state) {
    LibraryState& lib = library();
    tavik::DocumentHost* host = lib.host();
    QWidget* shown = window;
    if (host && host->documentArea()) {
        QMdiArea* area = host->documentArea();
        QMdiSubWindow* sub = area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // A document opens filling the frame's area, so that its pages are seen whole.
        sub->resize(area->viewport()->size().expandedTo(QSize(640, 420)));
        shown = sub;
    }
    switch (state) {
        case tavik::wsMinimized: shown->showMinimized(); break;
        case tavik::wsMaximized: shown->showMaximized(); break;
        default: shown->show(); break;
    }
}

QWidget* activeWindow() {
    LibraryState& lib = library();
    if (tavik::DocumentHost* host = lib.host(); host && host->documentArea()) {
        QMdiArea* area = host->documentArea();
        if (area->subWindowList().isEmpty()) return nullptr;
        QMdiSubWindow* current = area->currentSubWindow();
        return current ? current->widget() : nullptr;
    }
    // Without a frame: the active one of ours, else the newest.
    const QList<QWidget*> windows = lib.windows();
    for (QWidget* w : windows)
        if (w->isActiveWindow()) return w;
    return windows.isEmpty() ? nullptr : windows.last();
}

TfrmData* activeDocument() {
    return qobject_cast<TfrmData*>(activeWindow());
}

// Without a dictionary no window is made: the command is refused with what to do, and the
// program goes on, with the documents already open.
bool refusedWithoutDictionary(tavik::DocumentHost* host) {
    LibraryState& lib = library();
    lib.adoptHost(host);
    if (lib.ready()) return false;
    QWidget* owner = lib.host() ? lib.host()->hostWindow() : nullptr;
    tavik::platform::showMessage(owner, lib.notReadyMessage(), QStringLiteral("Błąd"),
                                 tavik::platform::PromptIcon::Error);
    return true;
}

// Makes a document window; one that could not be made has told why and goes.
TfrmData* newDocumentWindow(tavik::DocumentHost* host) {
    if (refusedWithoutDictionary(host)) return nullptr;
    LibraryState& lib = library();
    auto* window = new TfrmData;
    if (!window->isReady()) {
        delete window;
        return nullptr;
    }
    const int number = lib.addWindow(window);
    window->SetIndex(number);
    return window;
}

// A response window is filled before it is shown: one that cannot read its file has told
// why and is gone.
void openResponse(const QString& path, unsigned char state) {
    LibraryState& lib = library();
    QPointer<TfrmOdpowiedz> window = new TfrmOdpowiedz;
    window->SetIndex(lib.addWindow(window));
    const std::string code = tavik::forms::cp1250Of(lib.settings()->UndertakingCode());
    if (window->LoadResponse(path, code)) place(window, state);
}

template <class Command>
void withDocument(Command command) {
    if (TfrmData* document = activeDocument()) command(*document);
}

// Shows a failure that reached an export, over the frame when there is one.
void showFailure(const QString& text) noexcept {
    try {
        QWidget* parent = nullptr;
        if (tavik::DocumentHost* host = LibraryState::instance().host())
            parent = host->hostWindow();
        tavik::platform::showMessage(parent, text, QStringLiteral("Błąd"),
                                     tavik::platform::PromptIcon::Error);
    } catch (...) {
        // Nothing more can be said; the frame must not see the exception either.
    }
}

// Runs an export's body. An exception must not cross the extern "C" boundary into the frame:
// it becomes a message box ("Błąd", error icon) and the export returns `fallback`.
template <class Result, class Body>
Result guarded(Result fallback, Body body) noexcept {
    try {
        return body();
    } catch (const tavik::Exception& e) {
        showFailure(QString::fromStdString(e.message()));
    } catch (...) {
        try {
            showFailure(QString::fromStdString(tavik::unexpectedFailureText()));
        } catch (...) {
        }
    }
    return fallback;
}

template <class Body>
void guarded(Body body) noexcept {
    guarded(0, [&] {
        body();
        return 0;
    });
}

}  // namespace

MORVEL_EXPORT void MorvelAttach() {
    guarded([&] { LibraryState::instance().attach(); });
}

MORVEL_EXPORT void MorvelDetach() {
    guarded([&] {
        LibraryState::instance().detach();
        tavik::flatpaint::releaseFlatLookMadeHere();
    });
}

MORVEL_EXPORT void ReloadDictionary() {
    LibraryState::instance().reloadDictionary();
}

MORVEL_EXPORT void ShowForm(tavik::DocumentHost* host, void*, unsigned char state) {
    guarded([&] {
        TfrmData* window = newDocumentWindow(host);
        if (!window) return;
        window->setCaption(QStringLiteral("Bez nazwy [%1]").arg(window->GetIndex()));
        place(window, state);
    });
}

MORVEL_EXPORT void OpenDocument(tavik::DocumentHost* host, const char* fileName,
                                unsigned char state) {
    guarded([&] {
        const QString path = QString::fromUtf8(fileName ? fileName : "");
        const QString extension = QFileInfo(path).suffix().toUpper();
        if (refusedWithoutDictionary(host)) return;
        if (extension == QStringLiteral("COA")) {
            openResponse(path, state);
            return;
        }
        if (extension != QStringLiteral("RPA")) return;
        TfrmData* window = newDocumentWindow(host);
        if (!window) return;
        window->setCaption(QStringLiteral("Bez nazwy [%1]").arg(window->GetIndex()));
        place(window, state);
        window->openFile(path);
    });
}

MORVEL_EXPORT QWidget* GetActiveWnd() {
    return guarded(static_cast<QWidget*>(nullptr), [&]() -> QWidget* { return activeWindow(); });
}

MORVEL_EXPORT int GetMDIWndCount() {
    return guarded(0, [&]() -> int {
        LibraryState& lib = library();
        if (tavik::DocumentHost* host = lib.host(); host && host->documentArea())
            return static_cast<int>(host->documentArea()->subWindowList().size());
        return lib.windowCount();
    });
}

MORVEL_EXPORT void SaveToFile() {
    guarded([&] { withDocument([](TfrmData& d) { d.SaveToFile(false); }); });
}

MORVEL_EXPORT void SaveAsFile() {
    guarded([&] { withDocument([](TfrmData& d) { d.SaveToFile(true); }); });
}

MORVEL_EXPORT void SaveToFiles() {
    guarded([&] { withDocument([](TfrmData& d) { d.SaveToFiles(); }); });
}

MORVEL_EXPORT void DodajFormularzWniosku() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewWniosekExecute(); }); });
}

MORVEL_EXPORT void DodajFormularzAgenta() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewAgentExecute(); }); });
}

MORVEL_EXPORT void DodajFormularzZarzadu() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewZarzadExecute(); }); });
}

MORVEL_EXPORT void DodajFormularzPracownika() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewPracExecute(); }); });
}

MORVEL_EXPORT void DodajFormularzPelnomocnictwa() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewPelnomocExecute(); }); });
}

MORVEL_EXPORT void DodajFormularzPolisyOC() {
    guarded([&] { withDocument([](TfrmData& d) { d.NewPolisaExecute(); }); });
}

MORVEL_EXPORT bool Begin() {
    return guarded(false, [&]() -> bool {
        TfrmData* d = activeDocument();
        return d && d->Begin();
    });
}

MORVEL_EXPORT bool End() {
    return guarded(false, [&]() -> bool {
        TfrmData* d = activeDocument();
        return d && d->End();
    });
}

MORVEL_EXPORT bool Prev() {
    return guarded(false, [&]() -> bool {
        TfrmData* d = activeDocument();
        return d && d->Prev();
    });
}

MORVEL_EXPORT bool Next() {
    return guarded(false, [&]() -> bool {
        TfrmData* d = activeDocument();
        return d && d->Next();
    });
}

MORVEL_EXPORT void ChangeTabView(int kind, const char* caption) {
    guarded([&] {
        const QString text = QString::fromStdString(tavik::cp1250::toUtf8(caption ? caption : ""));
        withDocument([&](TfrmData& d) { d.ChangeTabView(kind, text); });
    });
}

MORVEL_EXPORT void ExportFile() {
    guarded([&] { withDocument([](TfrmData& d) { d.ExportFile(); }); });
}

MORVEL_EXPORT void CheckDocument() {
    guarded([&] { withDocument([](TfrmData& d) { d.showProblems(); }); });
}

MORVEL_EXPORT void ImportFile() {
    guarded([&] { withDocument([](TfrmData& d) { d.ImportFile(); }); });
}

MORVEL_EXPORT void ImportNamedFile(const char* fileNameUtf8) {
    guarded([&] {
        withDocument([&](TfrmData& d) { d.ImportFiles({QString::fromUtf8(fileNameUtf8)}); });
    });
}

MORVEL_EXPORT int SearchRecords(const char* textUtf8, int wholeContent, long long* position) {
    return guarded(0, [&]() -> int {
        // Any window with a record tree: the document window and the response window alike.
        auto* window = dynamic_cast<tavik::RecordTreeWindow*>(activeWindow());
        if (!window) return 0;
        const std::string_view typed = textUtf8 ? textUtf8 : "";
        const std::string text = tavik::searchTextOf(typed);
        // A text the code page cannot write is in no record; searched as the empty text it
        // becomes, it would be found in every one. The empty text itself finds the next record.
        if (text.empty() && !tavik::trimmed(typed).empty()) return 0;
        const tavik::DocumentTree& tree = window->recordTree();
        tavik::TreeNode* found = nullptr;
        if (wholeContent != 0) {
            found = tavik::findFirst(tree, text);
        } else {
            if (!position || !window->selectedNode()) return 0;
            std::size_t at = *position > 0 ? static_cast<std::size_t>(*position) : 0;
            found = tavik::findNext(tree, text, at);
            *position = static_cast<long long>(at);
        }
        if (!found) return 0;
        window->select(found);
        return 1;
    });
}

// The selected application of the active document window, filled into the template of its kind
// and written to the page file. Nothing (0) without a document window or a selected application
// that can be printed; a template or page that cannot be read or written is told.
MORVEL_EXPORT int PrintPage(const tavik::PrintRequest* request) {
    return guarded(0, [&]() -> int {
        TfrmData* document = activeDocument();
        tavik::TreeNode* node = document ? document->selectedNode() : nullptr;
        if (!request || !node || tavik::printRefusal(*node)) return 0;
        const tavik::PrintSettings settings{request->place, request->signer, request->division,
                                            request->today};
        const std::string page =
            tavik::printedApplication(request->templatesFolder, *node, settings);
        std::string reason;
        if (!tavik::writeWholeFile(request->pagePath, page, &reason))
            throw tavik::Exception("Nie można zapisać pliku " + std::string(request->pagePath) +
                                   ": " + reason + ".");
        return 1;
    });
}

// The windows follow the configured look; a host that has switched it already sees no change.
MORVEL_EXPORT int ChangeUI() {
    guarded([&] { tavik::flatpaint::applyFlatLook(!tavik::Settings().ClassicUi()); });
    return 1;
}
