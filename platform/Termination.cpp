#include "platform/Termination.h"

#include <QCoreApplication>
#include <QTimer>

namespace tavik::platform {

namespace {

std::function<void()>& handler() {
    static std::function<void()> h;
    return h;
}

int requests = 0;

}  // namespace

void requestTermination() {
    ++requests;
    if (handler()) {
        handler()();
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance())
        QTimer::singleShot(0, app, [] { QCoreApplication::exit(1); });
}

void setTerminationHandler(std::function<void()> h) {
    handler() = std::move(h);
}

int terminationRequests() {
    return requests;
}

}  // namespace tavik::platform
