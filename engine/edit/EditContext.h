#pragma once

#include "engine/core/Extended.h"
#include "engine/edit/TokenLine.h"

namespace tallix {

// What the editors of one run share: the angle unit their evaluations use and
// the token clipboard. The workspace owns the run's one copy; an editor made
// on its own (a test, the command-line tool) owns a private one.
struct EditContext {
    TrigMode trig = TrigMode::Radians;
    TokenClipboard clipboard;
};

} // namespace tallix
