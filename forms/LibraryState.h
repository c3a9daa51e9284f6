#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "forms/MorvelApi.h"
#include "platform/Settings.h"

namespace tavik {

// What the library keeps for its whole life: its document windows in the order they were
// made, the dictionaries, its settings and the frame that hosts its windows. Built when the
// frame loads the library (attach), destroyed when it unloads it (detach).
class LibraryState {
public:
    static LibraryState& instance();

    // Loads the dictionaries named by the settings; tells the user what fails, and stays not
    // ready then. Attaching again does nothing.
    void attach();
    // Reads the dictionary named by the settings again, after the configuration changed; says
    // nothing (the configuration dialog has told about the folder), but keeps the reason for
    // the next document that cannot be made. Windows made before keep the dictionary they were
    // made with.
    void reloadDictionary();
    // Destroys every window in the order they were made, then the dictionaries and settings.
    void detach();
    bool attached() const { return attached_; }

    // Ready when the dictionary of the settings is loaded: then the settings exist.
    bool ready() const { return ready_; }
    // Why a document window cannot be made now (Polish), for a library that is not ready.
    QString notReadyMessage() const;

    // The dictionary read last. A failed reading keeps the one read before, which open windows
    // may still use.
    const Slownik* dictionary() const { return dictionaries_.dictionary.get(); }
    const SlownikZU* undertakings() const { return dictionaries_.undertakings.get(); }
    const Settings* settings() const { return settings_.get(); }

    DocumentHost* host() const { return host_; }
    void adoptHost(DocumentHost* host);

    // The number a new window gets: its place in the list, which numbers from 0. The window
    // keeps the dictionary it was made with until it is destroyed.
    int addWindow(QWidget* window);
    void removeWindow(QWidget* window);
    int windowCount() const;
    QList<QWidget*> windows() const;

private:
    LibraryState() = default;

    // Reads the dictionary the settings name; `tell` shows a failure at once.
    void load(bool tell);

    bool attached_ = false;
    bool ready_ = false;
    QString failure_;  // why the last reading failed; "" when there was nothing to read
    DictionaryFile dictionaries_;
    std::unique_ptr<Settings> settings_;
    DocumentHost* host_ = nullptr;
    QList<QPointer<QWidget>> windows_;
    // The dictionary each window was made with: its pages look into it.
    QHash<const QObject*, DictionaryFile> inUse_;
};

}  // namespace tavik
