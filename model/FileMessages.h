#pragma once

#include <string>
#include <string_view>

// The texts with which the application file is refused or fails to be written (UTF-8).
namespace tavik::file_messages {

inline constexpr std::string_view kBadFileVersion = "Błędna wersja pliku !";
inline constexpr std::string_view kBadDictionaryVersion = "Błędna wersja słownika !";
inline constexpr std::string_view kBadFileMark = "Błędny znacznik pliku !";
inline constexpr std::string_view kForeignUndertaking = "Błędny KOD lub NAZWA ZAKŁADU!";
inline constexpr std::string_view kBadApplicationKind = "Błędny rodzaj operacji dla wniosku nr: ";
inline constexpr std::string_view kBadRecordHeader = "Błędny nagłówek rekordu !";

// Refusals of damaged files that the format itself leaves open.
inline constexpr std::string_view kCannotOpen = "Nie można otworzyć pliku ";
inline constexpr std::string_view kTagTooLong =
    "Błędny nagłówek rekordu: znacznik rekordu jest dłuższy niż 5 znaków !";
inline constexpr std::string_view kEndInsideHeader =
    "Nieoczekiwany koniec pliku w nagłówku rekordu !";
inline constexpr std::string_view kEndInsideRecord = "Nieoczekiwany koniec pliku w rekordzie ";

// Writing.
inline constexpr std::string_view kCaptionWarning = "Ostrzeżenie";
inline constexpr std::string_view kCannotCreate = "Nie można utworzyc pliku!";
inline constexpr std::string_view kCannotWrite =
    "Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.";

// What follows a writing failure of a file: which file, and the system's reason in Polish.
inline std::string fileAndReason(const std::string& path, const std::string& reason) {
    return "\nPlik: " + path + "\nPrzyczyna: " + reason;
}

}  // namespace tavik::file_messages
