// The naming rule every window layer gives a screen reader (see the
// accessibility section of platform/window.h).
#pragma once
#include <string>

#include "platform/window.h"

namespace plat {

// Controls that show no text of their own and so take a name from elsewhere.
bool NamedFromOutside(Kind kind);
// A label's text as a name: "&" marks taken out ("&&" is one "&") unless the
// label shows them as they are, blanks and line breaks at either end dropped.
std::string LabelAsName(const std::string& text, unsigned style);
// The name a control gets from the control created immediately before it:
// that label's text, or empty when the control before it is no label.
std::string NameFromPrevious(const ControlSpec* previous, Kind kind);

}  // namespace plat
