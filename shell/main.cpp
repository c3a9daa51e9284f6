#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "flatpaint/IconLibrary.h"
#include "platform/QtPrompts.h"
#include "shell/TfrmMain.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavik"));
    QApplication::setWindowIcon(tavik::icons::icon(tavik::icons::kProgram));
    // The program speaks Polish whatever the desktop's language: Qt's own dialogs too.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    tavik::platform::installWidgetPromptsAsDefault();

    tavik::TfrmMain frame;
    frame.show();
    return QApplication::exec();
}
