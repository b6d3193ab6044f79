// The About box: icon, name and version, author, and two links.
#include "ui/dialogs/about_box.h"

#include <cctype>
#include <string>

#include "platform/window.h"

namespace pantrium {

namespace {

// The icon has a number below the links so that it keeps the arrow cursor.
enum : int { kIcon = 300, kMailLink = 301, kWebLink = 302 };

const std::string kMainText = "Pantrium 1.50\r\nWritten by the Pantrium developers";
const std::string kMailAddress = "pantrium@example.org";
const std::string kWebAddress = "https://pantrium.example.org/";
constexpr int kBlue = 0xFF0000;  // RGB 0,0,255 as 0xBBGGRR

}  // namespace

plat::Font CreateStyledFont(const std::string& face, int points, const std::string& style) {
    plat::FontSpec spec;
    spec.face = face;
    spec.height = -(points * plat::ScreenDpiY() / 72);
    for (char c : style) {
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'b': spec.weight = 700; break;
        case 'i': spec.italic = true; break;
        case 'u': spec.underline = true; break;
        default: break;  // other letters mean nothing
        }
    }
    return plat::CreateFont(spec);
}

void ShowAboutBox(plat::Window owner) {
    using namespace plat;
    DialogSpec spec;
    spec.caption = "About My Pantrium";
    spec.width = 200;
    spec.height = 140;
    spec.dialogUnits = true;
    spec.frame = kCaption | kSysMenu | kModalFrame;
    spec.owner = owner;
    spec.controls = {
        {kIcon, Kind::Icon, "GROCERY", {10, 10, 30, 30}, 0},
        {-1, Kind::Label, kMainText, {50, 10, 140, 35}, kNoPrefix},
        {kMailLink, Kind::Label, kMailAddress, {50, 50, 140, 12}, kNotify | kNoPrefix},
        {kWebLink, Kind::Label, kWebAddress, {50, 65, 140, 12}, kNotify | kNoPrefix},
        {1, Kind::Button, "OK", {85, 90, 50, 25}, kTabStop | kDefault},
    };

    Font linkFont = 0;
    RunDialog(spec, [&](Window dlg, const Event& e) {
        switch (e.msg) {
        case Msg::Init:
            SetControlImage(dlg, kIcon, "GROCERY");
            linkFont = CreateStyledFont("MS Sans Serif", 10, "u");
            for (int id : {kMailLink, kWebLink}) {
                SetColors(dlg, id, kBlue, -1);
                SetControlFont(dlg, id, linkFont);
            }
            return 0;
        case Msg::SetCursor:
            // Only the links (the numbered labels) show the hand.
            if (e.id < kMailLink) return 0;
            SetCursor(Cursor::Hand);
            return 1;
        case Msg::Command:
            if (e.id == 1 || e.id == 2) {
                EndDialog(dlg, e.id);
            } else if (e.id == kMailLink) {
                SetCursor(Cursor::Wait);
                ShellOpen("mailto:" + kMailAddress.substr(0, 63) + "?", false);
            } else if (e.id == kWebLink) {
                SetCursor(Cursor::Wait);
                ShellOpen(kWebAddress.substr(0, 63), true);
            }
            return 0;
        case Msg::Destroy:
            DeleteFont(linkFont);
            linkFont = 0;
            return 0;
        default:
            return 0;
        }
    });
}

}  // namespace pantrium
