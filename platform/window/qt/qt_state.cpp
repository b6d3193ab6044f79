#include "platform/window/qt/qt_state.h"

namespace plat::qt {

QtState& Layer() {
    static QtState state;
    return state;
}

}  // namespace plat::qt
