#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

namespace tavik {
namespace {

// What the running program answers once it has the files.
constexpr char kTaken = '1';
// How long a connected later start may take to send its files, and how much it may send.
constexpr int kReceiveMs = 3000;
constexpr qint64 kMaxMessage = 1 << 20;

// Each path in UTF-8 followed by a zero byte, which no path holds; an empty path ends the list.
QByteArray encode(const QStringList& files) {
    QByteArray message;
    for (const QString& file : files)
        message += file.toUtf8() + '\0';
    return message + '\0';
}

// The files of a whole message; none while it is not complete.
std::optional<QStringList> decode(const QByteArray& message) {
    QStringList files;
    qsizetype start = 0;
    for (qsizetype end; (end = message.indexOf('\0', start)) >= 0; start = end + 1) {
        if (end == start) return files;
        files << QString::fromUtf8(message.mid(start, end - start));
    }
    return std::nullopt;
}

}  // namespace

QString instanceSocketName() {
    const QString named = qEnvironmentVariable("TAVIK_INSTANCE");
    if (!named.isEmpty()) return named;
    // The runtime folder belongs to the user alone, so no one else can listen in the user's place.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/tavik.socket");
}

bool handToRunningInstance(const QString& socketName, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(encode(files));
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.read(1) == QByteArray(1, kTaken);
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::receive);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen(const QString& socketName) {
    // A program that answers keeps its socket; one that ended abruptly left its socket behind.
    // (Listening with access options would silently replace a live socket, so ask first.)
    QLocalSocket probe;
    probe.connectToServer(socketName);
    if (probe.waitForConnected(500)) return false;
    QLocalServer::removeServer(socketName);
    return server_->listen(socketName);
}

void InstanceServer::receive() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto read = [this, socket] {
            const QByteArray received = socket->peek(kMaxMessage + 1);
            const std::optional<QStringList> files = decode(received);
            if (!files) {
                if (received.size() > kMaxMessage) socket->abort();  // no list is that long
                return;
            }
            socket->readAll();
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            socket->disconnectFromServer();
            emit filesReceived(*files);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // A start that connects and sends nothing must not hold a socket for ever.
        QTimer::singleShot(kReceiveMs, socket, [socket] { socket->abort(); });
        if (socket->bytesAvailable() > 0) read();
    }
}

}  // namespace tavik
