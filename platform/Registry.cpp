#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>
#include <limits>

#include "model/FileStreams.h"  // the size limit of every file read

// The file is one JSON object: each member is a key, named by its path ("\SOFTWARE\KORVA\TAVIK
// 3.1"), holding an object of values. A text value is a JSON string, a number a JSON integer
// within 32 bits. Parents of a key exist without members of their own.

namespace tavik::platform {

namespace {

// The system's reason in Polish for the failures a clerk meets.
QString systemReason(int error) {
    switch (error) {
        case ENOENT: return QStringLiteral("katalog nie istnieje");
        case EACCES:
        case EPERM: return QStringLiteral("brak uprawnień");
        case ENOSPC: return QStringLiteral("brak miejsca na dysku");
        case EROFS: return QStringLiteral("nośnik tylko do odczytu");
        case ENOTDIR: return QStringLiteral("błędna ścieżka");
        case EISDIR: return QStringLiteral("to jest katalog");
        default: return QStringLiteral("błąd systemu nr %1").arg(error);
    }
}

// "\SOFTWARE\KORVA\TAVIK 3.1" however it was written: one leading backslash, none doubled or
// trailing. Empty for a path without any part.
QString normalizedPath(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return {};
    return QLatin1Char('\\') + parts.join(QLatin1Char('\\'));
}

QString folded(const QString& text) {
    return text.toCaseFolded();
}

bool isNumber(const QJsonValue& v) {
    if (!v.isDouble()) return false;
    const double d = v.toDouble();
    return std::trunc(d) == d && d >= std::numeric_limits<qint32>::min() &&
           d <= std::numeric_limits<qint32>::max();
}

// Why a key's object cannot be used, or empty when it can.
QString keyDamage(const QJsonValue& key) {
    if (!key.isObject()) return QStringLiteral("nie jest obiektem wartości");
    const QJsonObject values = key.toObject();
    QSet<QString> names;
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (!it.value().isString() && !isNumber(it.value()))
            return QStringLiteral("wartość „%1” nie jest tekstem ani liczbą 32-bitową")
                .arg(it.key());
        if (names.contains(folded(it.key())))
            return QStringLiteral("wartość „%1” występuje więcej niż raz").arg(it.key());
        names.insert(folded(it.key()));
    }
    return {};
}

}  // namespace

// The registry file as read at one moment.
class RegistryStore {
public:
    explicit RegistryStore(QString filePath) : filePath_(std::move(filePath)) {}

    const QString& filePath() const { return filePath_; }

