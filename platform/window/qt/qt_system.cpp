// Prompts, sounds, cursors, fonts and text measuring, icons, the file
// dialogs, the shell and help on Qt.
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include <map>

#include "platform/window/qt/qt_help.h"
#include "platform/window/qt/qt_state.h"

namespace plat::qt {
namespace {

std::map<Font, QFont*>& Fonts() { return Layer().fonts; }
std::map<Font, QFont*>& DialogFonts() { return Layer().dialogFonts; }

// A face this machine lacks gets a stand-in of similar widths: a fixed-pitch
// one for Courier, else one close to Windows' dialog font.
QString FaceOrStandIn(const QString& face) {
    static const QStringList families = QFontDatabase::families();
    if (families.contains(face, Qt::CaseInsensitive)) return face;
    static const QStringList fixed = {"Liberation Mono", "Cousine", "DejaVu Sans Mono"};
    static const QStringList proportional = {"Liberation Sans", "Arimo", "DejaVu Sans Condensed", "DejaVu Sans"};
    bool courier = face.contains("Courier", Qt::CaseInsensitive);
    for (const QString& s : courier ? fixed : proportional)
        if (families.contains(s, Qt::CaseInsensitive)) return s;
    return courier ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : face;
}

constexpr std::uint32_t kOfnOverwritePrompt = 0x2, kOfnExtensionDifferent = 0x400, kOfnFileMustExist = 0x1000,
                        kOfnCreatePrompt = 0x2000;

// "Lists (*.ptm)\0*.ptm\0All\0*.*\0\0" -> Qt's "Lists (*.ptm)", "All (*.*)".
QStringList NameFilters(const std::string& filter) {
    QStringList out;
    size_t at = 0;
    while (at < filter.size() && filter[at] != '\0') {
        size_t end = filter.find('\0', at);
        std::string name = filter.substr(at, end == std::string::npos ? std::string::npos : end - at);
        std::string pattern;
        if (end != std::string::npos) {
            size_t next = filter.find('\0', end + 1);
            pattern = filter.substr(end + 1, next == std::string::npos ? std::string::npos : next - end - 1);
            at = next == std::string::npos ? filter.size() : next + 1;
        } else {
            at = filter.size();
        }
        QString patterns = QA(pattern).replace(';', ' ');
        // A name that shows its patterns already keeps them once.
        QString shown = QA(name);
        if (!shown.endsWith("(" + patterns + ")")) shown += " (" + patterns + ")";
        out << shown;
    }
    return out;
}

bool RunFileDialog(FileDialogRequest& request, bool save) {
    EnsureApplication();
    if (Hooks().fileDialog) return Hooks().fileDialog(request, save);
    DialogState* owner = StateOf(request.owner);
    QStringList filters = NameFilters(request.filter);
    QString title = request.title.empty() ? (save ? "Save As" : "Open") : QA(request.title);
    QFileDialog dialog(owner ? owner->frame : nullptr, title, Q(request.initialDir));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    bool mustExist = !save && (request.flags & kOfnFileMustExist) && !(request.flags & kOfnCreatePrompt);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!(request.flags & kOfnOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        int index = request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.defExt.empty()) dialog.setDefaultSuffix(QA(request.defExt));
    std::string proposed = request.fileName.substr(0, request.fileName.find('\0'));
    if (!proposed.empty()) dialog.selectFile(Q(proposed));
    while (true) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        QString path = dialog.selectedFiles().first();
        if (!save && (request.flags & kOfnCreatePrompt) && !QFileInfo::exists(path)) {
            // Opening a name that does not exist asks whether to create it.
            int answer = Prompt(U(QDir::toNativeSeparators(path)) + "\nThis file does not exist.\nCreate the file?",
                                A(title), 0x4 | 0x30);
            if (answer != 6) continue;
        }
        std::string chosen = U(QDir::toNativeSeparators(path));
        if (request.bufferSize > 0 && chosen.size() >= static_cast<size_t>(request.bufferSize)) return false;
        request.fileName = chosen;
        if (!request.defExt.empty() && QFileInfo(path).suffix().compare(QA(request.defExt), Qt::CaseInsensitive) != 0)
            request.flags |= kOfnExtensionDifferent;
        else
            request.flags &= ~kOfnExtensionDifferent;
        return true;
    }
}

// The help pages made from the help file's sources: help/index.html beside
// the help file; for the help file beside the program also where the
// program's build folder or installation keeps them (share/pantrium/help).
QString HelpPage(const std::string& chmPath) {
    QString chm = Q(chmPath);
    int cut = std::max(chm.lastIndexOf('\\'), chm.lastIndexOf('/'));
    if (cut <= 0) return {};
    QString folder = chm.left(cut);
    QStringList dirs{folder + "/help"};
    QString app = QCoreApplication::applicationDirPath();
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(app).canonicalFilePath())
        dirs << app + "/../help" << app + "/../share/pantrium/help";
    for (const QString& d : dirs)
        for (const char* name : {"index.html", "contents.html", "pantrium.html"}) {
            QFileInfo page(d + "/" + name);
            if (page.exists()) return page.absoluteFilePath();
        }
    return {};
}

}  // namespace

