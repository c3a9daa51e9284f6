#include "forms/LibraryState.h"

#include <QFileInfo>

#include "model/Exception.h"
#include "platform/Prompts.h"
#include "platform/QtPrompts.h"
#include "platform/Registry.h"

namespace tavik {

using platform::PromptIcon;

LibraryState& LibraryState::instance() {
    static LibraryState state;
    return state;
}

void LibraryState::attach() {
    if (attached_) return;
    attached_ = true;
    platform::installWidgetPromptsAsDefault();
    load(true);
}

void LibraryState::reloadDictionary() {
    if (!attached_) {
        attach();
        return;
    }
    load(false);
}

void LibraryState::load(bool tell) {
    ready_ = false;
    failure_.clear();
    const auto fail = [&](const QString& message, const QString& caption) {
        failure_ = message;
        if (tell) platform::showMessage(nullptr, message, caption, PromptIcon::Error);
    };

    platform::Registry registry;
    if (!registry.keyExists(Settings::kKeyPath)) return;  // not configured yet: silently not ready
    const auto key = registry.openKey(Settings::kKeyPath, false);
    const QString folder =
        key ? key->readString(QStringLiteral("Katalog słowników")).value_or(QString()) : QString();
    const QString path = folder + QStringLiteral("/slownik.dic");
    if (!QFileInfo(path).isFile()) {
        fail(QStringLiteral("Plik słownikowy ") + path + QStringLiteral("\nnie istnieje!"),
             QStringLiteral("Komunikat"));
        return;
    }
    try {
        dictionaries_ = readDictionaryFile(path.toStdString());
    } catch (const Exception& e) {
        // What the open windows were made with stays; no new one is made without a dictionary.
        fail(QString::fromStdString(e.message()), QStringLiteral("Błąd"));
        return;
    }
    settings_ = std::make_unique<Settings>();
    ready_ = true;
}

QString LibraryState::notReadyMessage() const {
    QString text =
        QStringLiteral("Nie można utworzyć okna dokumentu: słownik kodów nie został wczytany.\n");
    if (!failure_.isEmpty()) text += failure_ + QLatin1Char('\n');
    return text + QStringLiteral("Otwórz „Konfiguracja” i wskaż katalog słowników.");
}

void LibraryState::detach() {
    // Closing a window takes it off the list; destroy them in the order they were made.
    while (!windows_.isEmpty()) {
        QPointer<QWidget> window = windows_.takeFirst();
        if (!window) continue;
        QWidget* frame = window->parentWidget();  // the frame's sub-window, when hosted
        delete window.data();
        if (frame && frame->inherits("QMdiSubWindow")) delete frame;
    }
    inUse_.clear();
    dictionaries_ = {};
    settings_.reset();
    host_ = nullptr;
    attached_ = false;
    ready_ = false;
    failure_.clear();
}

void LibraryState::adoptHost(DocumentHost* host) {
    if (!host_) host_ = host;
}

int LibraryState::addWindow(QWidget* window) {
    windows_.removeAll(nullptr);
    const int number = static_cast<int>(windows_.size());
    windows_.append(window);
    // Released when the window is gone, not when it closes: its pages live until then.
    if (!inUse_.contains(window)) {
        inUse_.insert(window, dictionaries_);
        QObject::connect(window, &QObject::destroyed, [this, window] { inUse_.remove(window); });
    }
    return number;
}

void LibraryState::removeWindow(QWidget* window) {
    windows_.removeAll(window);
    windows_.removeAll(nullptr);
}

int LibraryState::windowCount() const {
    int count = 0;
    for (const auto& w : windows_)
        if (w) ++count;
    return count;
}

QList<QWidget*> LibraryState::windows() const {
    QList<QWidget*> list;
    for (const auto& w : windows_)
        if (w) list << w.data();
    return list;
}

}  // namespace tavik
