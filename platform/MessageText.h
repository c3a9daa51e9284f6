#pragma once

#include <QString>

namespace tavik::platform {

// A message box's text as it may be shown: control characters escaped as the command line
// escapes them ("\x1B"), so that a file cannot bring them into a box raw.
QString showableText(const QString& text);

}  // namespace tavik::platform
