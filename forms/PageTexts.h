#pragma once

#include <QString>

// Dictionary entries the pages react to, as the controls show them; named once.
namespace tavik::pagetexts {

inline const QString kPolskie = QStringLiteral("POLSKIE");
inline const QString kDowodOsobisty = QStringLiteral("DOWÓD OSOBISTY");
inline const QString kPrawoJazdy = QStringLiteral("PRAWO JAZDY");
inline const QString kPaszport = QStringLiteral("PASZPORT");
inline const QString kOsobaFizyczna = QStringLiteral("OSOBA FIZYCZNA");
inline const QString kSpolkaSA = QStringLiteral("SPÓŁKA S.A.");
inline const QString kKrs = QStringLiteral("KRAJOWY REJESTR SĄDOWY");
inline const QString kNip = QStringLiteral("NUMER IDENTYFIKACJI PODATKOWEJ");
inline const QString kInne = QStringLiteral("INNE");
inline const QString kWpis = QStringLiteral("WPIS");
inline const QString kAktualizacja = QStringLiteral("AKTUALIZACJA");
inline const QString kWykreslenie = QStringLiteral("WYKREŚLENIE");

inline const QString kPeselLabel = QStringLiteral("PESEL");
inline const QString kSeriesLabel = QStringLiteral("Seria i numer");

}  // namespace tavik::pagetexts
