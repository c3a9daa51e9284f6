#pragma once

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QString>
#include <QTabWidget>
#include <string>

#include "document/NodeSelection.h"
#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/TfrmData.h"
#include "model/Cp1250.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"
#include "tools/samples/SampleDocuments.h"

extern "C" {
void ShowForm(tavik::DocumentHost*, void*, unsigned char);
void OpenDocument(tavik::DocumentHost*, const char*, unsigned char);
QWidget* GetActiveWnd();
}

namespace tavik::test {

// A part of a window found by its name, as the clerk knows it; a missing one fails the test.
template <class Part>
Part* part(QObject* window, const char* name) {
    auto* found = window->findChild<Part*>(QString::fromLatin1(name));
    if (!found) qFatal("%s: no such part", name);
    return found;
}
inline QAction* action(QObject* window, const char* name) {
    return part<QAction>(window, name);
}

// A record's field as the controls show it.
inline QString text(const Field& field) {
    return QString::fromStdString(cp1250::toUtf8(field.view()));
}
template <class... Fields>
QStringList texts(const Fields&... fields) {
    return {text(fields)...};
}

// What controls show, in one list to compare whole: an edit's or a label's text, a list's entry.
inline QStringList shown(std::initializer_list<const QWidget*> controls) {
    QStringList out;
    for (const QWidget* w : controls)
        if (auto* edit = qobject_cast<const QLineEdit*>(w))
            out << edit->text();
        else if (auto* list = qobject_cast<const QComboBox*>(w))
            out << list->currentText();
        else if (auto* label = qobject_cast<const QLabel*>(w))
            out << label->text();
        else
            qFatal("%s: no text to show", qPrintable(w->objectName()));
    return out;
}
// Which controls a page shows, "1" or "0" each in order.
inline QString visible(const QWidget* page, std::initializer_list<const QWidget*> controls) {
    QString bits;
    for (const QWidget* w : controls)
        bits += w->isVisibleTo(page) ? '1' : '0';
    return bits;
}
// Which of the named commands are on, "1" or "0" each in order.
inline QString enabled(QObject* window, std::initializer_list<const char*> names) {
    QString bits;
    for (const char* name : names)
        bits += action(window, name)->isEnabled() ? '1' : '0';
    return bits;
}
// Which tabs of a document window are shown, "1" or "0" each from the application's.
inline QString tabs(QObject* window) {
    auto* tabs = part<QTabWidget>(window, "tbshMain");
    QString bits;
    for (int i = 0; i < tabs->count(); ++i)
        bits += tabs->isTabVisible(i) ? '1' : '0';
    return bits;
}

// The frame as the library's windows see it: an area for the documents and a status bar.
class TestHost : public QMainWindow, public DocumentHost {
public:
    TestHost() {
        area = new QMdiArea(this);
        setCentralWidget(area);
        statusBar();
        resize(1100, 760);
    }
    QMdiArea* documentArea() override { return area; }
    QStatusBar* statusBar() override { return QMainWindow::statusBar(); }
    QWidget* hostWindow() override { return this; }

    QMdiArea* area;
};

// A configured user: a registry of its own naming the bundled dictionary, the undertaking of the
// sample documents and folders in a temporary place; the library attached to it, with a host
// frame and scripted prompts. Detached, which destroys every window, at the end.
class LibraryFixture {
public:
    explicit LibraryFixture(bool configured = true,
                            const QString& dictionaryFolder = bundledDictionaryFolder()) {
        if (configured) configure(dictionaryFolder);
        LibraryState::instance().attach();
        LibraryState::instance().adoptHost(&host);
    }
    ~LibraryFixture() { LibraryState::instance().detach(); }
    LibraryFixture(const LibraryFixture&) = delete;
    LibraryFixture& operator=(const LibraryFixture&) = delete;

    // A sample application file of the given version in the temporary folder.
    QString sampleFile(int version, int applications, const QString& name = {}) {
        samples::SampleShape shape;
        shape.applications = applications;
        return sampleFile(version, shape, name);
    }
    QString sampleFile(int version, const samples::SampleShape& shape, const QString& name = {}) {
        return writeFile(name.isEmpty() ? QStringLiteral("wnioski%1.rpa").arg(version) : name,
                         QByteArray::fromStdString(samples::sampleFileBytes(version, shape, 7)));
    }
    // A file of the given bytes in the temporary folder.
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        const QString path = folder() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("%s cannot be written", qPrintable(path));
        return path;
    }
    QString folder() const { return registry_.folder(); }

    static QString bundledDictionaryFolder() {
        return QString::fromUtf8(TAVIK_BUNDLED_DICTIONARY_DIR);
    }
    // The settings of the user, as the configuration dialog writes them.
    void configure(const QString& dictionaryFolder) {
        platform::Registry registry;
        auto key = registry.openKey(Settings::kKeyPath, true);
        const TRecZU undertaking = samples::sampleUndertaking();
        key->writeString(QStringLiteral("Katalog słowników"), dictionaryFolder);
        key->writeString(QStringLiteral("Kod ZU"),
                         QString::fromStdString(cp1250::toUtf8(undertaking.KodZU.view())));
        key->writeString(QStringLiteral("Nazwa ZU"),
                         QString::fromStdString(cp1250::toUtf8(undertaking.NazwaZU.view())));
        key->writeString(
            QStringLiteral("Dział ubezpieczeń"),
            QStringLiteral("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE"));
        key->writeString(QStringLiteral("Wnioski"), registry_.folder());
    }

    // Windows made through the library's exports, as the frame makes them.
    TfrmData* newDocument() {
        ShowForm(&host, nullptr, wsNormal);
        return qobject_cast<TfrmData*>(GetActiveWnd());
    }
    TfrmData* openDocument(const QString& path) {
        OpenDocument(&host, path.toUtf8().constData(), wsNormal);
        return qobject_cast<TfrmData*>(GetActiveWnd());
    }

    TempRegistry registry_;
    ScriptedPrompts prompts;
    TestHost host;
};

}  // namespace tavik::test
