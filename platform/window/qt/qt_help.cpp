// Help on Qt: the help pages open in the desktop's browser; where the desktop
// has no way to open a page (no launcher such as xdg-open, or a platform
// without desktop services), in a help window of the program's own that
// shows the same pages and follows their links.
#include "platform/window/qt/qt_help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace plat::qt {
namespace {

class HelpWindow : public QWidget {
public:
    HelpWindow() : QWidget(nullptr, Qt::Window) {
        setObjectName(kHelpWindowName);
        setWindowTitle("Pantrium Help");
        auto* back = new QPushButton("&Back");
        auto* forward = new QPushButton("&Forward");
        auto* contents = new QPushButton("&Contents");
        browser_ = new QTextBrowser;
        // Mail and web links go to the desktop's programs; pages of the help stay here.
        browser_->setOpenExternalLinks(true);
        auto* buttons = new QHBoxLayout;
        for (QPushButton* b : {back, forward, contents}) {
            b->setAutoDefault(false);
            buttons->addWidget(b);
        }
        buttons->addStretch();
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(browser_);
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
        connect(contents, &QPushButton::clicked, browser_, [this] { browser_->setSource(home_); });
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(close, &QShortcut::activated, this, &QWidget::close);
        resize(720, 560);
    }

    void Show(const QUrl& page) {
        home_ = page;
        // The pages' style sheet (help.css beside them): the text browser
        // does not load linked style sheets itself.
        QFile css(QFileInfo(page.toLocalFile()).dir().filePath("help.css"));
        if (css.open(QIODevice::ReadOnly)) browser_->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
        browser_->setSource(page);
        show();
        raise();
        activateWindow();
    }

private:
    QTextBrowser* browser_;
    QUrl home_;
};

// Closing hides it; it is shown again the next time.
QPointer<HelpWindow>& TheHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

}  // namespace

void ShowHelpWindow(const QString& page) {
    QPointer<HelpWindow>& window = TheHelpWindow();
    if (!window) window = new HelpWindow;
    window->Show(QUrl::fromLocalFile(page));
}

void OpenHelpPage(const QString& page) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(page))) ShowHelpWindow(page);
}

}  // namespace plat::qt
