// Attaching objects to windows, and the one window procedure that dispatches to them.
#include "ui/Wnd.h"

#include <climits>
#include <cstdint>
#include <utility>

#include "ui/WinString.h"

namespace {

const wchar_t kObjectProperty[] = L"Dashwell.CWnd";

// The object waiting for the next window of this thread, and the hook that attaches it.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCbtHook = nullptr;

// The input method's own window can be created on the thread before the window we wait for.
bool IsImeWindow(HWND window) {
    wchar_t className[8] = {};
    return GetClassNameW(window, className, 8) && lstrcmpiW(className, L"IME") == 0;
}

// The length from one edge to the other; 0 for a reversed rectangle, saturated at INT_MAX.
int Extent(LONG from, LONG to) {
    const int64_t extent = static_cast<int64_t>(to) - from;
    return extent <= 0 ? 0 : extent >= INT_MAX ? INT_MAX : static_cast<int>(extent);
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd) {
        // Detach first: this object is half destroyed and must see none of the window's last messages.
        const HWND window = m_hWnd;
        Detach();
        DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandle(HWND window) {
    return window ? static_cast<CWnd*>(GetPropW(window, kObjectProperty)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const WString& text, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    AttachOnCreate attach(*this);
    // Child windows take their id where other windows take a menu.
    const HMENU idOrMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    const HWND created = CreateWindowExW(exStyle, className, WinStr(text), style, rect.left, rect.top,
                                         Extent(rect.left, rect.right), Extent(rect.top, rect.bottom), parent,
                                         idOrMenu, GetModuleHandleW(nullptr), nullptr);
    return created && created == m_hWnd;
}

bool CWnd::SubclassWindow(HWND window) {
    if (m_hWnd || !window || FromHandle(window)) {
        return false;
    }
    m_hWnd = window;
    PreSubclassWindow();
    Attach(window);
    return true;
}

bool CWnd::PreTranslateMessage(MSG&) {
    return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:  // bool OnCommand(WPARAM, LPARAM)
            if (OnCommand(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_DRAWITEM: {  // bool DrawReflectedItem(const DRAWITEMSTRUCT&) of the control
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            // A menu item's hwndItem is a menu handle, not a window.
            CWnd* control = item.CtlType == ODT_MENU ? nullptr : FromHandle(item.hwndItem);
            if (control && control->DrawReflectedItem(item)) {
                return TRUE;
            }
            break;
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::OnCommand(WPARAM, LPARAM) {
    return false;
}

bool CWnd::DrawReflectedItem(const DRAWITEMSTRUCT&) {
    return false;
}

CWnd::AttachOnCreate::AttachOnCreate(CWnd& wnd)
    : m_pPrevious(std::exchange(t_pWndInit, &wnd)), m_bOwnsHook(t_hCbtHook == nullptr) {
    if (m_bOwnsHook) {
        t_hCbtHook = SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, GetCurrentThreadId());
    }
}

CWnd::AttachOnCreate::~AttachOnCreate() {
    t_pWndInit = m_pPrevious;
    if (m_bOwnsHook && t_hCbtHook) {
        UnhookWindowsHookEx(std::exchange(t_hCbtHook, nullptr));
    }
}

LRESULT CALLBACK CWnd::CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && t_pWndInit && !IsImeWindow(window)) {
        CWnd* wnd = std::exchange(t_pWndInit, nullptr);
        wnd->Attach(window);
        wnd->m_bPreSubclassPending = true;
    }
    return CallNextHookEx(t_hCbtHook, code, wParam, lParam);
}

// noexcept: an exception must not unwind through the system's frames; it ends the process here instead.
LRESULT CALLBACK CWnd::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CWnd* self = FromHandle(window);
    if (!self) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    const Message outer = std::exchange(self->m_current, Message{message, wParam, lParam});
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->m_current = outer;
    if (message == WM_NCCREATE && std::exchange(self->m_bPreSubclassPending, false) && result) {
        self->PreSubclassWindow();
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    return result;
}

void CWnd::Attach(HWND window) {
    m_hWnd = window;
    SetPropW(window, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
}

void CWnd::Detach() {
    RemovePropW(m_hWnd, kObjectProperty);
    // Put the old procedure back unless another subclass has been installed over ours since.
    if (GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_bPreSubclassPending = false;
}
