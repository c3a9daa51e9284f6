#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace tavik {

// The files an installed program works with, as the frame finds them.
struct InstalledPlaces {
    QString libraryPath;       // the morvel library
    QString dictionaryFolder;  // the settings' dictionary folder
    QString helpPath;          // the manual
    QString templatesFolder;   // the print templates
};

// Checks each place, a line each ("Biblioteka: …", "Słownik: …", "Pomoc: …", "Szablony: …"):
// the path when it serves, else why not. The library is loaded and unloaded, the dictionary
// read. 0 when every place serves, 1 otherwise.
int selfTest(const InstalledPlaces& places, QTextStream& out);

// The check of the running program's places on standard output when the environment variable
// TAVIK_SELFTEST is set, with its exit code; nothing otherwise. Then, when they serve, `files`
// are opened in a frame as a start with them would ("Otwarte: " and the caption of each window
// made; every box's text as "Komunikat: "; a dialog such as the import window is named by
// "Okno: " and accepted), and 1 is returned unless each made a window. Needs the application
// object.
std::optional<int> selfTestIfAsked(const QStringList& files = {});

}  // namespace tavik
