#pragma once

#include "dictionary/ReadSlownik.h"

namespace tavik {

// The undertakings of the dictionary as entries: code, name and division.
class SlownikZU : public ReadSlownik {
public:
    using ReadSlownik::ReadSlownik;
    void Czytaj() override;
};

}  // namespace tavik
