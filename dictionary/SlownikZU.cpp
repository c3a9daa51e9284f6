#include "dictionary/SlownikZU.h"

namespace tavik {

void SlownikZU::Czytaj() {
    for (const std::string& line : lines_) {
        UstawLinie(line);
        try {
            if (CzytajTekst(1, false) != "A") continue;
            auto item = std::make_unique<DictItem>();
            item->Kod = CzytajTekst(3, false);
            item->Nazwa = CzytajTekst(250, false);
            item->Dzial = CzytajTekst(1, true);  // the rest of the line is not read
            addEntry(std::move(item));
        } catch (const read_error&) {
            // A line that cannot be read is skipped.
        }
    }
}

}  // namespace tavik
