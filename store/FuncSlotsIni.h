#pragma once

#include "store/IniFile.h"
#include "store/Settings.h"

namespace tallix {

class FuncSet;

// The twenty function slots live in section "config" of "tallix.ini", keys
// "func1".."func20", each "t," or "f," (shown or not), the colour, then the
// token codes, comma-separated: a shown slot with colour 255 holding x ^ 2 is
// "t,255,0,7,20".

// Reads the slots into a freshly constructed set. Never fails: a missing key
// leaves its slot as it was, a colour that is not an integer ends the reading
// of that key, and a token field that is not an integer in 0..255 is skipped,
// as is every field past the 4096th. A key without tokens restores only the
// shown flag (the colour then stays the default). Each slot read gets its
// cursor at the start and TokenX -1; CurrentFunc ends at 1 and FuncsChanged
// is left alone. The window lays out every slot afterwards.
void loadFuncSlots(const IniFile& ini, FuncSet& set);

// Writes all twenty keys, empty slots included (as "t,255,": the empty token
// field makes the colour read back). Loading what it wrote gives the same
// shown flags, colours and tokens. The window calls it on close
// when set.FuncsChanged is true, then saves the file.
void storeFuncSlots(IniFile& ini, const FuncSet& set);

// Stores the slots into the settings file as it stands now (other keys kept)
// and writes it; refused, leaving the file alone, when the file could not be
// read at start.
WriteResult saveFuncSlots(SettingsStore& store, const FuncSet& set);

} // namespace tallix
