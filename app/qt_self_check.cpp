#include "app/qt_self_check.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>

#include <cstdlib>

#include "platform/window/qt/qt_help.h"
#include "platform/window/qt/qt_hooks.h"
#include "ui/main/main_window.h"

namespace pantrium {
namespace {

constexpr int kDeadlineMs = 20000;

struct SelfCheck {
    QFile report;
    QElapsedTimer clock;
    int step = 0;
    plat::Window main = 0;

    void Line(const QString& text) {
        report.write((text + "\n").toUtf8());
        report.flush();
    }
    void Fail(const QString& text) { Line("FAIL: " + text); }
};

QWidget* TopLevel(bool helpWindow) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (w->objectName() == plat::qt::kHelpWindowName) == helpWindow) return w;
    return nullptr;
}

// One step at a time from a timer in the main window's loop; true when done.
bool Step(SelfCheck& c) {
    switch (c.step) {
    case 0: {  // the main window is up: its icon
        c.main = plat::ActiveWindow();
        QWidget* window = TopLevel(false);
        if (!c.main || !window) return false;
        QStringList sizes;
        for (const QSize& s : window->windowIcon().availableSizes())
            sizes << QString::number(s.width()) + "x" + QString::number(s.height());
        c.Line("icon: " + sizes.join(' '));
        if (window->windowIcon().isNull()) c.Fail("the main window has no icon");
        plat::SendCommand(c.main, kCmdHelp);
        ++c.step;
        return false;
    }
    case 1: {  // Help showed the pages in the help window
        QWidget* help = TopLevel(true);
        auto* browser = help ? help->findChild<QTextBrowser*>() : nullptr;
        if (!browser || browser->source().isEmpty()) return false;
        c.Line("help: " + browser->source().toLocalFile());
        c.Line("help title: " + browser->documentTitle());
        help->close();
        plat::SendCommand(c.main, kCmdSave);  // asks "Save file now?": Yes
        c.Line("save command given");
        plat::SendCommand(c.main, kCmdExit);
        return true;
    }
    }
    return true;
}

}  // namespace

void StartSelfCheck(const QString& reportPath) {
    auto* c = new SelfCheck;
    c->report.setFileName(reportPath);
    if (!c->report.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QTextStream(stderr) << "pantrium-qt: cannot write the self-check report " << reportPath << "\n";
        std::exit(2);
    }
    c->clock.start();
    plat::qt::Hooks().prompt = [c](const std::string& text, const std::string&, int) {
        c->Line("asked: " + QString::fromStdString(text).replace('\n', ' '));
        return 6;
    };
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [c, timer] {
        if (Step(*c)) {
            timer->stop();
            return;
        }
        if (c->clock.elapsed() > kDeadlineMs) {
            c->Fail(QString("no progress after step %1 within %2 ms").arg(c->step).arg(kDeadlineMs));
            std::exit(1);
        }
    });
    timer->start(50);
}

}  // namespace pantrium
