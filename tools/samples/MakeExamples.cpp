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
#include "model/DataRecord3.h"
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

bool save(tavik::DataRecord& document, const std::string& path) {
    if (document.ZapiszDoPliku(path)) return true;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), document.lastFailure().text.c_str());
    return false;
}

// An application file of each kind (version 3, one application each), files of the two older
// versions, an import file of several applications and a response file of each version.
int writeExamples(const std::string& folder) {
    SampleShape shape;
    shape.applications = 3;  // an entry, an update and a deletion
    for (int version = 1; version <= 2; ++version) {
        tavik::samples::SampleDocument sample(version, shape, 2026 + version);
        auto document = tavik::makeDocumentOfVersion(version);
        sample.listInto(*document);
        if (!save(*document, folder + "/przyklad-" + std::to_string(version) + ".0.rpa")) return 1;
    }
    tavik::samples::SampleDocument kinds(3, shape, 2029);
    tavik::DataRecord3 split;
    kinds.listInto(split);
    if (!split.ZapiszDoPlikow(folder + "/przyklad")) return 1;
    const char* names[] = {"wpis", "aktualizacja", "wykreslenie"};
    for (std::size_t i = 0; i < split.writtenFiles().size() && i < 3; ++i)
        if (std::rename(split.writtenFiles()[i].c_str(),
                        (folder + "/przyklad-" + names[i] + ".rpa").c_str()) != 0)
            return 1;

    shape.applications = 4;
    tavik::samples::SampleDocument imported(3, shape, 2030);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < imported.records().size(); ++i)
        if (imported.kinds()[i] != tavik::KIND_ZAKLAD)
            lines.push_back(tavik::exportLine(*imported.records()[i], imported.kinds()[i], {}));
    if (!writeBytes(folder + "/przyklad-import.cia", tavik::exportText(lines))) return 1;

    tavik::samples::ResponseShape answers;
    answers.agents = 3;
    for (int version : {1, 3})
        if (!writeBytes(folder + "/przyklad-odpowiedz-" + std::to_string(version) + ".coa",
                        tavik::samples::sampleResponseText(version, answers, 2031 + version)))
            return 1;
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
