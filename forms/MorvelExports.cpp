// The flat exports of the library, looked up by name by the frame.
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/TfrmData.h"
#include "model/Cp1250.h"
#include "platform/Prompts.h"

#define MORVEL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tavik::LibraryState;
using tavik::TfrmData;

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

template <class Command>
void withDocument(Command command) {
    if (TfrmData* document = activeDocument()) command(*document);
}

}  // namespace

MORVEL_EXPORT void MorvelAttach() {
    LibraryState::instance().attach();
}

MORVEL_EXPORT void MorvelDetach() {
    LibraryState::instance().detach();
}

MORVEL_EXPORT void ReloadDictionary() {
    LibraryState::instance().reloadDictionary();
}

MORVEL_EXPORT void ShowForm(tavik::DocumentHost* host, void*, unsigned char state) {
    TfrmData* window = newDocumentWindow(host);
    if (!window) return;
    window->setCaption(QStringLiteral("Bez nazwy [%1]").arg(window->GetIndex()));
    place(window, state);
}

MORVEL_EXPORT void OpenDocument(tavik::DocumentHost* host, const char* fileName,
                                unsigned char state) {
    const QString path = QString::fromUtf8(fileName ? fileName : "");
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (refusedWithoutDictionary(host)) return;
    if (extension != QStringLiteral("RPA")) return;  // response files open in a later window
    TfrmData* window = newDocumentWindow(host);
    if (!window) return;
    window->setCaption(QStringLiteral("Bez nazwy [%1]").arg(window->GetIndex()));
    place(window, state);
    window->openFile(path);
}

MORVEL_EXPORT QWidget* GetActiveWnd() {
    return activeWindow();
}

MORVEL_EXPORT int GetMDIWndCount() {
    LibraryState& lib = library();
    if (tavik::DocumentHost* host = lib.host(); host && host->documentArea())
        return static_cast<int>(host->documentArea()->subWindowList().size());
    return lib.windowCount();
}

MORVEL_EXPORT void SaveToFile() {
    withDocument([](TfrmData& d) { d.SaveToFile(false); });
}

MORVEL_EXPORT void SaveAsFile() {
    withDocument([](TfrmData& d) { d.SaveToFile(true); });
}

MORVEL_EXPORT void SaveToFiles() {
    withDocument([](TfrmData& d) { d.SaveToFiles(); });
}

MORVEL_EXPORT void DodajFormularzWniosku() {
    withDocument([](TfrmData& d) { d.NewWniosekExecute(); });
}

MORVEL_EXPORT void DodajFormularzAgenta() {
    withDocument([](TfrmData& d) { d.NewAgentExecute(); });
}

MORVEL_EXPORT void DodajFormularzZarzadu() {
    withDocument([](TfrmData& d) { d.NewZarzadExecute(); });
}

MORVEL_EXPORT void DodajFormularzPracownika() {
    withDocument([](TfrmData& d) { d.NewPracExecute(); });
}

MORVEL_EXPORT void DodajFormularzPelnomocnictwa() {
    withDocument([](TfrmData& d) { d.NewPelnomocExecute(); });
}

MORVEL_EXPORT void DodajFormularzPolisyOC() {
    withDocument([](TfrmData& d) { d.NewPolisaExecute(); });
}

MORVEL_EXPORT bool Begin() {
    TfrmData* d = activeDocument();
    return d && d->Begin();
}

MORVEL_EXPORT bool End() {
    TfrmData* d = activeDocument();
    return d && d->End();
}

MORVEL_EXPORT bool Prev() {
    TfrmData* d = activeDocument();
    return d && d->Prev();
}

MORVEL_EXPORT bool Next() {
    TfrmData* d = activeDocument();
    return d && d->Next();
}

MORVEL_EXPORT void ChangeTabView(int kind, const char* caption) {
    const QString text = QString::fromStdString(tavik::cp1250::toUtf8(caption ? caption : ""));
    withDocument([&](TfrmData& d) { d.ChangeTabView(kind, text); });
}

MORVEL_EXPORT void ExportFile() {
    withDocument([](TfrmData& d) { d.ExportFile(); });
}

MORVEL_EXPORT void ImportFile() {
    withDocument([](TfrmData& d) { d.ImportFile(); });
}

MORVEL_EXPORT int ChangeUI() {
    return 1;
}
