#pragma once

#include "model/Cp1250Literal.h"

// Texts that are compared with record contents, in code page 1250, named once.
namespace tavik::texts {

inline constexpr Cp1250Literal EMPTY{"<E>"};
inline constexpr Cp1250Literal NOWY{"NOWY"};
inline constexpr Cp1250Literal WPIS{"WPIS"};
inline constexpr Cp1250Literal AKTUALIZACJA{"AKTUALIZACJA"};
inline constexpr Cp1250Literal WYKRESLENIE{"WYKREŚLENIE"};
inline constexpr Cp1250Literal KOBIETA{"KOBIETA"};
inline constexpr Cp1250Literal MEZCZYZNA{"MĘŻCZYZNA"};

// Values the record checks branch on.
inline constexpr Cp1250Literal OSOBA_FIZYCZNA{"OSOBA FIZYCZNA"};
inline constexpr Cp1250Literal DOWOD_OSOBISTY{"DOWÓD OSOBISTY"};
inline constexpr Cp1250Literal INNE{"INNE"};
// The register's status of an agent it struck out.
inline constexpr Cp1250Literal WYKRESLONY{"WYKREŚLONY"};
// What a NIP entry mask leaves behind when nothing was typed into it, once trimmed.
inline constexpr Cp1250Literal NIP_PUSTA_MASKA{"-   -  -"};

// Record tags.
inline constexpr Cp1250Literal TAG_ZAKLAD{"ZKL"};
inline constexpr Cp1250Literal TAG_WNIOSEK{"WNI"};
inline constexpr Cp1250Literal TAG_AGENT{"AGW"};
inline constexpr Cp1250Literal TAG_PRACOWNIK{"PRW"};
inline constexpr Cp1250Literal TAG_POLISA{"POW"};
inline constexpr Cp1250Literal TAG_PELNOMOCNICTWO{"PEW"};
inline constexpr Cp1250Literal TAG_ZARZAD{"ZAW"};
inline constexpr Cp1250Literal TAG_ODPOWIEDZ{"ODP"};
inline constexpr Cp1250Literal TAG_AGENT_ODP{"AGO"};
inline constexpr Cp1250Literal TAG_PRACOWNIK_ODP{"PRO"};
inline constexpr Cp1250Literal TAG_ZARZAD_ODP{"CZO"};
inline constexpr Cp1250Literal TAG_PELNOMOCNICTWO_ODP{"PEO"};
inline constexpr Cp1250Literal TAG_POLISA_ODP{"POO"};

}  // namespace tavik::texts
