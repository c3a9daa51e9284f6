// The registry file is the user's own: whatever bytes it holds, reading the settings from it
// never crashes, a damaged file is never overwritten, and a write that is accepted reads back.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "platform/Registry.h"
#include "platform/Settings.h"

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/tavik-fuzz-registry-%1.json").arg(getpid());
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(bytes);
    }
    tavik::platform::Registry registry(path);
    const tavik::Settings settings(registry);
    (void)settings.UndertakingName();
    if (auto key = registry.openKey(tavik::Settings::kKeyPath, false)) {
        (void)key->readString(QStringLiteral("Nazwa ZU"));
        (void)key->readInteger(QStringLiteral("Sortowanie"));
        (void)key->readBool(QStringLiteral("Wl/Wy Autozapis"));
    }
    auto key = registry.openKey(tavik::Settings::kKeyPath, true);
    const bool written = key && key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("ŁĄK"));
    if (!written) {
        if (contents(path) != bytes) std::abort();  // a refused write leaves the file alone
    } else {
        tavik::platform::Registry again(path);
        auto reread = again.openKey(tavik::Settings::kKeyPath, false);
        if (!reread || reread->readString(QStringLiteral("kod zu")) != QStringLiteral("ŁĄK"))
            std::abort();
    }
    return 0;
}
