#include "model/CRC32.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "model/FieldOrders.h"

namespace tavik {

namespace {

constexpr CRC32::Table makeTable() {
    CRC32::Table table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[n] = c;
    }
    return table;
}

// Built by the compiler once; the operations never change it, so all calculators share it.
constexpr CRC32::Table kTable = makeTable();

template <class R, class Order>
bool recordChecksum(const CRC32& calc, const R* rec, std::uint32_t& crc, const Order& order,
                    std::string_view trailer = {}) {
    if (!rec) return false;
    crc = calc.orderedChecksum<R>(*rec, order, trailer);
    return true;
}

}  // namespace

CRC32::CRC32() : table_(kTable) {}

void CRC32::CRC32ForText(std::string_view text, std::uint32_t& crc) const {
    const std::size_t covered = text.size() & 0xFF;
    std::uint32_t c = table_[(crc ^ covered) & 0xFF] ^ (crc >> 8);
    for (std::size_t i = 0; i < covered; ++i)
        c = table_[(c ^ static_cast<unsigned char>(text[i])) & 0xFF] ^ (c >> 8);
    crc = c;
}

bool CRC32::CRC32Dict(std::string_view text, std::uint32_t& crc) const {
    crc = 0;
    CRC32ForText(text, crc);
    crc = ~crc;
    return true;
}

bool CRC32::CRC32RecZaklad(const TRecZU* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kZaklad);
}

bool CRC32::CRC32RecZaklad2(const TRecZU* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kZakladWithoutName, texts::EMPTY);
}

bool CRC32::CRC32RecWniosek(const TRecWniosek* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kWniosek);
}

bool CRC32::CRC32RecAgent(const TRecAgenta* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kAgent);
}

bool CRC32::CRC32RecAgent3(const TRecAgenta3* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kAgent3);
}

bool CRC32::CRC32RecPracownik(const TRecPracownik* rec, std::uint32_t& crc) const {
    return recordChecksum<TRecOsoba>(*this, rec, crc, checksum_order::kOsoba);
}

bool CRC32::CRC32RecZarzad(const TRecZarzad* rec, std::uint32_t& crc) const {
    return recordChecksum<TRecOsoba>(*this, rec, crc, checksum_order::kOsoba);
}

bool CRC32::CRC32RecPelnomocnictwo(const TRecPelnomocnictwo* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kPelnomocnictwo);
}

bool CRC32::CRC32RecPolisaOC(const TRecPolisaOC* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kPolisa);
}

bool CRC32::CRC32RecPolisaOC3(const TRecPolisaOC3* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, checksum_order::kPolisa3);
}

void CRC32::checksumMany(std::span<const std::string_view> fed,
                         std::span<std::uint32_t> out) const {
    const Table& t = table_;
    const auto step = [&t](std::uint32_t c, unsigned char b) {
        return t[(c ^ b) & 0xFF] ^ (c >> 8);
    };

    // One string at a time waits on every look-up; eight side by side keep the loads busy. A
    // lane that finishes takes the next string; strings of like length go in turn, so that
    // lanes finish together. A lane with nothing left feeds a scrap buffer meanwhile.
    constexpr std::size_t kLanes = 8;
    constexpr std::size_t kChunk = 256;
    static const unsigned char scrap[kChunk] = {};
    std::vector<std::uint32_t> order(fed.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return fed[a].size() < fed[b].size(); });

    struct Lane {
        const unsigned char* p = scrap;
        std::size_t left = 0;
        std::uint32_t crc = 0;
        std::uint32_t index = 0;
        bool busy = false;
    };
    Lane lane[kLanes];
    std::size_t next = 0, busy = 0;
    const auto take = [&](Lane& l) {
        l.p = scrap, l.left = 0, l.crc = 0, l.busy = false;
        if (next == order.size()) return;
        l.index = order[next++];
        l.p = reinterpret_cast<const unsigned char*>(fed[l.index].data());
        l.left = fed[l.index].size();
        l.busy = true;
        ++busy;
    };
    for (Lane& l : lane)
        take(l);

    while (busy > 0) {
        std::size_t m = kChunk;
        for (const Lane& l : lane)
            if (l.busy) m = std::min(m, l.left);
        // Eight scalar chains written out: as an array the compiler would make vector
        // shuffles of them.
        const unsigned char *p0 = lane[0].p, *p1 = lane[1].p, *p2 = lane[2].p, *p3 = lane[3].p,
                            *p4 = lane[4].p, *p5 = lane[5].p, *p6 = lane[6].p, *p7 = lane[7].p;
        std::uint32_t c0 = lane[0].crc, c1 = lane[1].crc, c2 = lane[2].crc, c3 = lane[3].crc,
                      c4 = lane[4].crc, c5 = lane[5].crc, c6 = lane[6].crc, c7 = lane[7].crc;
        for (std::size_t k = 0; k < m; ++k) {
            c0 = step(c0, p0[k]), c1 = step(c1, p1[k]), c2 = step(c2, p2[k]);
            c3 = step(c3, p3[k]), c4 = step(c4, p4[k]), c5 = step(c5, p5[k]);
            c6 = step(c6, p6[k]), c7 = step(c7, p7[k]);
        }
        const std::uint32_t c[kLanes] = {c0, c1, c2, c3, c4, c5, c6, c7};
        for (std::size_t i = 0; i < kLanes; ++i) {
            Lane& l = lane[i];
            if (!l.busy) continue;
            l.crc = c[i];
            l.p += m;
            l.left -= m;
            if (l.left == 0) {
                out[l.index] = ~l.crc;
                --busy;
                take(l);
            }
        }
    }
}

}  // namespace tavik