TestHooks& Hooks() { return Layer().hooks; }

Cursor LastCursor() { return Layer().lastCursor; }
void SetLastCursor(Cursor cursor) { Layer().lastCursor = cursor; }

QColor FromColorRef(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

QString StandInFace(const std::string& face) { return FaceOrStandIn(QA(face)); }

QFont DialogFont(const std::string& face, int points) {
    // The character height Windows gives a dialog font: points at the screen's dots per inch.
    QFont f(FaceOrStandIn(QA(face)));
    f.setPixelSize(std::max(1, (points * ScreenDpiY() + 36) / 72));
    f.setWeight(QFont::Normal);
    return f;
}

QFont FontOf(Font font) {
    if (auto it = Fonts().find(font); it != Fonts().end()) return *it->second;
    if (auto it = DialogFonts().find(font); it != DialogFonts().end()) return *it->second;
    return QApplication::font();
}

Font DialogFontHandle(const QFont& font) {
    auto* f = new QFont(font);
    auto handle = reinterpret_cast<Font>(f);
    DialogFonts()[handle] = f;
    return handle;
}

void ReleaseDialogFont(Font handle) {
    auto it = DialogFonts().find(handle);
    if (it == DialogFonts().end()) return;
    delete it->second;
    DialogFonts().erase(it);
}

int LiveFonts() { return static_cast<int>(Fonts().size()); }

Rect ToPixels(const DialogState& st, const Rect& r) {
    // Dialog units: x in quarters of the average character width, y in eighths of the height.
    int baseX = AverageCharWidth(st.font), baseY = QFontMetrics(st.font).height();
    auto mul = [](int v, int num, int den) { return static_cast<int>((static_cast<long long>(v) * num + den / 2) / den); };
    return {mul(r.left, baseX, 4), mul(r.top, baseY, 8), mul(r.width, baseX, 4), mul(r.height, baseY, 8)};
}

int VirtualKey(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Menu: return kVkApps;
    case Qt::Key_Plus: return 0xBB;
    case Qt::Key_Minus: return 0xBD;
    case Qt::Key_Period: return 0xBE;
    case Qt::Key_Comma: return 0xBC;
    default: return 0;
    }
}

void CursorQuery(DialogState& st, QWidget* over, int id) {
    QtState& layer = Layer();
    layer.hovered = over;
    int handled = Deliver(st, Event{Msg::SetCursor, id});
    if (!handled && over) {
        over->unsetCursor();  // the control's own cursor
        layer.lastCursor = Cursor::Arrow;
    }
    layer.hovered = nullptr;
}

QPixmap SystemIconPixmap(SystemIcon icon) {
    QStyle::StandardPixmap which;
    switch (icon) {
    case SystemIcon::Stop: which = QStyle::SP_MessageBoxCritical; break;
    case SystemIcon::Question: which = QStyle::SP_MessageBoxQuestion; break;
    case SystemIcon::Exclamation: which = QStyle::SP_MessageBoxWarning; break;
    case SystemIcon::Information: which = QStyle::SP_MessageBoxInformation; break;
    default: return {};
    }
    return QApplication::style()->standardIcon(which).pixmap(32, 32);
}

