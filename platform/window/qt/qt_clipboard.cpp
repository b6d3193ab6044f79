// The clipboard on Qt: the plain text as text/plain, Markdown as
// text/markdown (UTF-8), both set at once.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/window/qt/qt_internal.h"

namespace plat {
using namespace plat::qt;

namespace {
const char* const kMarkdown = "text/markdown";
}

bool SetClipboardText(Window, const std::string& plain, const std::string& markdown) {
    EnsureApplication();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    data->setText(QA(plain));
    data->setData(kMarkdown, QA(markdown).toUtf8());
    clipboard->setMimeData(data);  // the clipboard owns it
    return true;
}

std::string ClipboardText() {
    EnsureApplication();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? A(data->text()) : std::string();
}

std::string ClipboardMarkdown() {
    EnsureApplication();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(kMarkdown) ? A(QString::fromUtf8(data->data(kMarkdown))) : std::string();
}

}  // namespace plat
