#include "model/ApplicationFile.h"

#include "model/FileHeader.h"

namespace tavik {

namespace {

// Lets the document close a stream it does not own.
class BorrowedInput : public InputStream {
public:
    explicit BorrowedInput(InputStream& in) : in_(in) {}
    std::size_t read(char* dst, std::size_t n) override { return in_.read(dst, n); }

private:
    InputStream& in_;
};

std::unique_ptr<DataRecord> readWith(int version, std::unique_ptr<InputStream> handle,
                                     const TRecZU& configured) {
    std::unique_ptr<DataRecord> document = makeDocumentOfVersion(version);
    document->ZakladWzorcowy = std::make_unique<TRecZU>(configured);
    document->CzytajPlik(std::move(handle));
    return document;
}

}  // namespace

std::unique_ptr<DataRecord> makeDocumentOfVersion(int version) {
    switch (version) {
        case 1: return std::make_unique<DataRecord>();
        case 2: return std::make_unique<DataRecord2>();
        case 3: return std::make_unique<DataRecord3>();
        default: return nullptr;
    }
}

std::unique_ptr<DataRecord> readApplicationFile(const std::string& path, const TRecZU& configured) {
    std::unique_ptr<InputStream> handle;
    const int version = CzytajNaglowek(path, handle);
    return readWith(version, std::move(handle), configured);
}

std::unique_ptr<DataRecord> readApplicationFile(InputStream& in, const TRecZU& configured) {
    const int version = CzytajNaglowek(in);
    return readWith(version, std::make_unique<BorrowedInput>(in), configured);
}

}  // namespace tavik
