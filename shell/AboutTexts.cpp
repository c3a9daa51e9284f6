#include "shell/AboutTexts.h"

namespace tavik {

AboutTexts aboutTexts(const platform::SystemFigures& figures, const char* programVersion) {
    AboutTexts texts;
    texts.Label1 = QStringLiteral("OS: ") +
                   (figures.prettyName.isEmpty() ? QStringLiteral("Linux") : figures.prettyName);
    texts.Label2 = QStringLiteral("Wersja: ") + figures.kernelRelease;
    texts.Label3 = QStringLiteral("Kompilacja: ") + figures.kernelBuild;
    texts.Label4 = programVersion && *programVersion
                       ? QStringLiteral("Wersja programu: ") + QString::fromUtf8(programVersion)
                       : kNoProgramVersion;
    texts.lPhysMem = memoryText(figures.physicalMemoryBytes);
    texts.FreeRes = memoryLoadText(figures.memoryLoadPercent);
    return texts;
}

QString memoryText(quint64 bytes) {
    const QString digits = QString::number(bytes >> 10);
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += QChar(0x00A0);
        grouped += digits[i];
    }
    return grouped + QStringLiteral(" KB");
}

QString memoryLoadText(int percent) {
    return QStringLiteral("Wolna pamięć: %1 %").arg(percent);
}

}  // namespace tavik
