#include "model/DataRecord2.h"

#include "model/Exception.h"
#include "model/FileMessages.h"

namespace tavik {

const FileVersion& DataRecord2::format() const {
    return fileVersion2();
}

void DataRecord2::SprawdzZaklad(TRecZU& read) const {
    if (!ZakladWzorcowy || read.KodZU != ZakladWzorcowy->KodZU)
        throw Exception(std::string(file_messages::kForeignUndertaking));
    read.NazwaZU = ZakladWzorcowy->NazwaZU;  // files of this version do not store the name
}

bool DataRecord2::ZapiszRekordDoPliku(const TRecZarzad* r) {
    return writeRecord(r, KIND_ZARZAD);
}

bool DataRecord2::DodajZarzad(TRecZarzad* r, _RecData* e) {
    return add(r, e, KIND_ZARZAD);
}

}  // namespace tavik
