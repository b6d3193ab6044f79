// Shared state of the Qt window layer: what each running dialog keeps (its
// callback, its controls by id, accelerators, key hooks) and small helpers
// used by the files of this folder.
//
// A dialog is a top-level QWidget (Frame) holding an optional menu bar and
// the client area, a plain QWidget whose children are the controls, placed at
// their pixel rectangles. Qt's high-DPI scaling turns those logical pixels
// into device pixels.
#pragma once
#include <QEventLoop>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/window.h"

class QMenuBar;
class QListWidget;
class QListWidgetItem;

namespace plat::qt {

// UTF-8 texts: paths, captions and a prompt's text (platform/window.h).
inline QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
inline std::string U(const QString& s) { return s.toUtf8().toStdString(); }
// ANSI texts, every other one: the list file's code page (files::AnsiToPath),
// with "?" for a character it lacks.
inline QString QA(const std::string& ansi) { return Q(pantrium::files::AnsiToPath(ansi)); }
inline std::string A(const QString& s) { return pantrium::files::TextToAnsi(U(s)); }

// COLORREF 0x00BBGGRR -> QColor.
QColor FromColorRef(int rgb);

struct ControlState {
    int id = -1;
    Kind kind = Kind::Label;
    unsigned style = 0;
    std::string text;        // the text as given (labels keep their "&")
    Rect rect;               // as created, in client pixels (a drop list's includes its open list)
    QRect placed;            // where the layer last placed it (a label or check box may be wider, Fit)
    QPointer<QWidget> widget;
    KeyHook hook;
    Font font = 0;           // SetControlFont's font, 0 = the dialog's
    std::vector<int> tabStops;
    std::vector<int> statusEdges;
    std::vector<std::string> statusTexts;
    int limit = 0;
    int textColor = -1, backColor = -1;
    SystemIcon icon = SystemIcon::None;
    std::string image;
    EntryReader reader;      // how the list's entries read to a screen reader
};

struct DialogState {
    Callback callback;
    DialogSpec spec;
    QWidget* frame = nullptr;   // the top-level window
    QWidget* client = nullptr;  // parent of the controls
    QMenuBar* menuBar = nullptr;
    Menu menu = 0;
    QFont font;                 // the dialog's font
    Font fontHandle = 0;        // its handle
    std::vector<ControlState*> controls;  // creation order
    std::vector<Accelerator> accelerators;
    QEventLoop* loop = nullptr;
    bool ended = false, shown = false, enabled = true, topMost = false;
    int result = 2;
    int defaultButton = 0;      // id of the default push button, 0 = none
    QSize firstClient{-1, -1};  // a resizable dialog's client area when first shown
    std::string icon;
    ~DialogState();
};

// The state of a running dialog, null for any other handle.
DialogState* StateOf(Window dlg);
ControlState* ControlOf(Window dlg, int id);
// The dialog and control a widget belongs to (a control's inner widgets count as the control).
DialogState* DialogOfWidget(QWidget* w, ControlState** control);
// Running dialogs, outermost first.
const std::vector<DialogState*>& Dialogs();
inline Window Handle(const DialogState* st) { return reinterpret_cast<Window>(st); }

// Makes sure a QApplication exists (a program may create its own first).
void EnsureApplication();

int Deliver(DialogState& st, const Event& e);
int Notify(DialogState& st, int id, Code code, int entry = -1);

// Control creation and the dialog's font and dialog-unit mapping.
void CreateControl(DialogState& st, const ControlSpec& spec);
QFont DialogFont(const std::string& face, int points);
QString StandInFace(const std::string& face);  // the face, or a stand-in where it is missing
QFont FontOf(Font font);                 // a layer font handle; the application font for 0
Font DialogFontHandle(const QFont& font);  // the handle a control with the dialog's font reports
void ReleaseDialogFont(Font handle);
int LiveFonts();                         // made by CreateFont and not deleted yet
Rect ToPixels(const DialogState& st, const Rect& dialogUnits);
int AverageCharWidth(const QFont& font);  // the way dialog units count it
void LayoutClient(DialogState& st);      // menu bar, client area and controls after a resize
void LayoutStatusBars(DialogState& st);
void LayoutAnchored(DialogState& st);    // the controls with layout bits of a resizable dialog
bool NotifiesFocus(Kind kind);

// Screen readers (qt_accessibility.cpp): the roles of the layer's windows,
// the name a control takes, a list entry's words and check mark, and the
// announcement of a rewritten entry.
void InstallAccessibleFactory();
enum class WindowRole { Frame, Dialog };
void MarkWindowRole(QWidget* frame, WindowRole role);
void MarkRole(QWidget* w, int role);  // a QAccessible::Role, before anything asks for its interface
void MarkUnseen(QWidget* w);          // a decoration: offered as invisible
void ApplyAccessibleName(ControlState& c, const std::string& name);
void ApplyEntrySpeech(const ControlState& c, QListWidgetItem* item);
void AnnounceEntry(QListWidget* list, int row);
bool Offered(const ControlState& c);  // visible and of some size

// The item list's rows with tab-stop columns.
void UseTabStopDelegate(QWidget* list, ControlState* control);

// Menus.
void AttachMenuBar(DialogState& st, Menu bar);
void ForgetMenuOwner(DialogState& st);

// Cursor requests while the pointer moves over a dialog.
void CursorQuery(DialogState& st, QWidget* over, int id);

// Standard icons.
QPixmap SystemIconPixmap(SystemIcon icon);
QIcon ProgramIcon(const std::string& resourceName);

// Windows' virtual-key number of a Qt key (0 when it has none here).
int VirtualKey(int qtKey);

}  // namespace plat::qt
