// The item list's context menu shown for real on the Qt layer: when it
// closes, the list has the focus again and its black focus frame shows, as
// on Windows (the frame is the list's only mark of the focus).
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "dialogs_test_support.h"
#include "platform/window/qt/qt_hooks.h"

namespace pantrium::test {
namespace {

class ContextMenuFocus : public UiTest {
protected:
    void TearDown() override {
        UiTest::TearDown();
        plat::qt::Hooks() = {};  // the next test installs the driver's hooks again
    }
};

// Closes the pop-up menu once it shows with Escape; its release reaches the list.
void CloseMenuWhenShown(bool* seen) {
    QTimer::singleShot(100, [seen] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            *seen = qobject_cast<QMenu*>(popup) != nullptr;
            // Escape, pressed and released as the keyboard sends it.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(popup, &press);
            if (QWidget* focus = QApplication::focusWidget()) {
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(focus, &release);
            }
        } else {
            CloseMenuWhenShown(seen);
        }
    });
}

TEST_F(ContextMenuFocus, TheListKeepsItsFocusFrameAfterTheMenuCloses) {
    TempDir dir;
    PutItem({"Milk", "gallon", 3.49f});
    PutItem({"Bread", "loaf", 2.49f});
    WriteListFile("my Pantrium.ptm");

    static bool menuSeen = false;
    menuSeen = false;
    script::Then([] {
        plat::qt::Hooks().popup = nullptr;  // the real pop-up menu
        EXPECT_TRUE(plat::IsVisible(script::ActiveDialog(), kFocusFrame));
        CloseMenuWhenShown(&menuSeen);
    });
    script::RightClick(kItemList, 20, 5);
    script::Then([] {
        const plat::Window w = script::ActiveDialog();
        EXPECT_TRUE(menuSeen);
        drivers::TheUser().PumpUntil([w] { return plat::IsVisible(w, kFocusFrame); }, 3000);
        EXPECT_EQ(plat::GetFocus(w), kItemList);
        EXPECT_TRUE(plat::IsVisible(w, kFocusFrame)) << "the focus frame is gone after the menu closed";
    });
    script::KeyDown(plat::kVkEscape);
    RunMainWindow();
}

}  // namespace
}  // namespace pantrium::test
