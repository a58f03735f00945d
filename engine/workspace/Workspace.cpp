#include "engine/workspace/Workspace.h"

namespace tallix {

Workspace::Workspace()
    : calc_(shared_), funcs_(std::make_unique<FuncSet>()), funcEditor_(*funcs_, shared_),
      mat_(std::make_unique<MatState>()) {}

void Workspace::setCalcDisplay(const CalcDisplaySettings& s, bool autoscroll) {
    calc_.setDisplaySettings(s);
    calc_.autoscroll = autoscroll;
}

const PrimeSieve& Workspace::primeSieve() {
    if (!primes_) primes_ = std::make_unique<PrimeSieve>();
    return *primes_;
}

} // namespace tallix
