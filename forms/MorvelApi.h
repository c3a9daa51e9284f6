#pragma once

// The exports of the morvel library as the frame looks them up by name. Texts that are record
// contents cross as code page 1250; file names as the file system writes them (UTF-8).

#include <QWidget>
#include <cstring>

class QMdiArea;
class QStatusBar;

namespace tavik {

// What the frame lends the library's windows: the area they live in as children, the status
// bar they write their progress to, and the window their dialogs belong to.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual QMdiArea* documentArea() = 0;
    virtual QStatusBar* statusBar() = 0;
    virtual QWidget* hostWindow() = 0;
};

enum WindowState : unsigned char { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// What the frame gives for printing the selected application: where the templates are, the file
// the page goes to (file names as the file system writes them), the settings' place of issue,
// signer and insurance division (UTF-8) and today's date (yyyy-mm-dd).
struct PrintRequest {
    const char* templatesFolder;
    const char* pagePath;
    const char* place;
    const char* signer;
    const char* division;
    const char* today;
};

// The class name of a window the library returns ("TfrmData", "TfrmOdpowiedz"), without its
// namespace; "" for none.
inline const char* morvelWindowClass(const QWidget* window) {
    if (!window) return "";
    const char* name = window->metaObject()->className();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

}  // namespace tavik

extern "C" {
// Called by the frame right after loading the library and right before unloading it: the
// library builds its state (dictionaries, settings) and destroys its windows there.
using MorvelAttachFn = void (*)();
using MorvelDetachFn = void (*)();
// Called by the frame after the configuration was accepted: the library reads its dictionary
// again, so that documents can be made without a restart.
using ReloadDictionaryFn = void (*)();

using ShowFormFn = void (*)(tavik::DocumentHost* host, void* ignored, unsigned char state);
using OpenDocumentFn = void (*)(tavik::DocumentHost* host, const char* fileName,
                                unsigned char state);
using GetActiveWndFn = QWidget* (*)();
using GetMDIWndCountFn = int (*)();
using WindowCommandFn = void (*)();  // SaveToFile, SaveAsFile, SaveToFiles, DodajFormularz…,
                                     // ExportFile, ImportFile
using NavigationFn = bool (*)();     // Begin, End, Prev, Next
using ChangeTabViewFn = void (*)(int kind, const char* caption);
using ChangeUIFn = int (*)();
// The import window of the active application window over one text file (UTF-8 path).
using ImportNamedFileFn = void (*)(const char* fileName);
// 1 when the page was written; 0 when there is nothing to print.
using PrintPageFn = int (*)(const tavik::PrintRequest* request);
// Searches the records of the active document or response window for a text (UTF-8) and selects
// the node found; 1 when one was selected. With `wholeContent` the first match from the top is
// selected and `position` is left alone; otherwise the search steps on from `position` (an index
// in tree order, which the frame keeps for the whole program) and writes the new one back. A
// step needs a selected node in the window.
using SearchRecordsFn = int (*)(const char* textUtf8, int wholeContent, long long* position);
}
