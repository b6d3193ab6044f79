// What only the Qt layer shows: UTF-8 control texts, the stand-in faces for
// the Windows fonts the program asks for, the widgets' own look (a sunken
// label, the "&" shown as is, colours, the pointer's shape), the rows drawn
// with their tab stops, dialog units by the font's base units; Qt's own
// file dialog and message box as the program sets them up.
#include "window_suite.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>

#include "platform/window/qt/qt_hooks.h"
#include "platform/window/qt/qt_internal.h"

namespace window {
namespace {

const char* const kSection = "qt";

using plat::qt::ControlOf;
using plat::qt::StateOf;
using plat::qt::U;

QWidget* W(Window dlg, int id) { return ControlOf(dlg, id)->widget; }

// Control and list texts are the list file's ANSI text (Windows-1252 here),
// shown as their characters; captions are UTF-8.
CONFORMANCE_CASE(kSection, "control and list texts are ANSI, shown as their characters") {
    RunShown(MainSpec(), [](Window dlg) {
        auto* edit = static_cast<QLineEdit*>(W(dlg, kEdit));
        SetText(dlg, kEdit, "K\xE4se \x80");
        CheckEq(U(edit->text()), std::string("K\xC3\xA4se \xE2\x82\xAC"), "0xE4 and 0x80 show as a umlaut and the euro");
        CheckEq(GetText(dlg, kEdit), std::string("K\xE4se \x80"), "and come back as those bytes");
        edit->setText(QString::fromUtf8("K\xC3\xA4se \xCE\xA9 \xCE\xA9"));  // what the user typed: "Käse Ω Ω"
        CheckEq(GetText(dlg, kEdit), std::string("K\xE4se ? ?"), "a letter 1252 lacks comes back as \"?\"");
        CheckEq(CharactersLostInAnsi(dlg, kEdit), std::vector<std::string>{"\xCE\xA9"}, "and is named, once");
        SetText(dlg, kEdit, "K\xC3\xA4se");  // as an earlier Linux version stored it
        CheckEq(U(edit->text()), std::string("K\xC3\xA4se"), "UTF-8 of an earlier version shows as it was meant");
        CheckEq(GetText(dlg, kEdit), std::string("K\xE4se"), "and comes back in ANSI");
        ListAdd(dlg, kCombo, "\xE9picerie");
        CheckEq(ListText(dlg, kCombo, 0), std::string("\xE9picerie"), "list texts are ANSI both ways");
        CheckEq(U(W(dlg, kCombo)->findChild<QListWidget*>()->item(0)->text()), std::string("\xC3\xA9picerie"),
                "and shown as their characters");
        SetCaption(dlg, "\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8.ptm");
        CheckEq(GetCaption(dlg), std::string("\xD0\xBF\xD0\xBE\xD0\xBA\xD1\x83\xD0\xBF\xD0\xBA\xD0\xB8.ptm"),
                "a caption is UTF-8 both ways");
    });
}

CONFORMANCE_CASE(kSection, "a missing face gets a stand-in of the same size") {
    const QString standIn = plat::qt::StandInFace("MS Sans Serif");
    Check(QFontDatabase::families().contains(standIn), "the stand-in for \"MS Sans Serif\" is an installed face: " +
                                                           standIn.toStdString());
    Font f = CreateFont(FontSpec{"MS Sans Serif", -(8 * ScreenDpiY() + 36) / 72, 400});
    Size abc = MeasureText(f, "abc");
    Check(abc.cx > 0 && abc.cy >= 11 && abc.cy <= 16, "a stand-in of the same size for a missing face");
    DeleteFont(f);
}

CONFORMANCE_CASE(kSection, "the widgets' look: sunken label, the \"&\" as is, colours, the pointer") {
    RunShown(MainSpec(), [](Window dlg) {
        Check(static_cast<QLabel*>(W(dlg, -1))->frameShadow() == QFrame::Sunken, "static edge on a label");
        Check(static_cast<QLabel*>(W(dlg, kLink))->text() == "a&b", "a label without prefix shows its \"&\"");
        SetColors(dlg, kLink, 0xFF0000, -1);  // blue (0x00BBGGRR)
        Check(W(dlg, kLink)->palette().color(QPalette::WindowText) == QColor(0, 0, 255), "label text colour");
        User().Hover(dlg, kLink);
        WaitFor([] { return Recorded().Saw(Msg::SetCursor, kLink); });
        CheckEq(static_cast<int>(W(dlg, kLink)->cursor().shape()), static_cast<int>(Qt::PointingHandCursor),
                "the callback's cursor is shown over the control");
        SetFocus(dlg, kList);
        Check(QApplication::focusWidget() == W(dlg, kList), "SetFocus moves Qt's focus when the window is shown");
    }, [](Window, const Event& e) {
        if (e.msg != Msg::SetCursor || e.id != kLink) return 0;
        SetCursor(Cursor::Hand);
        return 1;
    });
}

// Rightmost dark pixel of the first row between x0 and x1 (list viewport pixels).
int RightmostInk(QListWidget* list, int x0, int x1) {
    QImage image = list->viewport()->grab().toImage();
    QRect row = list->visualItemRect(list->item(0));
    qreal ratio = image.devicePixelRatio();
    int found = -1;
    for (int x = x0; x < x1; ++x)
        for (int y = row.top(); y <= row.bottom(); ++y) {
            QColor c = image.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
            if (c.red() + c.green() + c.blue() < 3 * 128) found = x;
        }
    return found;
}

CONFORMANCE_CASE(kSection, "rows end right-aligned fields at their tab stops") {
    RunShown(MainSpec(), [](Window dlg) {
        auto* list = static_cast<QListWidget*>(W(dlg, kList));
        ListAdd(dlg, kList, "\tx\tMilk\t2.00\t5.00");
        ListSetTabStops(dlg, kList, {3, 20, -60, -90});
        ListSetSel(dlg, kList, -1);
        SetFocus(dlg, kEdit);
        int avg = plat::qt::AverageCharWidth(list->font());
        auto px = [avg](int units) { return (units * avg + 2) / 4; };
        int units = px(60), cost = px(90);
        WaitFor([&] { return RightmostInk(list, px(21), units + 4) >= 0; });  // drawn
        int unitsInk = RightmostInk(list, px(21), units + 4);
        int costInk = RightmostInk(list, units + 4, cost + 4);
        Info("units stop " + std::to_string(units) + " px, ink ends " + std::to_string(unitsInk) + "; cost stop " +
             std::to_string(cost) + " px, ink ends " + std::to_string(costInk));
        Check(unitsInk >= units - 3 && unitsInk <= units, "units text ends at its right-aligned stop");
        Check(costInk >= cost - 3 && costInk <= cost, "cost text ends at its right-aligned stop");
        int markInk = RightmostInk(list, 0, px(20));
        Check(markInk >= px(3) && markInk < px(20), "the mark starts at its left stop");
    });
}

CONFORMANCE_CASE(kSection, "dialog units are mapped by the font's base units; icons are shown") {
    RunShown(DialogUnitsSpec(), [](Window dlg) {
        plat::qt::DialogState* st = StateOf(dlg);
        int bx = plat::qt::AverageCharWidth(st->font), by = QFontMetrics(st->font).height();
        Check(User().ControlRect(dlg, 1) ==
                  Rect{(85 * bx + 2) / 4, (90 * by + 4) / 8, (50 * bx + 2) / 4, (25 * by + 4) / 8},
              "dialog-unit controls are mapped by the font's base units");
        Check(st->client->width() == (200 * bx + 2) / 4 && st->client->height() == (140 * by + 4) / 8,
              "dialog-unit client size");
        SetControlIcon(dlg, -1, SystemIcon::Information);
        Check(!static_cast<QLabel*>(W(dlg, -1))->pixmap().isNull(), "a system icon is shown");
    });
}

// The sizes the program's icon is drawn in (resources/make_resources.py).
bool HasIconSizes(const QIcon& icon) {
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 24, 32, 48, 64})
        if (!sizes.contains(QSize(s, s))) return false;
    return true;
}

