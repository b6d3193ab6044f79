// Keyboard on Qt: key hooks and accelerators are kept per control and per
// dialog; the layer's event filter (qt_dialogs.cpp) calls them for every key
// press and release before the control's standard handling.
#include "platform/window/qt/qt_internal.h"

namespace plat {
using namespace plat::qt;

void SetKeyHook(Window dlg, int id, KeyHook hook) {
    if (ControlState* c = ControlOf(dlg, id)) c->hook = std::move(hook);
}

void RemoveKeyHook(Window dlg, int id) {
    if (ControlState* c = ControlOf(dlg, id)) c->hook = nullptr;
}

void SetAccelerators(Window dlg, const std::vector<Accelerator>& table) {
    if (DialogState* st = StateOf(dlg)) st->accelerators = table;
}

}  // namespace plat
