#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

class QJsonValue;

namespace tavik::platform {

class RegistryStore;

// One open key of the registry of the current user. Values are typed (text, 32-bit number);
// a boolean is a number, true when not 0. Value names are compared without regard to case,
// Polish letters included; a "/" inside a name is part of it ("Wl/Wy Autozapis").
//
// Reads see the store as it was when the key was opened; every write goes to the file at once
// (read again, changed, replaced atomically), so that other readers see it.
class RegistryKey {
public:
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const QString& path() const { return path_; }

    bool valueExists(const QString& name) const;
    // Nothing when the value is missing or of the other type.
    std::optional<QString> readString(const QString& name) const;
    std::optional<qint32> readInteger(const QString& name) const;
    std::optional<bool> readBool(const QString& name) const;

    // False when the store cannot be written; the reason is in lastError() (Polish).
    bool writeString(const QString& name, const QString& value);
    bool writeInteger(const QString& name, qint32 value);
    bool writeBool(const QString& name, bool value);

    const QString& lastError() const { return lastError_; }

private:
    friend class Registry;
    RegistryKey(std::shared_ptr<RegistryStore> store, QString path);
    bool writeValue(const QString& name, const QJsonValue& value);

    std::shared_ptr<RegistryStore> store_;
    QString path_;
    QString lastError_;
};

// The registry of the current user, kept in one file: the file named by the environment
// variable TAVIK_REGISTRY, or "tavik/registry.json" under the user's XDG configuration folder.
// Key paths are written as on Windows ("\SOFTWARE\KORVA\TAVIK 3.1") and compared without regard
// to case.
class Registry {
public:
    Registry();
    explicit Registry(QString filePath);

    const QString& filePath() const { return filePath_; }

    bool keyExists(const QString& path) const;
    // Opens a key; with `create` the key and its parents are made and written at once. Nothing
    // when the key does not exist (and is not to be created) or the store cannot be read or
    // written; the reason is in lastError().
    std::unique_ptr<RegistryKey> openKey(const QString& path, bool create);

    const QString& lastError() const { return lastError_; }

    // The file the current user's registry lives in.
    static QString defaultFilePath();

private:
    QString filePath_;
    mutable QString lastError_;
};

}  // namespace tavik::platform
