// What the Win32 layer tells a screen reader (MSAA, and UI Automation through
// its MSAA bridge). Each control answers WM_GETOBJECT with the system's own
// accessible object wrapped in one that adds what the system cannot know:
// the name of a control that shows no text of its own (SetAccessibleName, or
// the label created just before it), a list's rows as the words its entry
// reader makes of them with their check marks, and the status bar's parts as
// children read as their texts. Everything else is the system's answer.
#include <oleacc.h>

#include <algorithm>

#include "platform/window/accessible_names.h"
#include "platform/window/win32/win32_state.h"

namespace plat::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5054;  // "PT"

AccessibleInfo* InfoOf(HWND h) {
    auto it = Layer().accessible.find(h);
    return it == Layer().accessible.end() ? nullptr : &it->second;
}

std::string ClassOf(HWND h) {
    char cls[64] = "";
    GetClassNameA(h, cls, sizeof cls);
    return cls;
}

std::string WindowText(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(h, text.data(), n + 1)));
    return text;
}

BSTR ToBstr(const std::string& ansi) {
    const std::wstring wide = WideFromAnsi(ansi);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string FromBstr(BSTR text) {
    if (!text) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(SysStringLen(text)), out.data(), n, nullptr, nullptr);
    return out;
}

void EnsureCom() {
    static thread_local bool ready = false;
    if (!ready) CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // a thread already in COM keeps its mode
    ready = true;
}

bool IsStatusBar(HWND h) { return lstrcmpiA(ClassOf(h).c_str(), STATUSCLASSNAMEA) == 0; }
bool IsListBox(HWND h) { return lstrcmpiA(ClassOf(h).c_str(), "LISTBOX") == 0; }

// The rows of a list box, or the parts of a status bar: the children this
// layer answers for itself (1-based child ids).
long ItemCount(HWND h) {
    if (IsStatusBar(h)) return static_cast<long>(SendMessageA(h, SB_GETPARTS, 0, 0));
    if (IsListBox(h)) return std::max(0L, static_cast<long>(SendMessageA(h, LB_GETCOUNT, 0, 0)));
    return 0;
}

