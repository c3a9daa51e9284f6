#pragma once

#include <QString>

namespace tavik::platform {
class Registry;
}

namespace tavik {

// The settings of the program, read from the registry key of the current user in one pass,
// every value with its default. Never cached: each instance shows the registry as it is when it
// is made. Both the program and the library carry this class.
class Settings {
public:
    static const QString kKeyPath;            // "\SOFTWARE\KORVA\TAVIK 3.1"
    static const QString kLegacyKeyPath;      // "\SOFTWARE\Selmit\LUNET 2.0"
    static const QString kNoUndertakingName;  // "< BRAK WPISANEJ NAZWY ZU! >"
    static const QString kNoInsuranceDivision;
    static const QString kNoSigner;

    Settings();  // the current user's registry
    explicit Settings(platform::Registry& registry);

    const QString& ResponsesDir() const { return responsesDir_; }
    const QString& ApplicationsDir() const { return applicationsDir_; }
    // The applications folder where the file dialogs start, when it exists; else `fallback`.
    QString ApplicationsDirOr(const QString& fallback) const;
    const QString& DictionaryDir() const { return dictionaryDir_; }
    const QString& UndertakingName() const { return undertakingName_; }
    const QString& InsuranceDivision() const { return insuranceDivision_; }
    const QString& UndertakingCode() const { return undertakingCode_; }
    const QString& PlaceOfIssue() const { return placeOfIssue_; }
    const QString& Signer() const { return signer_; }
    int SortOrder() const { return sortOrder_; }        // 0 none, 1 ascending, 2 descending
    int TransferMode() const { return transferMode_; }  // 0 send, 1 receive, 2 transfer
    bool ClassicUi() const { return classicUi_; }       // true unless "Interfejs" is 1

    // DictionaryDir() followed by "/slownik.dic".
    QString dictionaryPath() const;

private:
    void read(platform::Registry& registry);

    QString responsesDir_, applicationsDir_, dictionaryDir_, undertakingName_, insuranceDivision_,
        undertakingCode_, placeOfIssue_, signer_;
    int sortOrder_ = 0;
    int transferMode_ = 2;
    bool classicUi_ = true;
};

// Single values, each read from the key at the moment of the call.
int ReadAutoSaveMinutes();  // "Autozapis", 3 when missing
bool ReadAutoSaveOn();      // "Wl/Wy Autozapis", false when missing
// "Sortowanie" of the older key: 1 or 2, anything else 0.
int ReadLegacySortOrder();
// The sort order the dialog and the windows use: "Sortowanie" of the current key, where the
// dialog writes it; the older key's value only while the current key has none.
int ReadSortOrder();

}  // namespace tavik
