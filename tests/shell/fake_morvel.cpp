// A stand-in for the morvel library in the frame's tests: the same exports, each call written
// as one line to the file that FAKE_MORVEL_LOG names, and document windows that are plain
// widgets of the classes the frame asks about.

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "forms/MorvelApi.h"
#include "platform/WindowMessages.h"

namespace {

tavik::DocumentHost* host = nullptr;
bool refuseClose = false;

void log(const QString& line) {
    const QString path = qEnvironmentVariable("FAKE_MORVEL_LOG");
    if (path.isEmpty()) return;
    QFile file(path);
    if (file.open(QIODevice::Append)) file.write(line.toUtf8() + '\n');
}

class FakeWindow : public QWidget {
public:
    FakeWindow() {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edit"));
        (new QVBoxLayout(this))->addWidget(edit);
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuseClose)
            event->ignore();
        else
            QWidget::closeEvent(event);
    }
};

class TfrmData : public FakeWindow {
    Q_OBJECT
};

class TfrmOdpowiedz : public FakeWindow {
    Q_OBJECT
};

template <typename Window>
void makeWindow(tavik::DocumentHost* h, const QString& title) {
    host = h;
    auto* window = new Window;
    window->setWindowTitle(title);
    QMdiSubWindow* sub = host->documentArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(300, 200);
    sub->show();
}

QList<QMdiSubWindow*> windows() {
    return host ? host->documentArea()->subWindowList() : QList<QMdiSubWindow*>();
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
    makeWindow<TfrmData>(h, QStringLiteral("Bez nazwy [%1]").arg(windows().size()));
}
#endif

Q_DECL_EXPORT void OpenDocument(tavik::DocumentHost* h, const char* fileName, unsigned char state) {
    const QString name = QString::fromUtf8(fileName);
    log(QStringLiteral("OpenDocument %1 %2").arg(name).arg(state));
    const QString extension = QFileInfo(name).suffix().toUpper();
    if (extension == QLatin1String("RPA")) makeWindow<TfrmData>(h, name);
    if (extension == QLatin1String("COA")) makeWindow<TfrmOdpowiedz>(h, name);
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
FAKE_COMMAND(ImportFile)

// What a test makes the library do.
Q_DECL_EXPORT void FakeMorvelSend(const char* message, qintptr wParam, qintptr lParam) {
    tavik::platform::sendToMainWindow(
        tavik::platform::registerWindowMessage(QString::fromLatin1(message)), wParam, lParam);
}

Q_DECL_EXPORT void FakeMorvelRefuseClose(bool refuse) {
    refuseClose = refuse;
}
}

#include "fake_morvel.moc"
