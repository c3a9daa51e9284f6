#include <gtest/gtest.h>

#include "interchange/walidacja.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

// Runs the record check of a record's kind and version.
void check(TRecord& record, RecordKind kind, int version) {
    int code = 0;
    switch (kind) {
        case KIND_WNIOSEK: SprawdzWniosek(code, static_cast<TRecWniosek*>(&record)); break;
        case KIND_AGENT:
            if (version == 1) SprawdzAgenta(code, static_cast<TRecAgenta*>(&record));
            if (version == 2) SprawdzAgenta2(code, static_cast<TRecAgenta2*>(&record));
            if (version == 3) SprawdzAgenta3(code, static_cast<TRecAgenta3*>(&record));
            break;
        case KIND_PRACOWNIK: SprawdzPracownika(code, static_cast<TRecPracownik*>(&record)); break;
        case KIND_ZARZAD: SprawdzCzlonkaZarzadu(code, static_cast<TRecZarzad*>(&record)); break;
        case KIND_POLISA:
            if (version == 3)
                SprawdzPolise3(code, static_cast<TRecPolisaOC3*>(&record));
            else
                SprawdzPolise(code, static_cast<TRecPolisaOC*>(&record));
            break;
        case KIND_PELNOMOCNICTWO:
            SprawdzPelnomocnictwo(code, static_cast<TRecPelnomocnictwo*>(&record));
            break;
        default: break;
    }
}

// The examples, the benchmarks and the golden files rely on it: every sample record passes its
// check and is already in the form the check leaves it in.
TEST(SampleDocument, EveryRecordPassesItsCheckUnchanged) {
    samples::SampleShape shape;
    shape.applications = 60;
    for (int version = 1; version <= 3; ++version) {
        samples::SampleDocument sample(version, shape, 7);
        for (std::size_t i = 0; i < sample.records().size(); ++i) {
            TRecord& record = *sample.records()[i];
            std::vector<std::string> before;
            for (const auto& f : record.fields())
                before.push_back(f.field->str());
            try {
                check(record, sample.kinds()[i], version);
            } catch (const Exception& e) {
                ADD_FAILURE() << "version " << version << ", record " << i << ": " << e.message();
                continue;
            }
            const auto after = record.fields();
            for (std::size_t f = 0; f < after.size(); ++f)
                EXPECT_EQ(after[f].field->str(), before[f])
                    << "version " << version << ", record " << i << ", " << after[f].name;
        }
    }
}

}  // namespace
}  // namespace tavik