CONFORMANCE_CASE(kSection, "the program's icon is built in and reaches the window and every later one") {
    RunShown(MainSpec(), [](Window dlg) {
        SetDialogIcon(dlg, "GROCERY");
        QIcon icon = StateOf(dlg)->frame->windowIcon();
        Check(!icon.isNull(), "the window's icon is the program's, not empty");
        Check(HasIconSizes(icon), "the window's icon has the 16, 24, 32, 48 and 64 px images");
        Check(HasIconSizes(QApplication::windowIcon()), "message boxes and file dialogs get it too");
        DialogSpec child;
        child.caption = "Child";
        child.width = 120;
        child.height = 60;
        child.owner = dlg;
        child.controls = {{1, Kind::Button, "OK", {10, 10, 60, 25}, kDefault},
                          {kLink, Kind::Icon, "GROCERY", {80, 10, 30, 30}, 0}};
        RunShown(child, [](Window inner) {
            Check(HasIconSizes(StateOf(inner)->frame->windowIcon()), "a later dialog shows the icon");
            SetControlImage(inner, kLink, "GROCERY");
            Check(!static_cast<QLabel*>(W(inner, kLink))->pixmap().isNull(), "an icon control shows the image");
        });
    });
}

// Runs show while a timer hands the first visible top-level widget of type T
// to act (once), with the driver's stand-ins for Qt's dialogs put aside.
template <class T>
void WithShown(const std::function<void()>& show, const std::function<void(T*)>& act) {
    plat::qt::TestHooks saved = plat::qt::Hooks();
    plat::qt::Hooks().fileDialog = nullptr;
    plat::qt::Hooks().prompt = nullptr;
    QTimer timer;
    bool acted = false;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<T*>(w); shown && shown->isVisible() && !acted) {
                acted = true;
                act(shown);
            }
    });
    timer.start(20);
    show();
    plat::qt::Hooks() = saved;
    Check(acted, "the dialog showed");
}

CONFORMANCE_CASE(kSection, "Qt's file dialog names each filter's patterns once") {
    RunShown(MainSpec(), [](Window dlg) {
        QStringList filters;
        WithShown<QFileDialog>(
            [dlg] {
                FileDialogRequest r;
                r.owner = dlg;
                r.filter = std::string("Pantriums (*.ptm)\0*.ptm\0All Files (*.*)\0*.*\0Text\0*.txt;*.csv\0\0", 62);
                GetOpenFileName(r);
            },
            [&](QFileDialog* d) {
                filters = d->nameFilters();
                d->reject();
            });
        CheckEq(filters.join("|").toStdString(), "Pantriums (*.ptm)|All Files (*.*)|Text (*.txt *.csv)",
                "a name that shows its patterns keeps them once; another gets them added");
    });
}

CONFORMANCE_CASE(kSection, "Escape answers No in a Yes/No question and Cancel where there is one") {
    RunShown(MainSpec(), [](Window) {
        for (auto [style, expected] : {std::pair{4, 7}, std::pair{36, 7}, std::pair{35, 2}}) {
            int answer = 0;
            WithShown<QMessageBox>([&] { answer = Prompt("Go on?", "Question", style); },
                                   [](QMessageBox* box) {
                                       QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                                       QApplication::sendEvent(box, &escape);
                                   });
            CheckEq(answer, expected, "Escape's answer for style " + std::to_string(style));
        }
    });
}

}  // namespace
}  // namespace window
