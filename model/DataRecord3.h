#pragma once

#include <string>
#include <vector>

#include "model/DataRecord2.h"

namespace tavik {

// Version 3: the agent's deletion data and the policy's insurer code. New documents are of
// this version, and only it splits a document into one file per application.
class DataRecord3 : public DataRecord2 {
public:
    // Writes name_1.rpa, name_2.rpa … (".rpa" is added to a name that does not end with it,
    // compared exactly), each with the undertaking, one application and its records. All or
    // nothing: every file is written to its temporary file first, and the targets are replaced
    // only when all of them are written, so a failure (a full disk at the third file) leaves
    // every target as it was, no temporary file behind, and says which file failed and why.
    bool ZapiszDoPlikow(const std::string& fileName);
    // The files written by the last successful split; empty after a failure.
    const std::vector<std::string>& writtenFiles() const { return writtenFiles_; }

protected:
    const FileVersion& format() const override;

private:
    std::vector<std::string> writtenFiles_;
};

}  // namespace tavik