std::string ItemText(HWND h, long child) {
    const WPARAM at = static_cast<WPARAM>(child - 1);
    if (IsStatusBar(h)) {
        const int n = LOWORD(SendMessageA(h, SB_GETTEXTLENGTHA, at, 0));
        std::string s(static_cast<size_t>(n) + 1, '\0');
        SendMessageA(h, SB_GETTEXTA, at, reinterpret_cast<LPARAM>(s.data()));
        s.resize(static_cast<size_t>(n));
        return s;
    }
    const LRESULT n = SendMessageA(h, LB_GETTEXTLEN, at, 0);
    if (n == LB_ERR) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(h, LB_GETTEXT, at, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

class Accessible final : public IAccessible {
public:
    Accessible(HWND h, IAccessible* inner) : h_(h), inner_(inner) {}
    virtual ~Accessible() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The system object's enumeration and window; never its marshalling,
        // which would hand the system's object over in place of this one.
        if (inner_ && (riid == IID_IEnumVARIANT || riid == IID_IOleWindow)) return inner_->QueryInterface(riid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) {
            if (inner_) inner_->Release();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        if (inner_) return inner_->GetTypeInfoCount(n);
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
        return inner_ ? inner_->GetTypeInfo(i, l, t) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return inner_ ? inner_->GetIDsOfNames(r, n, c, l, d) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                     UINT* a) override {
        return inner_ ? inner_->Invoke(d, r, l, f, p, v, e, a) : E_NOTIMPL;
    }

    // IAccessible: the layer's own answers
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
        const AccessibleInfo* info = InfoOf(h_);
        if (info && n && ItemCount(h_) > 0) {
            *n = ItemCount(h_);
            return S_OK;
        }
        if (inner_) return inner_->get_accChildCount(n);
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (OwnItem(child)) {
            *out = nullptr;
            return S_FALSE;  // a simple element, answered by this object
        }
        return inner_ ? inner_->get_accChild(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        const AccessibleInfo* info = InfoOf(h_);
        if (OwnItem(child)) {
            const std::string text = ItemText(h_, child.lVal);
            *name = ToBstr(IsStatusBar(h_) || !info->reader ? text : info->reader(text).words);
            return S_OK;
        }
        if (IsSelf(child) && info && (!info->name.empty() || info->fromOutside)) {
            // Only the label just before it names a control; Wine's own guess
            // reaches past other controls to an earlier label.
            *name = info->name.empty() ? nullptr : ToBstr(info->name);
            return info->name.empty() ? S_FALSE : S_OK;
        }
        if (IsSelf(child) && info && info->fromText) {
            *name = ToBstr(LabelAsName(WindowText(h_), info->style));
            return S_OK;
        }
        if (inner_) return inner_->get_accName(child, name);
        *name = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (OwnItem(child)) {
            role->vt = VT_I4;
            role->lVal = IsStatusBar(h_) ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_LISTITEM;
            return S_OK;
        }
        if (inner_) return inner_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = OwnRole();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!OwnItem(child) && inner_) return inner_->get_accState(child, state);
        if (!OwnItem(child)) {
            state->vt = VT_I4;
            state->lVal = OwnState();
            return S_OK;
        }
        long bits = STATE_SYSTEM_READONLY;
        if (!IsStatusBar(h_)) {
            const long row = child.lVal - 1;
            bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
            if (SendMessageA(h_, LB_GETCURSEL, 0, 0) == row) {
                bits |= STATE_SYSTEM_SELECTED;
                if (::GetFocus() == h_) bits |= STATE_SYSTEM_FOCUSED;
            }
            const AccessibleInfo* info = InfoOf(h_);
            if (info->reader && info->reader(ItemText(h_, child.lVal)).checked == 1) bits |= STATE_SYSTEM_CHECKED;
        }
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* hgt, VARIANT child) override {
        if (!OwnItem(child) && inner_) return inner_->accLocation(x, y, w, hgt, child);
        RECT r{};
        const WPARAM at = static_cast<WPARAM>(child.lVal - 1);
        if (!OwnItem(child)) GetClientRect(h_, &r);
        else SendMessageA(h_, IsStatusBar(h_) ? SB_GETRECT : LB_GETITEMRECT, at, reinterpret_cast<LPARAM>(&r));
        MapWindowPoints(h_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *hgt = r.bottom - r.top;
        return S_OK;
    }

    // IAccessible: the system's answers
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return !inner_ ? E_NOTIMPL : inner_->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override { return !inner_ ? E_NOTIMPL : inner_->get_accValue(c, v); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* d) override { return !inner_ ? E_NOTIMPL : inner_->get_accDescription(c, d); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return !inner_ ? E_NOTIMPL : inner_->get_accHelp(c, h); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return !inner_ ? E_NOTIMPL : inner_->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
        return !inner_ ? E_NOTIMPL : inner_->get_accKeyboardShortcut(c, k);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* c) override { return !inner_ ? E_NOTIMPL : inner_->get_accFocus(c); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* c) override { return !inner_ ? E_NOTIMPL : inner_->get_accSelection(c); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
        return !inner_ ? E_NOTIMPL : inner_->get_accDefaultAction(c, a);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return !inner_ ? E_NOTIMPL : inner_->accSelect(f, c); }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override { return !inner_ ? E_NOTIMPL : inner_->accNavigate(d, s, e); }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override { return !inner_ ? E_NOTIMPL : inner_->accHitTest(x, y, c); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return !inner_ ? E_NOTIMPL : inner_->accDoDefaultAction(c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return !inner_ ? E_NOTIMPL : inner_->put_accName(c, n); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return !inner_ ? E_NOTIMPL : inner_->put_accValue(c, v); }

private:
    // Where the system made no object of its own (Wine has none for some
    // classes): the control's role and state from its class and styles.
    long OwnRole() const {
        const std::string cls = ClassOf(h_);
        if (IsStatusBar(h_)) return ROLE_SYSTEM_STATUSBAR;
        if (IsListBox(h_)) return ROLE_SYSTEM_LIST;
        if (!lstrcmpiA(cls.c_str(), "EDIT")) return ROLE_SYSTEM_TEXT;
        if (!lstrcmpiA(cls.c_str(), "COMBOBOX")) return ROLE_SYSTEM_COMBOBOX;
        if (!lstrcmpiA(cls.c_str(), "STATIC")) return ROLE_SYSTEM_STATICTEXT;
        if (!lstrcmpiA(cls.c_str(), "BUTTON"))
            return (GetWindowLongA(h_, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX ? ROLE_SYSTEM_CHECKBUTTON
                                                                                   : ROLE_SYSTEM_PUSHBUTTON;
        return ROLE_SYSTEM_CLIENT;
    }
    long OwnState() const {
        long bits = 0;
        if (!IsWindowVisible(h_)) bits |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(h_)) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (GetWindowLongA(h_, GWL_STYLE) & WS_TABSTOP) bits |= STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == h_) bits |= STATE_SYSTEM_FOCUSED;
        if (OwnRole() == ROLE_SYSTEM_CHECKBUTTON && SendMessageA(h_, BM_GETCHECK, 0, 0) == BST_CHECKED)
            bits |= STATE_SYSTEM_CHECKED;
        return bits;
    }

    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    bool OwnItem(const VARIANT& child) const {
        const AccessibleInfo* info = InfoOf(h_);
        return info && child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= ItemCount(h_);
    }

    LONG refs_ = 1;
    HWND h_;
    IAccessible* inner_;
};

}  // namespace

// The control's client object: the system's, wrapped (or this layer's
// alone where the system makes none).
IAccessible* MakeAccessible(HWND h) {
    EnsureCom();
    IAccessible* inner = nullptr;
    if (FAILED(CreateStdAccessibleObject(h, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&inner))))
        inner = nullptr;
    return new Accessible(h, inner);
}

namespace {

LRESULT CALLBACK AccessibleProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CLIENT && InfoOf(h)) {
        if (IAccessible* wrapped = MakeAccessible(h)) {
            const LRESULT result = LresultFromObject(IID_IAccessible, wp, wrapped);
            wrapped->Release();
            if (SUCCEEDED(result)) return result;  // else the system answers as it would without it
        }
    }
    if (msg == WM_NCDESTROY) {
        Layer().accessible.erase(h);
        RemoveWindowSubclass(h, AccessibleProc, kSubclassId);
    }
    return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace

void RegisterAccessible(HWND control, DialogState& st, const ControlSpec& spec) {
    AccessibleInfo info;
    info.style = spec.style;
    info.fromText = spec.kind == Kind::Label || spec.kind == Kind::Button || spec.kind == Kind::CheckBox;
    info.fromOutside = NamedFromOutside(spec.kind);
    info.name = NameFromPrevious(st.anyCreated ? &st.previous : nullptr, spec.kind);
    st.previous = spec;
    st.anyCreated = true;
    if (!info.fromText && !NamedFromOutside(spec.kind) && spec.kind != Kind::StatusBar) return;
    Layer().accessible[control] = info;
    SetWindowSubclass(control, AccessibleProc, kSubclassId, 0);
}

void AnnounceItem(HWND control, int index, bool state) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, index + 1);
    if (state) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, index + 1);
}

}  // namespace plat::win32

