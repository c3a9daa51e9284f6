#pragma once

#include <QString>

namespace tavik::platform {

// The folder of the running program; without an application object (the command line) it is
// taken from the system.
QString programFolder();

// A file that ships beside the program ("Help/Tavik.html"): looked up in the program's folder
// first, then in "../share/tavik/". The first place when it is in neither.
QString besideProgram(const QString& relativePath);

// The folder of the dictionary the program ships with (one holding "slownik.dic"): "Slowniki"
// beside the program, then in "../share/tavik/" (installed), then in ".." (a build tree, whose
// programs sit one folder below it). Empty when there is none.
QString bundledDictionaryFolder();
QString bundledDictionaryFolder(const QString& programFolder);

}  // namespace tavik::platform
