#pragma once

#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QStatusBar>
#include <QString>
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
        const QString path = registry_.folder() + QLatin1Char('/') +
                             (name.isEmpty() ? QStringLiteral("wnioski%1.rpa").arg(version) : name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const std::string bytes = samples::sampleFileBytes(version, shape, 7);
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
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
