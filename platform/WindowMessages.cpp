#include "platform/WindowMessages.h"

#include <QHash>

namespace tavik::platform {

namespace {

constexpr unsigned kFirstRegistered = 0xC000;

QHash<QString, unsigned>& registered() {
    static QHash<QString, unsigned> names;
    return names;
}

MessageReceiver* mainWindow = nullptr;

}  // namespace

unsigned registerWindowMessage(const QString& name) {
    auto& names = registered();
    const QString key = name.toCaseFolded();
    const auto found = names.constFind(key);
    if (found != names.constEnd()) return *found;
    const unsigned id = kFirstRegistered + static_cast<unsigned>(names.size());
    names.insert(key, id);
    return id;
}

void setMainWindowReceiver(MessageReceiver* receiver) {
    mainWindow = receiver;
}

MessageReceiver* mainWindowReceiver() {
    return mainWindow;
}

void sendMessage(MessageReceiver* receiver, unsigned message, qintptr wParam, qintptr lParam) {
    if (receiver) receiver->receiveMessage(message, wParam, lParam);
}

void sendToMainWindow(unsigned message, qintptr wParam, qintptr lParam) {
    sendMessage(mainWindow, message, wParam, lParam);
}

}  // namespace tavik::platform
