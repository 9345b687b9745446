#include "win32/accessible_object.h"

#include <new>
#include <string>
#include <utility>

#include "win32/system_functions.h"

namespace quillaro::win32 {
namespace {

constexpr HRESULT kControlGone = RPC_E_DISCONNECTED;

bool is_self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

void set_long(VARIANT* to, LONG value) {
    to->vt = VT_I4;
    to->lVal = value;
}

// The accessible object of one control. It asks the palette's facts on every call, so what it
// says follows the page; once the palette or the control is gone it says so.
class ControlAccessible final : public IAccessible {
  public:
    ControlAccessible(HWND control, std::weak_ptr<AccessibleControls::Facts> facts)
        : control_(control), facts_(std::move(facts)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const auto left = static_cast<ULONG>(InterlockedDecrement(&references_));
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: clients use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!alive()) return kControlGone;
        // The control's own window object, as the system's objects have it.
        return accessibility_functions().object_from_window(
            control_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
            reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
        if (child == nullptr) return E_POINTER;
        *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return answer_text(child, name, [](const AccessibleFacts& f) { return f.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return nothing_to_tell(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return nothing_to_tell(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        role->vt = VT_EMPTY;
        AccessibleFacts facts;
        if (const HRESULT asked = ask(child, facts); FAILED(asked)) return asked;
        set_long(role, facts.role == AccessibleRole::StaticText ? ROLE_SYSTEM_STATICTEXT
                                                                : ROLE_SYSTEM_PUSHBUTTON);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        state->vt = VT_EMPTY;
        AccessibleFacts facts;
        if (const HRESULT asked = ask(child, facts); FAILED(asked)) return asked;
        LONG flags = 0;
        if (facts.role == AccessibleRole::StaticText) {
            flags |= STATE_SYSTEM_READONLY;
        } else if ((GetWindowLongW(control_, GWL_STYLE) & WS_TABSTOP) != 0) {
            flags |= STATE_SYSTEM_FOCUSABLE;
        }
        if (!facts.enabled || IsWindowEnabled(control_) == FALSE) flags |= STATE_SYSTEM_UNAVAILABLE;
        if (GetFocus() == control_) flags |= STATE_SYSTEM_FOCUSED;
        if (IsWindowVisible(control_) == FALSE) flags |= STATE_SYSTEM_INVISIBLE;
        if (facts.selected) flags |= STATE_SYSTEM_PRESSED;
        set_long(state, flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return nothing_to_tell(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file != nullptr) *file = nullptr;
        if (topic != nullptr) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return nothing_to_tell(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        focus->vt = VT_EMPTY;
        if (!alive()) return kControlGone;
        if (GetFocus() != control_) return S_FALSE;
        set_long(focus, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        selection->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return answer_text(child, action,
                           [](const AccessibleFacts& f) { return f.default_action; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (!is_self(child)) return E_INVALIDARG;
        if (!alive()) return kControlGone;
        if ((flags & SELFLAG_TAKEFOCUS) == 0) return DISP_E_MEMBERNOTFOUND;
        SetFocus(control_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        if (!is_self(child)) return E_INVALIDARG;
        if (!alive()) return kControlGone;
        RECT rect{};
        if (GetWindowRect(control_, &rect) == FALSE) return E_FAIL;
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        end->vt = VT_EMPTY;
        return DISP_E_MEMBERNOTFOUND;  // no children; siblings are the window object's to tell
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        child->vt = VT_EMPTY;
        if (!alive()) return kControlGone;
        RECT rect{};
        if (GetWindowRect(control_, &rect) == FALSE || PtInRect(&rect, POINT{x, y}) == FALSE) {
            return S_FALSE;
        }
        set_long(child, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleFacts facts;
        if (const HRESULT asked = ask(child, facts); FAILED(asked)) return asked;
        if (facts.default_action.empty()) return DISP_E_MEMBERNOTFOUND;
        if (!facts.enabled || IsWindowEnabled(control_) == FALSE) return E_FAIL;
        // Posted: the screen reader's call returns at once, and the palette handles the press
        // as it handles a click, typing into the window that was in front.
        PostMessageW(GetParent(control_), WM_COMMAND,
                     MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(control_)), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~ControlAccessible() = default;

    [[nodiscard]] bool alive() const { return !facts_.expired() && IsWindow(control_) != FALSE; }

    HRESULT ask(const VARIANT& child, AccessibleFacts& facts) const {
        if (!is_self(child)) return E_INVALIDARG;
        const std::shared_ptr<AccessibleControls::Facts> tell = facts_.lock();
        if (!tell || IsWindow(control_) == FALSE) return kControlGone;
        facts = (*tell)(control_);
        return S_OK;
    }

    template <typename Field>
    HRESULT answer_text(const VARIANT& child, BSTR* text, Field field) const {
        if (text == nullptr) return E_POINTER;
        *text = nullptr;
        AccessibleFacts facts;
        if (const HRESULT asked = ask(child, facts); FAILED(asked)) return asked;
        const std::u16string value = field(facts);
        if (value.empty()) return S_FALSE;
        *text = accessibility_functions().alloc_string(
            reinterpret_cast<const OLECHAR*>(value.data()), static_cast<UINT>(value.size()));
        return *text != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT nothing_to_tell(const VARIANT& child, BSTR* text) const {
        if (text == nullptr) return E_POINTER;
        *text = nullptr;
        if (!is_self(child)) return E_INVALIDARG;
        return alive() ? S_FALSE : kControlGone;
    }

    LONG references_ = 1;
    HWND control_;
    std::weak_ptr<AccessibleControls::Facts> facts_;
};

}  // namespace

bool AccessibilityFunctions::complete() const {
    return lresult_from_object != nullptr && object_from_window != nullptr &&
           start_com != nullptr && stop_com != nullptr && alloc_string != nullptr;
}

// oleacc.dll is not one of the system's known DLLs: loaded from System32 on first use, like
// uxtheme.dll. The COM DLLs wait too, so that start-up pays for none of them.
const AccessibilityFunctions& accessibility_functions() {
    static const AccessibilityFunctions functions{
        system_function<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
        system_function<decltype(AccessibleObjectFromWindow)>(L"oleacc.dll",
                                                              "AccessibleObjectFromWindow"),
        system_function<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx"),
        system_function<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize"),
        system_function<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen"),
    };
    return functions;
}

IAccessible* make_accessible_object(HWND control, std::weak_ptr<AccessibleControls::Facts> facts) {
    return new (std::nothrow) ControlAccessible(control, std::move(facts));
}

}  // namespace quillaro::win32
