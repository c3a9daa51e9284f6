#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// One program per user: a second start hands the files named on its command line to the program
// that runs already, over a local socket in the user's private runtime folder, and ends.
namespace tavik {

// The socket of the current user's program; TAVIK_INSTANCE names another (tests).
QString instanceSocketName();

// Hands `files` (absolute paths) to the program listening on `socketName`. True when it took
// them; false when none listens or it does not answer within `timeoutMs`.
bool handToRunningInstance(const QString& socketName, const QStringList& files,
                           int timeoutMs = 3000);

// The running program's end: receives the files of later starts.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;

    // Listens on `socketName`. A socket left by a program that ended without closing it is
    // taken over; one whose program answers is not. False when it cannot listen.
    bool listen(const QString& socketName);

signals:
    // A later start handed over these files (possibly none: it was started without files).
    void filesReceived(const QStringList& files);

private:
    void receive();

    QLocalServer* server_;
};

}  // namespace tavik
