// Renders the program's picture into the desktop's icon theme: FOLDER/NxN/apps/NAME.png for every
// size a desktop asks for. The picture is the one the frame shows, drawn by the program.

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "flatpaint/IconLibrary.h"

int main(int argc, char* argv[]) {
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "użycie: tavik-make-icons KATALOG NAZWA\n");
        return 2;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        const QString file = folder + QLatin1Char('/') + args[2] + QStringLiteral(".png");
        if (!QDir().mkpath(folder) ||
            !tavik::icons::pixmap(tavik::icons::kProgram, size).save(file, "PNG")) {
            std::fprintf(stderr, "Nie można zapisać pliku %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
