#include "model/DataRecord3.h"

#include "model/RpaWriter.h"

namespace tavik {

const FileVersion& DataRecord3::format() const {
    return fileVersion3();
}

bool DataRecord3::ZapiszDoPlikow(const std::string& fileName) {
    writtenFiles_.clear();
    std::string name = fileName;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".rpa") != 0) name += ".rpa";
    const std::string base = name.substr(0, name.size() - 4);
    failure_ = {};
    if (RecDataList.empty()) return false;

    // Each application opens a file of its own that starts with the undertaking. Files are
    // written to their temporary files; none replaces its target before all are written.
    RpaWriter writer(format());
    StagedFiles staged;
    std::vector<std::string> names;
    const _RecData* zaklad = nullptr;
    const auto stageCurrent = [&] {
        if (!writer.isOpen()) return true;
        std::unique_ptr<AtomicFileOutput> file = writer.finishStaged();
        if (!file) return false;
        staged.add(std::move(file));
        return true;
    };
    bool ok = true;
    for (const _RecData* entry : RecDataList) {
        if (entry->kind == KIND_ZAKLAD) {
            zaklad = entry;
            continue;
        }
        if (entry->kind == KIND_WNIOSEK) {
            if (!(ok = stageCurrent())) break;
            names.push_back(base + "_" + std::to_string(names.size() + 1) + ".rpa");
            ok = writer.startFile(names.back()) &&
                 (!zaklad || writer.write(zaklad->record, KIND_ZAKLAD));
            if (!ok) break;
        }
        if (!(ok = writer.write(entry->record, entry->kind))) break;
    }
    ok = ok && stageCurrent();
    finishSave(writer, ok);
    if (!ok) return false;  // the staged files are removed with `staged`

    if (!staged.publishAll()) {
        const AtomicFileOutput* failed = staged.failed();
        failure_ = RpaWriter::writeFailure(failed->targetPath(), failed->errorText());
        return false;
    }
    writtenFiles_ = std::move(names);
    return true;
}

}  // namespace tavik