QIcon ProgramIcon(const std::string& resourceName) {
    // The program's icons are compiled in as Qt resources, named in lower case.
    EnsureApplication();
    QString path = ":/pantrium/" + Q(resourceName).toLower() + ".ico";
    return QFileInfo::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace plat::qt

namespace plat {
using namespace plat::qt;

int Prompt(const std::string& text, const std::string& caption, int style) {
    EnsureApplication();
    if (Hooks().prompt) return Hooks().prompt(text, caption, style);
    // The MB_ button sets and their answers (IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7).
    static const std::vector<std::vector<std::pair<const char*, int>>> sets = {
        {{"OK", 1}},
        {{"OK", 1}, {"Cancel", 2}},
        {{"&Abort", 3}, {"&Retry", 4}, {"&Ignore", 5}},
        {{"&Yes", 6}, {"&No", 7}, {"Cancel", 2}},
        {{"&Yes", 6}, {"&No", 7}},
        {{"&Retry", 4}, {"Cancel", 2}},
    };
    const auto& buttons = sets[static_cast<size_t>(style & 0xF) < sets.size() ? style & 0xF : 0];
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0xF0) {
    case 0x10: icon = QMessageBox::Critical; break;
    case 0x20: icon = QMessageBox::Question; break;
    case 0x30: icon = QMessageBox::Warning; break;
    case 0x40: icon = QMessageBox::Information; break;
    }
    // No owner: the message box disables no window.
    QMessageBox box(icon, QA(caption), Q(text));  // the caption is ANSI, the text UTF-8
    box.setWindowModality(Qt::NonModal);
    std::map<QAbstractButton*, int> answers;
    int defaultIndex = (style >> 8) & 0xF;
    QAbstractButton* escape = nullptr;
    for (size_t i = 0; i < buttons.size(); ++i) {
        QPushButton* b = box.addButton(buttons[i].first, QMessageBox::AcceptRole);
        answers[b] = buttons[i].second;
        if (static_cast<int>(i) == defaultIndex) box.setDefaultButton(b);
        if (buttons[i].second == 2 || buttons.size() == 1) escape = b;
    }
    // Without a Cancel button, Escape answers No where there is one.
    for (auto& [b, answer] : answers)
        if (!escape && answer == 7) escape = b;
    box.setEscapeButton(escape);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    box.show();
    box.raise();
    box.activateWindow();
    loop.exec();
    auto it = answers.find(box.clickedButton());
    if (it != answers.end()) return it->second;
    return escape ? answers[escape] : 2;
}

void Beep(int soundType) {
    if (Hooks().beep) return Hooks().beep(soundType);
    QApplication::beep();
}

void SetCursor(Cursor cursor) {
    EnsureApplication();
    Layer().lastCursor = cursor;
    // The wait cursor covers the whole program until another one is set.
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (cursor == Cursor::Wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    if (QWidget* hovered = Layer().hovered)
        hovered->setCursor(cursor == Cursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

Font CreateFont(const FontSpec& spec) {
    EnsureApplication();
    auto* f = new QFont(FaceOrStandIn(QA(spec.face)));
    // Negative: the character height; positive: the cell height, of which the
    // character takes about the ascent.
    int h = spec.height < 0 ? -spec.height : spec.height > 0 ? std::max(1, spec.height * 4 / 5) : 11;
    f->setPixelSize(h);
    if (spec.weight > 0) f->setWeight(spec.weight >= 600 ? QFont::Bold : QFont::Normal);
    f->setItalic(spec.italic);
    f->setUnderline(spec.underline);
    f->setStrikeOut(spec.strikeOut);
    auto handle = reinterpret_cast<Font>(f);
    Fonts()[handle] = f;
    return handle;
}

void DeleteFont(Font font) {
    auto it = Fonts().find(font);
    if (it == Fonts().end()) return;
    // Controls still showing it keep their own copy of the QFont.
    delete it->second;
    Fonts().erase(it);
}

Size MeasureText(Font font, const std::string& text) {
    EnsureApplication();
    QFontMetrics fm(FontOf(font));
    return {fm.horizontalAdvance(QA(text)), fm.height()};
}

int FitCharacters(Font font, const std::string& text, int maxWidth) {
    if (text.empty() || maxWidth <= 0) return 0;
    EnsureApplication();
    QFontMetrics fm(FontOf(font));
    // Counted in bytes of the text, like the ANSI call: one byte a character,
    const QString shown = QA(text);
    if (shown.size() == static_cast<qsizetype>(text.size())) {
        int fit = 0;
        while (fit < shown.size() && fm.horizontalAdvance(shown.left(fit + 1)) <= maxWidth) ++fit;
        return fit;
    }
    // or whole UTF-8 sequences of a text an earlier Linux version kept as UTF-8.
    int fit = 0;
    for (size_t i = 0; i < text.size();) {
        size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
        if (fm.horizontalAdvance(Q(text.substr(0, next))) > maxWidth) break;
        fit = static_cast<int>(next);
        i = next;
    }
    return fit;
}

int ScreenDpiY() {
    EnsureApplication();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY() + 0.5) : 96;
}

void SetControlIcon(Window dlg, int id, SystemIcon icon) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return;
    c->icon = icon;
    if (auto* label = qobject_cast<QLabel*>(c->widget.data())) label->setPixmap(SystemIconPixmap(icon));
}

void SetControlImage(Window dlg, int id, const std::string& iconResource) {
    ControlState* c = ControlOf(dlg, id);
    if (!c || !c->widget) return;
    c->image = iconResource;
    QIcon icon = ProgramIcon(iconResource);
    if (auto* label = qobject_cast<QLabel*>(c->widget.data()); label && !icon.isNull())
        label->setPixmap(icon.pixmap(32, 32));
}

bool GetOpenFileName(FileDialogRequest& request) { return RunFileDialog(request, false); }
bool GetSaveFileName(FileDialogRequest& request) { return RunFileDialog(request, true); }

void ShellOpen(const std::string& target, bool maximized) {
    if (Hooks().shellOpen) return Hooks().shellOpen(target, maximized);
    EnsureApplication();
    QString t = Q(target);
    QDesktopServices::openUrl(QFileInfo::exists(t) ? QUrl::fromLocalFile(t) : QUrl::fromUserInput(t));
}

bool ShowHelp(Window, const std::string& chmPath) {
    EnsureApplication();
    QString page = HelpPage(chmPath);
    if (page.isEmpty()) return false;
    if (Hooks().help)
        Hooks().help(chmPath);
    else
        OpenHelpPage(page);
    return true;
}

}  // namespace plat
