#include "dictionary/SlownikZU3.h"

#include "model/Cp1250Texts.h"

namespace tavik {

void SlownikZU3::Czytaj() {
    for (const std::string& line : lines_) {
        UstawLinie(line);
        try {
            if (CzytajTekst(1, false) != "A") continue;
            auto item = std::make_unique<DictItem3>();
            item->Kod = CzytajTekst(3, false);
            item->Nazwa = CzytajTekst(250, false);
            item->Dzial = CzytajTekst(1, false);
            item->Dodatkowe1 = CzytajTekst(10, false);
            item->Dodatkowe2 = CzytajTekst(10, true);
            if (item->Dodatkowe2 == texts::EMPTY.view()) addEntry(std::move(item));
        } catch (const read_error&) {
            // A line that cannot be read is skipped.
        }
    }
}

}  // namespace tavik
