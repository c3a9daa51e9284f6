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

    // Each application opens a file of its own that starts with the undertaking.
    RpaWriter writer(format());
    const _RecData* zaklad = nullptr;
    std::string current;
    int count = 0;
    const auto closeCurrent = [&] {
        if (!writer.isOpen()) return true;
        if (!writer.finish()) return false;
        writtenFiles_.push_back(current);
        return true;
    };
    bool ok = true;
    for (const _RecData* entry : RecDataList) {
        if (entry->kind == KIND_ZAKLAD) {
            zaklad = entry;
            continue;
        }
        if (entry->kind == KIND_WNIOSEK) {
            if (!(ok = closeCurrent())) break;
            current = base + "_" + std::to_string(++count) + ".rpa";
            ok =
                writer.startFile(current) && (!zaklad || writer.write(zaklad->record, KIND_ZAKLAD));
            if (!ok) break;
        }
        if (!(ok = writer.write(entry->record, entry->kind))) break;
    }
    ok = ok && closeCurrent();
    finishSave(writer, ok);
    return ok;
}

}  // namespace tavik
