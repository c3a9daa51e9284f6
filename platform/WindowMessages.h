#pragma once

#include <QString>
#include <QtGlobal>

namespace tavik::platform {

// A window that takes registered messages (the frame).
class MessageReceiver {
public:
    virtual ~MessageReceiver() = default;
    virtual void receiveMessage(unsigned message, qintptr wParam, qintptr lParam) = 0;
};

// Registering a name gives the same identifier in every module of the process: the program and
// the library share this one store. Identifiers start at 0xC000, as on Windows; names are
// compared without regard to case.
unsigned registerWindowMessage(const QString& name);

// The application's main window, to which the document windows send their messages.
void setMainWindowReceiver(MessageReceiver* receiver);
MessageReceiver* mainWindowReceiver();

// Synchronous: returns when the receiver has handled the message. Nothing happens without one.
void sendMessage(MessageReceiver* receiver, unsigned message, qintptr wParam, qintptr lParam);
void sendToMainWindow(unsigned message, qintptr wParam, qintptr lParam);

}  // namespace tavik::platform
