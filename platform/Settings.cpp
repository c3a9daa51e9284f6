#include "platform/Settings.h"

#include <QDir>

#include "platform/ProgramFiles.h"
#include "platform/Registry.h"

namespace tavik {

using platform::Registry;
using platform::RegistryKey;

const QString Settings::kKeyPath = QStringLiteral("\\SOFTWARE\\KORVA\\TAVIK 3.1");
const QString Settings::kLegacyKeyPath = QStringLiteral("\\SOFTWARE\\Selmit\\LUNET 2.0");
const QString Settings::kNoUndertakingName = QStringLiteral("< BRAK WPISANEJ NAZWY ZU! >");
const QString Settings::kNoInsuranceDivision =
    QStringLiteral("< BRAK USTAWIONEJ GRUPY UBEZPIECZEŃ !>");
const QString Settings::kNoSigner =
    QStringLiteral("<BRAK USTAWIONEJ NAZWY OSOBY PODPISUJĄCEJ WNIOSEK !>");

namespace {

QString inCurrentDirectory(const char* folder) {
    return QDir::currentPath() + QLatin1Char('/') + QLatin1String(folder);
}

// The bundled dictionary's folder, so that a fresh install lists the undertakings at once; the
// current folder's "Slowniki" where the program has none.
QString defaultDictionaryFolder() {
    const QString bundled = platform::bundledDictionaryFolder();
    return bundled.isEmpty() ? inCurrentDirectory("Slowniki") : bundled;
}

// A value of the other type counts as missing: one odd value does not blank the rest.
QString text(const RegistryKey& key, const QString& name, const QString& missing) {
    return key.readString(name).value_or(missing);
}

QString nonEmptyText(const RegistryKey& key, const QString& name, const QString& missing) {
    const QString value = text(key, name, missing);
    return value.isEmpty() ? missing : value;
}

// A number from 0 to 2; anything else is `other`.
int choice(const RegistryKey& key, const QString& name, int other) {
    const std::optional<qint32> value = key.readInteger(name);
    return value && *value >= 0 && *value <= 2 ? *value : other;
}

int sortOrderOf(const RegistryKey& key) {
    return choice(key, QStringLiteral("Sortowanie"), 0);
}

}  // namespace

Settings::Settings() {
    Registry registry;
    read(registry);
}

Settings::Settings(platform::Registry& registry) {
    read(registry);
}

QString Settings::dictionaryPath() const {
    return dictionaryDir_ + QStringLiteral("/slownik.dic");
}

void Settings::read(Registry& registry) {
    sortOrder_ = 0;
    transferMode_ = 2;
    classicUi_ = true;
    if (!registry.keyExists(kKeyPath)) {
        undertakingName_ = kNoUndertakingName;
        undertakingCode_ = QStringLiteral("-1");
        dictionaryDir_ = defaultDictionaryFolder();
        responsesDir_ = inCurrentDirectory("ODPOWIEDZI");
        applicationsDir_ = inCurrentDirectory("WNIOSKI");
        insuranceDivision_ = kNoInsuranceDivision;
        return;
    }
    // A key that cannot be opened leaves every text empty.
    const std::unique_ptr<RegistryKey> key = registry.openKey(kKeyPath, false);
    if (!key) return;
    applicationsDir_ = text(*key, QStringLiteral("WNIOSKI"), inCurrentDirectory("WNIOSKI"));
    responsesDir_ = text(*key, QStringLiteral("ODPOWIEDZI"), inCurrentDirectory("ODPOWIEDZI"));
    dictionaryDir_ = text(*key, QStringLiteral("Katalog słowników"), defaultDictionaryFolder());
    placeOfIssue_ =
        nonEmptyText(*key, QStringLiteral("MiejsceWystawienia"), QStringLiteral("Warszawa"));
    sortOrder_ = sortOrderOf(*key);
    classicUi_ = key->readInteger(QStringLiteral("Interfejs")) != 1;
    transferMode_ = choice(*key, QStringLiteral("Transmisja"), 2);
    undertakingName_ = text(*key, QStringLiteral("Nazwa ZU"), kNoUndertakingName);
    undertakingCode_ = text(*key, QStringLiteral("Kod ZU"), QStringLiteral("-1"));
    insuranceDivision_ = text(*key, QStringLiteral("Dział ubezpieczeń"), kNoInsuranceDivision);
    signer_ = nonEmptyText(*key, QStringLiteral("OsobaPodpis"), kNoSigner);
}

QString Settings::ApplicationsDirOr(const QString& fallback) const {
    return !applicationsDir_.isEmpty() && QDir(applicationsDir_).exists() ? applicationsDir_
                                                                          : fallback;
}

int ReadAutoSaveMinutes() {
    Registry registry;
    const std::unique_ptr<RegistryKey> key = registry.openKey(Settings::kKeyPath, false);
    if (!key) return 3;
    return key->readInteger(QStringLiteral("Autozapis")).value_or(3);
}

bool ReadAutoSaveOn() {
    Registry registry;
    const std::unique_ptr<RegistryKey> key = registry.openKey(Settings::kKeyPath, false);
    if (!key) return false;
    return key->readBool(QStringLiteral("Wl/Wy Autozapis")).value_or(false);
}

int ReadLegacySortOrder() {
    Registry registry;
    const std::unique_ptr<RegistryKey> key = registry.openKey(Settings::kLegacyKeyPath, false);
    return key ? sortOrderOf(*key) : 0;
}

int ReadSortOrder() {
    Registry registry;
    const std::unique_ptr<RegistryKey> key = registry.openKey(Settings::kKeyPath, false);
    if (key && key->readInteger(QStringLiteral("Sortowanie"))) return sortOrderOf(*key);
    return ReadLegacySortOrder();
}

}  // namespace tavik
