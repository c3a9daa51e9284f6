#include "interchange/ReadOdp3.h"

namespace tavik {

ReadOdp3::ReadOdp3(std::string kodZU) : ReadOdp(std::move(kodZU), "OD3") {}

ReadOdp3::~ReadOdp3() = default;

void ReadOdp3::CzytajAgenta() {
    TRecAgentOdp* agent = appendAgent(readAgentLine(true));
    // The version-3 header names the agent it answers about.
    if (odpowiedz_) odpowiedz_->AgentOdp = agent;
}

}  // namespace tavik
