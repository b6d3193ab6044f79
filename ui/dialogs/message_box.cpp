// The program's own self-sizing message box and the standard prompt.
#include "ui/dialogs/message_box.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "platform/window.h"

namespace pantrium {

namespace {

constexpr int kGrey = 0xC0C0C0;  // RGB 192,192,192
constexpr int kBlack = 0x000000;
enum : int { kTextLabel = 9990, kFirstButton = 9991, kSecondButton = 9992, kThirdButton = 9993,
             kSingleOk = 9994, kIconControl = 9995 };

struct TextExtent {
    int lines = 1;
    int width = 0;  // of the widest line
};

// The font the message is measured in. The label is drawn in it too: the
// dialog's own font can be a pixel taller, and a label sized for the smaller
// font would then wrap its lines and cut off the last ones.
plat::Font CreateMessageFont() {
    plat::FontSpec spec;
    spec.face = "MS Sans Serif";
    spec.height = -(8 * plat::ScreenDpiY() / 72);
    spec.weight = 400;
    return plat::CreateFont(spec);
}

// Every line, also an empty one after a final CR LF, is measured.
TextExtent MeasureMessage(plat::Font font, const std::string& text) {
    TextExtent extent;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        extent.width = std::max(extent.width, plat::MeasureText(font, line).cx);
        if (end == std::string::npos) break;
        ++extent.lines;
        start = end + 2;
    }
    return extent;
}

plat::SystemIcon IconOfStyle(int iconValue) {
    switch (iconValue) {
    case 16: return plat::SystemIcon::Stop;
    case 32: return plat::SystemIcon::Question;
    case 48: return plat::SystemIcon::Exclamation;
    case 64: return plat::SystemIcon::Information;
    default: return plat::SystemIcon::None;
    }
}

int AnswerOfCommand(int id) {
    switch (id) {
    case kFirstButton: case 1: return 6;
    case kSecondButton: case 2: return 7;
    case kThirdButton: return 2;
    case kSingleOk: return 1;
    default: return 0;
    }
}

int HalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

void AddButton(plat::Window dlg, int id, const std::string& text, int left, int top, int width,
               bool isDefault) {
    plat::AddControl(dlg, {id, plat::Kind::Button, text, {left, top, width, 30},
                           isDefault ? unsigned(plat::kDefault) : 0u});
}

// One use of the box.
struct BoxRequest {
    std::string text;
    int style, beep, left, top;
    plat::Window owner;
    plat::Font font = 0;  // created at Init, deleted at Destroy
    int answer = 0;       // set by the command handler, read when the modal loop ends
};

void InitMessageBox(plat::Window dlg, BoxRequest& req) {
    req.font = CreateMessageFont();
    const TextExtent extent = MeasureMessage(req.font, req.text);
    const int textLeft = req.style > 6 ? 50 : 10;  // room for the icon
    plat::AddControl(dlg, {kTextLabel, plat::Kind::Label, req.text,
                           {textLeft, 5, extent.width, 15 * extent.lines}, 0});
    plat::SetControlFont(dlg, kTextLabel, req.font);
    plat::SetColors(dlg, kTextLabel, kBlack, kGrey);

    const int width = std::max(220, textLeft + extent.width + 10);
    const int height = std::max(120, 20 * extent.lines + 55);
    const int buttonTop = height - 70;
    switch (req.style % 16) {
    case 3:
        AddButton(dlg, kFirstButton, "&Yes", 10, buttonTop, 60, true);
        AddButton(dlg, kSecondButton, "&No", 75, buttonTop, 60, false);
        AddButton(dlg, kThirdButton, "Cancel", 140, buttonTop, 60, false);
        plat::SetFocus(dlg, kFirstButton);
        break;
    case 4:
        AddButton(dlg, kFirstButton, "&Yes", 10, buttonTop, 60, false);
        AddButton(dlg, kSecondButton, "&No", 75, buttonTop, 60, false);
        break;
    case 1:
        AddButton(dlg, kFirstButton, "&Ok", 10, buttonTop, 60, true);
        AddButton(dlg, kSecondButton, "&Cancel", 75, buttonTop, 60, false);
        break;
    default: AddButton(dlg, kSingleOk, "&Ok", 30, buttonTop, 80, true); break;
    }

    plat::Rect place{0, 0, width, height};
    if (req.left != 0 || req.top != 0) {
        place.left = std::max(req.left, 0);
        place.top = std::max(req.top, 0);
    } else {
        // Centred over the owner, or over the work area counted from 0,0.
        const plat::Rect over = req.owner ? plat::GetWindowRect(req.owner) : plat::WorkArea();
        const int originX = req.owner ? over.left : 0;
        const int originY = req.owner ? over.top : 0;
        place.left = originX + HalfEven((over.width - width) / 2.0);
        place.top = originY + HalfEven((over.height - height) / 2.0);
    }
    plat::MoveWindow(dlg, place);

    const int iconValue = req.style - req.style % 16;
    plat::AddControl(dlg, {kIconControl, plat::Kind::Icon, "", {10, 5, 32, 32}, 0});
    plat::SetColors(dlg, kIconControl, kBlack, kGrey);
    const plat::SystemIcon icon = IconOfStyle(iconValue);
    if (icon != plat::SystemIcon::None) plat::SetControlIcon(dlg, kIconControl, icon);

    if (req.style % 16 == 3 || req.style % 16 == 4 || req.style % 16 == 1)
        plat::SetDefaultButton(dlg, kFirstButton, true);
    plat::SetTopMost(dlg);
    if (req.beep) plat::Beep(icon == plat::SystemIcon::None ? 0 : iconValue);
}

}  // namespace

int MessageBoxEx(const std::string& text, int style, const std::string& caption, int beep,
                 int left, int top) {
    BoxRequest req{text, style, beep, left, top, plat::ActiveWindow()};
    plat::DialogSpec spec;
    spec.caption = caption;
    spec.width = 200;
    spec.height = 100;
    spec.frame = plat::kCaption | plat::kModalFrame;
    spec.owner = req.owner;
    spec.background = kGrey;
    plat::RunDialog(spec, [&req](plat::Window dlg, const plat::Event& e) -> int {
        switch (e.msg) {
        case plat::Msg::Init: InitMessageBox(dlg, req); return 0;
        case plat::Msg::Command:
            req.answer = AnswerOfCommand(e.id);
            plat::EndDialog(dlg, req.answer);
            return 1;
        case plat::Msg::Close:  // Alt+F4 acts as the cancel command
            req.answer = AnswerOfCommand(2);
            plat::EndDialog(dlg, req.answer);
            return 1;
        case plat::Msg::Destroy:
            plat::DeleteFont(req.font);
            req.font = 0;
            return 0;
        default: return 0;
        }
    });
    return req.answer;
}

int StandardPrompt(const std::string& text, const std::string& caption, int style) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return plat::Prompt(text, caption.empty() ? "Pantrium" : caption, style);
}

}  // namespace pantrium
