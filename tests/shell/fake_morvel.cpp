// A stand-in for the morvel library: each call is a line of the file FAKE_MORVEL_LOG names.

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "forms/MorvelApi.h"
#include "platform/WindowMessages.h"

namespace {

tavik::DocumentHost* host = nullptr;

void log(const QString& line) {
    QFile file(qEnvironmentVariable("FAKE_MORVEL_LOG"));
    if (!file.fileName().isEmpty() && file.open(QIODevice::Append))
        file.write(line.toUtf8() + '\n');
}

// Plain widgets of the classes the frame asks about.
class TfrmData : public QWidget {
    Q_OBJECT
};
class TfrmOdpowiedz : public QWidget {
    Q_OBJECT
};

QList<QMdiSubWindow*> windows() {
    return host ? host->documentArea()->subWindowList() : QList<QMdiSubWindow*>();
}

template <typename Window>
void makeWindow(tavik::DocumentHost* h) {
    host = h;
    QMdiSubWindow* sub = host->documentArea()->addSubWindow(new Window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
}

}  // namespace

extern "C" {

Q_DECL_EXPORT void MorvelDetach() {
    log(QStringLiteral("MorvelDetach"));
    qDeleteAll(windows());
    host = nullptr;
}

#ifndef FAKE_MORVEL_WITHOUT_ATTACH
Q_DECL_EXPORT void MorvelAttach() {
    log(QStringLiteral("MorvelAttach"));
}
#endif

#ifndef FAKE_MORVEL_WITHOUT_SHOWFORM
Q_DECL_EXPORT void ShowForm(tavik::DocumentHost* h, void* ignored, unsigned char state) {
    log(QStringLiteral("ShowForm %1 %2").arg(*static_cast<quint32*>(ignored)).arg(state));
    makeWindow<TfrmData>(h);
}
#endif

Q_DECL_EXPORT void OpenDocument(tavik::DocumentHost* h, const char* fileName, unsigned char state) {
    const QString name = QString::fromUtf8(fileName);
    log(QStringLiteral("OpenDocument %1 %2").arg(name).arg(state));
    const QString extension = QFileInfo(name).suffix().toUpper();
    if (extension == QLatin1String("RPA")) makeWindow<TfrmData>(h);
    if (extension == QLatin1String("COA")) makeWindow<TfrmOdpowiedz>(h);
}

Q_DECL_EXPORT QWidget* GetActiveWnd() {
    QMdiSubWindow* current = host ? host->documentArea()->currentSubWindow() : nullptr;
    return current ? current->widget() : nullptr;
}

Q_DECL_EXPORT int GetMDIWndCount() {
    return static_cast<int>(windows().size());
}

#define FAKE_COMMAND(name)          \
    Q_DECL_EXPORT void name() {     \
        log(QStringLiteral(#name)); \
    }
FAKE_COMMAND(SaveToFile)
FAKE_COMMAND(SaveAsFile)
FAKE_COMMAND(SaveToFiles)
FAKE_COMMAND(DodajFormularzWniosku)
FAKE_COMMAND(DodajFormularzAgenta)
FAKE_COMMAND(DodajFormularzZarzadu)
FAKE_COMMAND(DodajFormularzPracownika)
FAKE_COMMAND(DodajFormularzPelnomocnictwa)
FAKE_COMMAND(DodajFormularzPolisyOC)
FAKE_COMMAND(ExportFile)
FAKE_COMMAND(CheckDocument)
FAKE_COMMAND(ImportFile)
FAKE_COMMAND(ReloadDictionary)

// Each step moves the position on by 5; the whole content leaves it.
Q_DECL_EXPORT int SearchRecords(const char* text, int wholeContent, long long* position) {
    log(QStringLiteral("SearchRecords %1 %2 %3")
            .arg(QString::fromUtf8(text))
            .arg(wholeContent)
            .arg(*position));
    if (!wholeContent) *position += 5;
    return 1;
}

Q_DECL_EXPORT void ImportNamedFile(const char* fileName) {
    log(QStringLiteral("ImportNamedFile %1").arg(QString::fromUtf8(fileName)));
}

Q_DECL_EXPORT void FakeMorvelSend(const char* message, qintptr wParam, qintptr lParam) {
    tavik::platform::sendToMainWindow(
        tavik::platform::registerWindowMessage(QString::fromLatin1(message)), wParam, lParam);
}
}

#include "fake_morvel.moc"