namespace plat {
using namespace plat::win32;

void SetAccessibleName(Window dlg, int id, const std::string& name) {
    if (AccessibleInfo* info = InfoOf(Item(dlg, id))) info->name = name;
}

void ListSetEntryReader(Window dlg, int id, EntryReader reader) {
    HWND list = Item(dlg, id);
    AccessibleInfo* info = InfoOf(list);
    if (info && IsListBox(list)) info->reader = std::move(reader);
}

EntrySpeech AccessibleText(Window dlg, int id, int entry) {
    HWND h = Item(dlg, id);
    if (!h) return {};
    EnsureCom();
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&acc))) ||
        !acc) {
        // A system that cannot hand the object over through WM_GETOBJECT
        // (Wine cannot marshal it): the object it would have handed over.
        acc = InfoOf(h) ? MakeAccessible(h) : nullptr;
        if (!acc) return {};
    }
    EntrySpeech speech;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT state;
    VariantInit(&state);
    const bool hidden = SUCCEEDED(acc->get_accState(self, &state)) && state.vt == VT_I4 &&
                        (state.lVal & STATE_SYSTEM_INVISIBLE);
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = entry < 0 ? CHILDID_SELF : entry + 1;
    BSTR name = nullptr;
    if (!hidden && acc->get_accName(child, &name) == S_OK) speech.words = FromBstr(name);
    SysFreeString(name);
    VariantInit(&state);
    if (!hidden && entry >= 0 && SUCCEEDED(acc->get_accState(child, &state)) && state.vt == VT_I4 &&
        InfoOf(h) && InfoOf(h)->reader)
        speech.checked = (state.lVal & STATE_SYSTEM_CHECKED) ? 1 : 0;
    acc->Release();
    return speech;
}

}  // namespace plat
