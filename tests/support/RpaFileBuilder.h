#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Recdata.h"

namespace tavik::test {

// Writes application files record by record from the layouts as the file format lays them
// down, written out here by field name, with checksums from the bit-by-bit reference. It
// shares nothing with the writer under test, so the two check each other.
class RpaFileBuilder {
public:
    explicit RpaFileBuilder(int version);

    // Each adds a record whose fields carry distinct values and a correct checksum, and
    // returns it so that a test can change a field first (then call reseal()).
    TRecZU& zaklad(std::string kod = "JSK", std::string nazwa = "");
    TRecWniosek& wniosek(std::string typ = "WPIS", std::string numer = "12/2026");
    TRecAgenta& agent();
    TRecPolisaOC& polisa();
    TRecPelnomocnictwo& pelnomocnictwo();
    TRecPracownik& pracownik();
    TRecZarzad& zarzad();

    void reseal();                // recomputes the last record's checksum after a change
    void corrupt();               // makes the last record's stored checksum wrong
    void raw(std::string bytes);  // appends bytes as they are

    std::string records() const;  // the records without the header
    std::string file() const;     // header and records

    // Fields after the tag in file order, and the checksum order (tag first; "=<E>" stands for
    // the constant marker of the version-2 undertaking).
    static std::vector<std::string> fileOrder(RecordKind kind, int version);
    static std::vector<std::string> checksumOrder(RecordKind kind, int version);

private:
    struct Piece {
        std::unique_ptr<TRecord> record;  // null for raw bytes
        RecordKind kind = KIND_ZAKLAD;
        std::string bytes;
    };
    template <class R>
    R& add(std::unique_ptr<R> record, RecordKind kind);

    int version_;
    int serial_ = 0;
    std::vector<Piece> pieces_;
};

// A record's checksum by the bit-by-bit reference, over the fields in its version's order.
std::uint32_t checksumOf(const TRecord& record, RecordKind kind, int version);

// The configured undertaking that files of RpaFileBuilder belong to by default.
TRecZU builderUndertaking();

}  // namespace tavik::test
