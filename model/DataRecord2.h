#pragma once

#include "model/DataRecord.h"

namespace tavik {

// Version 2: board members, and the undertaking stored by its code alone.
class DataRecord2 : public DataRecord {
public:
    // Only the code is compared; the record then takes the configured name.
    void SprawdzZaklad(TRecZU& read) const override;

    using DataRecord::ZapiszRekordDoPliku;
    bool ZapiszRekordDoPliku(const TRecZarzad* record);
    bool DodajZarzad(TRecZarzad* record, _RecData* entry);

protected:
    const FileVersion& format() const override;
};

}  // namespace tavik
