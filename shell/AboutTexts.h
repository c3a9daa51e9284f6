#pragma once

#include <QString>

#include "platform/SystemInfo.h"

// The texts of the About box, made without widgets.
namespace tavik {

// One text for each label of the box, under the label's name.
struct AboutTexts {
    QString Label1;    // the system
    QString Label2;    // the kernel's release
    QString Label3;    // the kernel's build
    QString Label4;    // the program's version
    QString lPhysMem;  // the physical memory
    QString FreeRes;   // the memory in use

    bool operator==(const AboutTexts&) const = default;
};

// What Label4 says until the program's version is known.
inline const QString kNoProgramVersion = QStringLiteral("Wersja 2.0.");

// The texts of `figures`; a null or empty `programVersion` leaves Label4 as kNoProgramVersion.
AboutTexts aboutTexts(const platform::SystemFigures& figures, const char* programVersion);

// The memory in whole kilobytes (bytes / 1024), thousands apart: "16 303 512 KB". The groups
// are kept together by no-break spaces, so that the number never breaks over two lines.
QString memoryText(quint64 bytes);

// The part of the memory in use: "Wolna pamięć: 42 %". The label has always said "free
// memory" over the load; the clerks know it so.
QString memoryLoadText(int percent);

}  // namespace tavik
