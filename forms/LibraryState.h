#pragma once

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
    // Destroys every window in the order they were made, then the dictionaries and settings.
    void detach();
    bool attached() const { return attached_; }

    // Ready when the dictionaries are loaded: then the settings exist.
    bool ready() const { return settings_ != nullptr; }
    const Slownik* dictionary() const { return dictionaries_.dictionary.get(); }
    const SlownikZU* undertakings() const { return dictionaries_.undertakings.get(); }
    const Settings* settings() const { return settings_.get(); }

    DocumentHost* host() const { return host_; }
    void adoptHost(DocumentHost* host);

    // The number a new window gets: its place in the list, which numbers from 0.
    int addWindow(QWidget* window);
    void removeWindow(QWidget* window);
    int windowCount() const;
    QList<QWidget*> windows() const;

private:
    LibraryState() = default;

    bool attached_ = false;
    DictionaryFile dictionaries_;
    std::unique_ptr<Settings> settings_;
    DocumentHost* host_ = nullptr;
    QList<QPointer<QWidget>> windows_;
};

}  // namespace tavik
