#pragma once

#include "interchange/ReadOdp.h"

namespace tavik {

// Reads a version-3 response file: the header is tagged "OD3" and the agent line carries two
// more fields; the header is linked to its agent too.
class ReadOdp3 : public ReadOdp {
public:
    explicit ReadOdp3(std::string kodZU);
    ~ReadOdp3() override;

protected:
    void CzytajAgenta() override;
};

}  // namespace tavik
