// The main window's function slots and graph: loading, saving on close.
#include "engine/func/FuncSet.h"
#include "store/FuncSlotsIni.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/GraphView.h"

namespace tallix {

void TtallixMainForm::loadFuncs() {
    funcs_ = std::make_unique<FuncSet>();
    loadFuncSlots(store_.ini(), *funcs_); // store_ has read the file
}

// Writes the slots into "tallix.ini" as it stands now (other keys kept). A
// failed write is reported and leaves the old file.
void TtallixMainForm::saveFuncs() {
    if (!funcs_->FuncsChanged) return;
    if (checkWrite(saveFuncSlots(store_, *funcs_))) funcs_->FuncsChanged = false;
}

void TtallixMainForm::graphChanged() {
    funcs_->InvalidateFuncCacheAll();
    graph_->markDirty();
}

} // namespace tallix
