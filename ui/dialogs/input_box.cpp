// A small one-line text prompt of the program's own.
#include <algorithm>
#include <string>

#include "data/number_text.h"
#include "platform/window.h"
#include "ui/dialogs/categories_dialog.h"
#include "ui/dialogs/unheld_text.h"

namespace pantrium {

namespace {

constexpr int kInputEdit = 9999;

plat::Font DialogFont() {
    // The dialogs' font, "MS Sans Serif" 8 point, as a character height.
    plat::FontSpec spec;
    spec.face = "MS Sans Serif";
    spec.height = -((8 * plat::ScreenDpiY() + 36) / 72);
    spec.weight = 400;
    return plat::CreateFont(spec);
}

}  // namespace

std::string InputBox(const std::string& prompt, const std::string& caption,
                     const std::string& defaultText) {
    const plat::Font font = DialogFont();
    const int promptWidth = plat::MeasureText(font, prompt.substr(0, 255)).cx;
    const int captionWidth = plat::MeasureText(font, caption.substr(0, 255)).cx;
    const int textWidth = plat::MeasureText(font, defaultText.substr(0, 255)).cx;
    plat::DeleteFont(font);
    const int defaultWidth = defaultText.empty() ? 130 : static_cast<int>(RoundHalfEven(1.2 * textWidth));
    const int w = std::max({150, defaultWidth + promptWidth, captionWidth});

    using namespace plat;
    DialogSpec spec;
    spec.caption = caption;
    spec.width = 0;  // centred for this size, then widened to the right
    spec.height = 75;
    spec.frame = kCaption | kSysMenu | kModalFrame;
    spec.owner = 0;  // nothing is disabled while it waits
    spec.controls = {
        {-1, Kind::Label, prompt, {5, 15, promptWidth + 5, 20}, 0},
        {kInputEdit, Kind::Edit, defaultText, {5 + promptWidth, 15, defaultWidth + 5, 20},
         kTabStop | kClientEdge | kAutoHScroll},
        {1, Kind::Button, "Ok", {w - 50, 50, 60, 25}, kTabStop | kDefault},
    };

    std::string answer;
    bool asking = false;  // the question about text the list file cannot hold waits
    RunDialog(spec, [&](Window dlg, const Event& e) {
        if (asking) return e.msg == Msg::Close ? 1 : 0;
        if (e.msg == Msg::Init) {
            const Rect outer = GetWindowRect(dlg);
            MoveWindow(dlg, {outer.left, outer.top, w + 40, 120});
            SetFocus(dlg, kInputEdit);
            return 1;  // the focus is set
        }
        if (e.msg == Msg::Command && e.id == 1) {
            asking = true;
            const bool mayStore = MayStoreTypedText(dlg, kInputEdit, "text", caption);
            asking = false;
            if (!mayStore) return 0;
            answer = GetText(dlg, kInputEdit).substr(0, 255);
            EndDialog(dlg, 1);
        } else if (e.msg == Msg::Command && e.id == 2) {
            answer.clear();
            EndDialog(dlg, 2);
        }
        return 0;
    });
    return answer;
}

}  // namespace pantrium
