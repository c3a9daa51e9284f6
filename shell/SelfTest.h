#pragma once

#include <QString>
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
// TAVIK_SELFTEST is set, with its exit code; nothing otherwise. Needs the application object.
std::optional<int> selfTestIfAsked();

}  // namespace tavik
