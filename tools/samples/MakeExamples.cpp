// Writes the example files that `make run` checks and the README shows.
#include <cstdio>
#include <string>

#include "model/ApplicationFile.h"
#include "tools/samples/SampleDocuments.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "użycie: %s KATALOG\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    tavik::samples::SampleShape shape;
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
