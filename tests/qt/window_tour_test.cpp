// A tour of every window of the program on the Qt layer: each one is opened
// the way a user opens it and photographed (PNG files in the build folder's
// screenshots-qt/), then checked to be a drawn window of its dialog's size.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <set>

#include "dialogs_test_support.h"
#include "platform/window/qt/qt_hooks.h"
#include "platform/window/qt/qt_internal.h"

namespace pantrium::test {
namespace {

using script::AnswerPrompt;
using script::ChooseMenu;
using script::Click;
using script::Then;

const QString kShotDir = PANTRIUM_QT_SHOT_DIR;

// The window's picture: drawn (more than a few colours) and saved.
void CheckAndSave(QWidget* window, const std::string& name) {
    QImage image = window->grab().toImage();
    ASSERT_FALSE(image.isNull()) << name;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 3u) << name << " shows nothing";
    QDir().mkpath(kShotDir);
    EXPECT_TRUE(image.save(kShotDir + "/" + QString::fromStdString(name) + ".png")) << name;
}

void Shot(const std::string& name) {
    Then([name] {
        plat::Window dlg = script::ActiveDialog();
        ASSERT_NE(dlg, 0u) << name;
        plat::qt::DialogState* st = plat::qt::StateOf(dlg);
        CheckAndSave(st->frame, name);
        // The client area has the dialog's size (the message box and the input box size themselves to their texts).
        if (!st->spec.dialogUnits && name != "units-history" && name != "input-box") {
            EXPECT_EQ(st->frame->size(), QSize(st->spec.width, st->spec.height)) << name;
        }
    });
}

class WindowTour : public UiTest {};

TEST_F(WindowTour, EveryWindowIsDrawnAtItsSize) {
    TempDir dir;
    PutCategories({"produce", "dairy", "bakery"});
    PutItem({"Bananas", "bunch", 0.59f, 1, 0, 0, {{"3-1-24", 2}, {"3-11-24", 3}, {"3-21-24", 2}}});
    PutItem({"Milk", "1 gallon", 3.49f, 2, kToBuy, 2, {{"3-1-24", 4}, {"3-15-24", 4}}});
    PutItem({"Bread", "loaf", 2.49f, 3, 0, 0, {{"3-19-24", 1}}});
    PutItem({"Birthday candles", "box", 1.5f, 0, kSpecialBuy, 0});
    WriteListFile("my Pantrium.ptm");

    script::SelectRow(kItemList, 1);
    Shot("main-window");
    // Maximised, the item list takes the room and what stands below it keeps
    // its distance to the bottom edge; restored, everything is back.
    Then([] {
        plat::qt::DialogState* st = plat::qt::StateOf(script::ActiveDialog());
        const QSize first = st->frame->size();
        QWidget* list = plat::qt::ControlOf(script::ActiveDialog(), kItemList)->widget;
        QWidget* units = plat::qt::ControlOf(script::ActiveDialog(), kUnitsBox)->widget;
        const QRect list0 = list->geometry(), units0 = units->geometry();
        // Offscreen at 2x the screen holds less than the window's first size,
        // and a display without a window manager maximises nothing: there the
        // border's drag shows the larger window instead.
        const QSize screen = st->frame->screen()->availableGeometry().size();
        bool roomy = screen.width() > first.width() + 100 && screen.height() > first.height() + 150;
        if (roomy) st->frame->showMaximized();
        roomy = roomy && drivers::TheUser().PumpUntil([&] { return st->frame->width() > first.width(); }, 3000);
        if (!roomy) {
            st->frame->showNormal();
            st->frame->resize(first + QSize(200, 150));
            drivers::TheUser().PumpUntil([&] { return st->frame->width() > first.width(); });
        }
        EXPECT_GT(st->frame->width(), first.width());
        EXPECT_GT(list->height(), list0.height() + 100);
        EXPECT_EQ(list->width(), list0.width() + st->frame->width() - first.width());
        EXPECT_EQ(units->y() - units0.y(), st->frame->height() - first.height());
        CheckAndSave(st->frame, roomy ? "main-window-maximised" : "main-window-grown");
        if (roomy) st->frame->showNormal();
        else st->frame->resize(first);
        drivers::TheUser().PumpUntil([&] { return st->frame->size() == first; });
        EXPECT_EQ(list->geometry(), list0);
        EXPECT_EQ(units->geometry(), units0);
    });
    // The menus of the bar, the keys of their commands beside them.
    Then([] {
        plat::qt::DialogState* st = plat::qt::StateOf(script::ActiveDialog());
        ASSERT_TRUE(st->menuBar);
        for (QAction* top : st->menuBar->actions()) {
            QMenu* menu = top->menu();
            if (!menu) continue;
            menu->popup(st->frame->mapToGlobal(QPoint(0, 0)));
            CheckAndSave(menu, "menu-" + top->text().remove('&').toLower().toStdString());
            menu->hide();
        }
    });
    Click(kNewItemButton);
    Shot("item-editor");
    script::KeyDown(plat::kVkEscape);
    ChooseMenu(kCmdCategories);
    Shot("categories");
    script::SelectRow(220, 1);
    Click(223);  // Change: the input box
    Shot("input-box");
    script::KeyDown(plat::kVkEscape);
    script::CloseBox();
    script::SelectRow(kItemList, 1);  // Bananas: three purchases, the auto list proposes
    ChooseMenu(kCmdBuyingHistory);
    Shot("units-history");
    script::KeyDown(plat::kVkEscape);
    ChooseMenu(kCmdAbout);
    Shot("about");
    Click(1);
    // The platform's own message box, shown for real for once.
    Then([] {
        auto saved = plat::qt::Hooks().prompt;
        plat::qt::Hooks().prompt = nullptr;
        QTimer::singleShot(100, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    CheckAndSave(box, "message-box");
                    for (QAbstractButton* b : box->buttons())
                        if (b->text() == "&Yes") b->click();
                }
        });
        EXPECT_EQ(plat::Prompt("Did you buy all of the checked items?", "Check out", 36), 6);
        plat::qt::Hooks().prompt = saved;
    });
    Click(kCheckOutButton);
    AnswerPrompt(6);
    Click(302);  // update the prices: one price dialog per item bought
    Shot("checkout");
    Click(1);
    Shot("checkout-price");
    script::CloseBox();
    AnswerPrompt(1);  // "Checkout is done"
    ChooseMenu(kCmdExit);
    AnswerPrompt(7);  // no save
    RunMainWindow();
    EXPECT_EQ(DialogCaptions(), (std::vector<std::string>{"Pantrium", "Add Item", "Categories",
                                                          "Change Category", "Units History", "About My Pantrium",
                                                          "Check Out", "Check Out"}));
}

}  // namespace
}  // namespace pantrium::test
