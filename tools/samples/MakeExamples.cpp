// Writes the example files that `make run` checks and the README shows, or, with
// --fuzz-corpus, the seeds of the fuzz targets.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "interchange/TextExport.h"
#include "model/ApplicationFile.h"
#include "model/FileHeader.h"
#include "tools/samples/SampleDocuments.h"
#include "tools/samples/SampleResponses.h"

namespace {

using tavik::samples::SampleShape;

bool writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int writeExamples(const std::string& folder) {
    SampleShape shape;
    shape.applications = 3;
    for (int version = 1; version <= 3; ++version) {
        tavik::samples::SampleDocument sample(version, shape, 2026 + version);
        auto document = tavik::makeDocumentOfVersion(version);
        sample.listInto(*document);
        const std::string path = folder + "/przyklad-" + std::to_string(version) + ".0.rpa";
        if (!document->ZapiszDoPliku(path)) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), document->lastFailure().text.c_str());
            return 1;
        }
    }
    return 0;
}

// The text import's seeds: small version-3 documents as the export writes them.
int writeCiaSeeds(const std::string& cia, std::span<const SampleShape> shapes) {
    ::mkdir(cia.c_str(), 0777);
    int n = 0;
    for (const SampleShape& shape : shapes) {
        tavik::samples::SampleDocument sample(3, shape, ++n);
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < sample.records().size(); ++i)
            if (sample.kinds()[i] != tavik::KIND_ZAKLAD)
                lines.push_back(tavik::exportLine(*sample.records()[i], sample.kinds()[i], {}));
        if (!writeBytes(cia + "/file-" + std::to_string(n), tavik::exportText(lines))) return 1;
    }
    return 0;
}

// The response readers' seeds: small response files of both versions.
int writeOdpSeeds(const std::string& odp) {
    ::mkdir(odp.c_str(), 0777);
    const tavik::samples::ResponseShape shapes[] = {{1, 1, 1, 1, 1}, {2, 0, 2, 1, 0}};
    int n = 0;
    for (int version : {1, 3}) {
        for (const tavik::samples::ResponseShape& shape : shapes) {
            ++n;
            const std::string text = tavik::samples::sampleResponseText(version, shape, n);
            if (!writeBytes(odp + "/file-" + std::to_string(n), text)) return 1;
        }
    }
    return 0;
}

int writeFuzzCorpus(const std::string& folder) {
    const std::string rpa = folder + "/rpa";
    ::mkdir(folder.c_str(), 0777);
    ::mkdir(rpa.c_str(), 0777);
    const SampleShape shapes[] = {{1, 1, 1, 1, 1}, {2, 0, 1, 0, 1}, {3, 3, 5, 2, 2}};
    int n = 0;
    for (int version = 1; version <= 3; ++version) {
        for (const SampleShape& shape : shapes) {
            const std::string file = tavik::samples::sampleFileBytes(version, shape, ++n);
            // The whole file, and its records alone after a byte that names the version.
            const std::string records =
                static_cast<char>(version - 1) + file.substr(tavik::kFileHeaderSize);
            if (!writeBytes(rpa + "/file-" + std::to_string(n), file) ||
                !writeBytes(rpa + "/records-" + std::to_string(n), records))
                return 1;
        }
    }
    if (writeOdpSeeds(folder + "/odp") != 0) return 1;
    return writeCiaSeeds(folder + "/cia", shapes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2) return writeExamples(argv[1]);
    if (argc == 3 && std::string(argv[1]) == "--fuzz-corpus") return writeFuzzCorpus(argv[2]);
    std::fprintf(stderr, "użycie: %s KATALOG | --fuzz-corpus KATALOG\n", argv[0]);
    return 2;
}