    // Reads the file; a missing or empty file is an empty registry. False with the reason when
    // the file cannot be read or is damaged: such a file is never written over.
    bool read(QString& error) {
        keys_ = {};
        QFile file(filePath_);
        if (!file.exists()) return true;
        const QFileInfo info(filePath_);
        if (info.isDir()) {
            error = readFailure(QStringLiteral("to jest katalog"));
            return false;
        }
        // A pipe would make the reading wait for ever, a device fill the memory.
        if (!info.isFile()) {
            error = readFailure(QStringLiteral("to nie jest zwykły plik"));
            return false;
        }
        if (static_cast<std::uint64_t>(info.size()) > kMaxInputFileSize) {
            error = readFailure(QStringLiteral("plik jest zbyt duży"));
            return false;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            error = readFailure(systemReason(errno));
            return false;
        }
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            error = readFailure(QStringLiteral("błąd odczytu"));
            return false;
        }
        if (bytes.isEmpty()) return true;
        QJsonParseError parse;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
        if (parse.error != QJsonParseError::NoError) {
            error = damage(QStringLiteral("błąd składni JSON na pozycji %1").arg(parse.offset));
            return false;
        }
        if (!document.isObject()) {
            error = damage(QStringLiteral("nie zawiera obiektu kluczy"));
            return false;
        }
        keys_ = document.object();
        QSet<QString> paths;
        for (auto it = keys_.begin(); it != keys_.end(); ++it) {
            const QString path = normalizedPath(it.key());
            if (path.isEmpty() || path != it.key()) {
                error = damage(QStringLiteral("błędna nazwa klucza „%1”").arg(it.key()));
                return false;
            }
            if (paths.contains(folded(path))) {
                error = damage(QStringLiteral("klucz %1 występuje więcej niż raz").arg(path));
                return false;
            }
            paths.insert(folded(path));
        }
        return true;
    }

    // The name under which the key is stored, or empty when it is not.
    QString storedName(const QString& path) const {
        const QString wanted = folded(path);
        for (auto it = keys_.begin(); it != keys_.end(); ++it)
            if (folded(it.key()) == wanted) return it.key();
        return {};
    }

    // A key exists when it is stored or is the parent of a stored key.
    bool exists(const QString& path) const {
        const QString wanted = folded(path);
        const QString parent = wanted + QLatin1Char('\\');
        for (auto it = keys_.begin(); it != keys_.end(); ++it) {
            const QString key = folded(it.key());
            if (key == wanted || key.startsWith(parent)) return true;
        }
        return false;
    }

    // The values of a stored key; false with the reason when the key is damaged.
    bool values(const QString& path, QJsonObject& out, QString& error) const {
        const QString name = storedName(path);
        if (name.isEmpty()) {
            out = {};
            return true;
        }
        const QString why = keyDamage(keys_.value(name));
        if (!why.isEmpty()) {
            error = QStringLiteral("klucz %1 w pliku rejestru %2 jest uszkodzony (%3)")
                        .arg(name, filePath_, why);
            return false;
        }
        out = keys_.value(name).toObject();
        return true;
    }

    void setValues(const QString& path, const QJsonObject& values) {
        const QString name = storedName(path);
        keys_.insert(name.isEmpty() ? path : name, values);
    }

    // Replaces the file atomically; false with the reason when it cannot.
    bool write(QString& error) {
        const QString folder = QFileInfo(filePath_).absolutePath();
        if (!QDir().mkpath(folder)) {
            error = QStringLiteral("nie można utworzyć katalogu %1").arg(folder);
            return false;
        }
        QSaveFile file(filePath_);
        if (!file.open(QIODevice::WriteOnly)) {
            error = writeFailure(systemReason(errno));
            return false;
        }
        file.write(QJsonDocument(keys_).toJson(QJsonDocument::Indented));
        if (!file.commit()) {
            error = writeFailure(systemReason(errno));
            return false;
        }
        return true;
    }

private:
    QString readFailure(const QString& reason) const {
        return QStringLiteral("nie można odczytać pliku rejestru %1 (%2)").arg(filePath_, reason);
    }
    QString writeFailure(const QString& reason) const {
        return QStringLiteral("nie można zapisać pliku rejestru %1 (%2)").arg(filePath_, reason);
    }
    QString damage(const QString& detail) const {
        return QStringLiteral("plik rejestru %1 jest uszkodzony (%2)").arg(filePath_, detail);
    }

    QString filePath_;
    QJsonObject keys_;
};

namespace {

// A reason as a message of its own.
QString sentence(const QString& reason) {
    if (reason.isEmpty()) return reason;
    return reason.at(0).toUpper() + reason.mid(1) + QLatin1Char('.');
}

// The member of `values` whose name equals `name` without regard to case, or end().
QJsonObject::const_iterator findValue(const QJsonObject& values, const QString& name) {
    const QString wanted = folded(name);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (folded(it.key()) == wanted) return it;
    return values.constEnd();
}

}  // namespace

RegistryKey::RegistryKey(std::shared_ptr<RegistryStore> store, QString path)
    : store_(std::move(store)), path_(std::move(path)) {}

RegistryKey::~RegistryKey() = default;

bool RegistryKey::valueExists(const QString& name) const {
    QJsonObject values;
    QString ignored;
    return store_->values(path_, values, ignored) && findValue(values, name) != values.constEnd();
}

