#pragma once

#include <QList>
#include <QString>

#include "platform/WindowMessages.h"

namespace tavik::test {

// Stands in for the frame: records every registered message the windows send it.
class MessageLog : public platform::MessageReceiver {
public:
    struct Sent {
        unsigned message;
        qintptr wParam;
        qintptr lParam;
    };

    MessageLog() { platform::setMainWindowReceiver(this); }
    ~MessageLog() override { platform::setMainWindowReceiver(nullptr); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    void receiveMessage(unsigned message, qintptr wParam, qintptr lParam) override {
        sent << Sent{message, wParam, lParam};
    }

    // The (wParam, lParam) pairs of one message, by its name, in the order sent.
    QList<QPair<qintptr, qintptr>> of(const QString& name) const {
        const unsigned id = platform::registerWindowMessage(name);
        QList<QPair<qintptr, qintptr>> found;
        for (const Sent& s : sent)
            if (s.message == id) found << qMakePair(s.wParam, s.lParam);
        return found;
    }
    QPair<qintptr, qintptr> last(const QString& name) const {
        const auto all = of(name);
        return all.isEmpty() ? qMakePair(qintptr(-1), qintptr(-1)) : all.last();
    }

    QList<Sent> sent;
};

}  // namespace tavik::test
