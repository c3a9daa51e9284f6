#include <QApplication>

#include "flatpaint/IconLibrary.h"
#include "platform/QtPrompts.h"
#include "shell/TfrmMain.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavik"));
    QApplication::setWindowIcon(tavik::icons::icon(tavik::icons::kProgram));
    tavik::platform::installWidgetPromptsAsDefault();

    tavik::TfrmMain frame;
    frame.show();
    return QApplication::exec();
}