std::optional<QString> RegistryKey::readString(const QString& name) const {
    QJsonObject values;
    QString ignored;
    if (!store_->values(path_, values, ignored)) return std::nullopt;
    const auto found = findValue(values, name);
    if (found == values.constEnd() || !found.value().isString()) return std::nullopt;
    return found.value().toString();
}

std::optional<qint32> RegistryKey::readInteger(const QString& name) const {
    QJsonObject values;
    QString ignored;
    if (!store_->values(path_, values, ignored)) return std::nullopt;
    const auto found = findValue(values, name);
    if (found == values.constEnd() || !isNumber(found.value())) return std::nullopt;
    return static_cast<qint32>(found.value().toDouble());
}

std::optional<bool> RegistryKey::readBool(const QString& name) const {
    if (const auto number = readInteger(name)) return *number != 0;
    return std::nullopt;
}

bool RegistryKey::writeString(const QString& name, const QString& value) {
    return writeValue(name, QJsonValue(value));
}

bool RegistryKey::writeInteger(const QString& name, qint32 value) {
    return writeValue(name, QJsonValue(static_cast<qint64>(value)));
}

bool RegistryKey::writeBool(const QString& name, bool value) {
    return writeInteger(name, value ? 1 : 0);
}

bool RegistryKey::writeValue(const QString& name, const QJsonValue& value) {
    // Another program may have changed the file since the key was opened: its changes stay.
    auto fresh = std::make_shared<RegistryStore>(store_->filePath());
    QString reason;
    QJsonObject values;
    bool written = fresh->read(reason) && fresh->values(path_, values, reason);
    if (written) {
        const auto found = findValue(values, name);
        // A value keeps the spelling of its name it was first written with.
        values.insert(found == values.constEnd() ? name : found.key(), value);
        fresh->setValues(path_, values);
        written = fresh->write(reason);
    }
    if (!written) {
        lastError_ = QStringLiteral("Nie zapisano wartości „%1”: %2.").arg(name, reason);
        return false;
    }
    store_ = std::move(fresh);
    lastError_.clear();
    return true;
}

Registry::Registry() : Registry(defaultFilePath()) {}

Registry::Registry(QString filePath) : filePath_(std::move(filePath)) {}

QString Registry::defaultFilePath() {
    const QString named = qEnvironmentVariable("TAVIK_REGISTRY");
    if (!named.isEmpty()) return named;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tavik/registry.json");
}

bool Registry::keyExists(const QString& path) const {
    RegistryStore store(filePath_);
    QString reason;
    if (!store.read(reason)) {
        lastError_ = sentence(reason);
        return false;
    }
    lastError_.clear();
    const QString key = normalizedPath(path);
    return !key.isEmpty() && store.exists(key);
}

std::unique_ptr<RegistryKey> Registry::openKey(const QString& path, bool create) {
    const QString key = normalizedPath(path);
    if (key.isEmpty()) {
        lastError_ = QStringLiteral("Błędna nazwa klucza „%1”.").arg(path);
        return nullptr;
    }
    auto store = std::make_shared<RegistryStore>(filePath_);
    QString reason;
    QJsonObject values;
    if (!store->read(reason) || !store->values(key, values, reason)) {
        lastError_ = sentence(reason);
        return nullptr;
    }
    if (!store->exists(key)) {
        if (!create) {
            lastError_ = QStringLiteral("Klucz %1 nie istnieje.").arg(key);
            return nullptr;
        }
        store->setValues(key, {});
        if (!store->write(reason)) {
            lastError_ = QStringLiteral("Nie utworzono klucza %1: %2.").arg(key, reason);
            return nullptr;
        }
    }
    lastError_.clear();
    // The key keeps the spelling it was stored with.
    const QString stored = store->storedName(key);
    return std::unique_ptr<RegistryKey>(new RegistryKey(store, stored.isEmpty() ? key : stored));
}

}  // namespace tavik::platform
