#include "platform/window/win32/win32_state.h"

namespace plat::win32 {

Win32State& Layer() {
    static Win32State state;
    return state;
}

}  // namespace plat::win32
