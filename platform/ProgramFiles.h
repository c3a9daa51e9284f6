#pragma once

#include <QString>

namespace tavik::platform {

// The folder of the running program.
QString programFolder();

// A file that ships beside the program ("Help/Tavik.html"): looked up in the program's folder
// first, then in "../share/tavik/". The first place when it is in neither.
QString besideProgram(const QString& relativePath);

}  // namespace tavik::platform
