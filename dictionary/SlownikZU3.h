#pragma once

#include "dictionary/ReadSlownik.h"

namespace tavik {

// The undertakings still active (their second further text is "<E>"), for the configuration
// dialog.
class SlownikZU3 : public ReadSlownik {
public:
    using ReadSlownik::ReadSlownik;
    void Czytaj() override;
};

}  // namespace tavik
