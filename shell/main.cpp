#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "flatpaint/IconLibrary.h"
#include "platform/QtPrompts.h"
#include "shell/SelfTest.h"
#include "shell/SingleInstance.h"
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

    // Files named on the command line, as a file manager passes them; relative to where the
    // program was started.
    QStringList files;
    for (const QString& argument : QApplication::arguments().mid(1))
        files << QFileInfo(argument).absoluteFilePath();
    if (const auto code = tavik::selfTestIfAsked(files)) return *code;
    const QString socketName = tavik::instanceSocketName();
    if (tavik::handToRunningInstance(socketName, files)) return 0;

    tavik::TfrmMain frame;
    tavik::InstanceServer instances;
    instances.listen(socketName);  // without it every start is a program of its own, as before
    QObject::connect(&instances, &tavik::InstanceServer::filesReceived, &frame,
                     &tavik::TfrmMain::openFiles);
    frame.show();
    if (!files.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, files] { frame.openFiles(files); });
    return QApplication::exec();
}
