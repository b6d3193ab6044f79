// The help window of the Qt layer: where the desktop cannot open a web page
// (Qt's offscreen platform has no desktop services) Help shows the pages in a
// window of the program's own, which follows their links, goes back and
// forward, returns to the page it was opened at, stays one window and closes
// with Escape. Its picture with the program's real pages goes to screenshots-qt.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>

#include <functional>

#include "platform/window/qt/qt_help.h"
#include "platform/window/qt/qt_internal.h"

namespace {

bool WaitFor(const std::function<bool()>& cond, int deadlineMs = 10000) {
    QElapsedTimer clock;
    clock.start();
    while (!cond()) {
        if (clock.elapsed() > deadlineMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::vector<QWidget*> HelpWindows() {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->objectName() == plat::qt::kHelpWindowName) found.push_back(w);
    return found;
}

QTextBrowser* Browser() {
    auto windows = HelpWindows();
    return windows.size() == 1 ? windows[0]->findChild<QTextBrowser*>() : nullptr;
}

QPushButton* Button(const QString& text) {
    for (QPushButton* b : HelpWindows().at(0)->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

QString Shown() {
    QTextBrowser* b = Browser();
    return b ? QFileInfo(b->source().toLocalFile()).fileName() : QString();
}

// A click on the link whose text is text, as the user makes it.
void ClickLink(QTextBrowser* browser, const QString& text) {
    QTextCursor found = browser->document()->find(text, 0, QTextDocument::FindCaseSensitively | QTextDocument::FindWholeWords);
    ASSERT_FALSE(found.isNull()) << "no link " << text.toStdString();
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    QPoint at = browser->cursorRect(inside).center();
    QWidget* viewport = browser->viewport();
    QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QApplication::sendEvent(viewport, &release);
}

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override {
        plat::qt::EnsureApplication();
        dir = QDir::currentPath() + "/help-window-test";
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        Write("index.html", "<html><head><title>Contents</title></head><body><h1>Contents</h1>"
                            "<p><a href=\"second.html#end\">Second page</a></p></body></html>");
        Write("second.html", "<html><head><title>Second</title></head><body><h1>Second</h1>"
                             "<p><a href=\"index.html\">Back to the contents</a></p>"
                             "<p><a name=\"end\"></a>The end.</p></body></html>");
    }
    void TearDown() override {
        for (QWidget* w : HelpWindows()) w->close();
        WaitFor([] { return HelpWindows().empty(); });
        QDir(dir).removeRecursively();
    }
    void Write(const QString& name, const QByteArray& text) {
        QFile f(dir + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString dir;
};

TEST_F(HelpWindow, WithoutABrowserThePagesOpenInTheProgramsOwnWindowThatFollowsTheirLinks) {
    plat::qt::OpenHelpPage(dir + "/index.html");
    ASSERT_TRUE(WaitFor([] { return Browser() != nullptr; })) << "no help window";
    EXPECT_EQ(Shown(), "index.html");
    EXPECT_EQ(Browser()->documentTitle(), "Contents");
    EXPECT_FALSE(Button("&Back")->isEnabled());

    ClickLink(Browser(), "Second page");
    ASSERT_TRUE(WaitFor([] { return Shown() == "second.html"; })) << "the link was not followed";
    EXPECT_EQ(Browser()->source().fragment(), "end");
    ASSERT_TRUE(Button("&Back")->isEnabled());
    Button("&Back")->click();
    EXPECT_EQ(Shown(), "index.html");
    ASSERT_TRUE(Button("&Forward")->isEnabled());
    Button("&Forward")->click();
    EXPECT_EQ(Shown(), "second.html");
    Button("&Contents")->click();
    EXPECT_EQ(Shown(), "index.html");
}

TEST_F(HelpWindow, StaysOneWindowAtTheNewPageAndClosesWithEscape) {
    plat::qt::OpenHelpPage(dir + "/index.html");
    ASSERT_TRUE(WaitFor([] { return Browser() != nullptr; }));
    plat::qt::OpenHelpPage(dir + "/second.html");
    QCoreApplication::processEvents();
    EXPECT_EQ(HelpWindows().size(), 1u);
    EXPECT_EQ(Shown(), "second.html");
    Button("&Contents")->click();  // the page it was opened at this time
    EXPECT_EQ(Shown(), "second.html");

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QTextBrowser* browser = Browser();
    QApplication::sendEvent(browser, &press);
    QApplication::sendEvent(browser, &release);
    EXPECT_TRUE(WaitFor([] { return HelpWindows().empty(); })) << "Escape did not close the help window";
    // Closed and opened again at once, it shows.
    plat::qt::OpenHelpPage(dir + "/index.html");
    QCoreApplication::processEvents();
    EXPECT_EQ(Shown(), "index.html");
}

TEST_F(HelpWindow, PictureOfTheProgramsOwnPages) {
    const QString index = PANTRIUM_QT_HELP_PAGES "/index.html";
    ASSERT_TRUE(QFileInfo::exists(index)) << "the help pages for Linux were not made: " << index.toStdString();
    plat::qt::ShowHelpWindow(index);
    ASSERT_TRUE(WaitFor([] { return Browser() != nullptr; }));
    EXPECT_EQ(Browser()->documentTitle(), "Pantrium");
    EXPECT_FALSE(Browser()->toPlainText().contains("Pantrium.chm"));
    ClickLink(Browser(), "Help");  // the Help menu's page
    ASSERT_TRUE(WaitFor([] { return Shown() == "menu_help.html"; }));
    EXPECT_TRUE(Browser()->toPlainText().contains("/usr/share/pantrium/help")) << "the page speaks of the Linux program";
    QDir().mkpath(PANTRIUM_QT_SHOT_DIR);
    EXPECT_TRUE(HelpWindows().at(0)->grab().save(PANTRIUM_QT_SHOT_DIR "/help-window.png"));
}

}  // namespace
