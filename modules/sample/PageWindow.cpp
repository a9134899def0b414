#include "PageWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "sdk/DashwellPage.h"
#include "ui/PaintDC.h"
#include "ui/WinString.h"

namespace {

constexpr int kPageId = 1000;
constexpr WStringView kNotReported = u"Not reported";

struct LabelLook {
    int controlId;
    CFont PageFonts::*font;
    COLORREF color;
    TextAlign align;
};

WStringView OrWhenEmpty(WStringView text, WStringView fallback) {
    return text.empty() ? fallback : text;
}

ButtonRole RoleOf(int controlId) {
    switch (controlId) {
        case kPreviousButton:
            return ButtonRole::kPrevious;
        case kNextButton:
            return ButtonRole::kNext;
        default:
            return ButtonRole::kClose;
    }
}

WString WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    WString text(length + 1, u'\0');
    text.resize(GetWindowTextW(window, WinBuf(text.data()), length + 1));
    return text;
}

}  // namespace

std::unique_ptr<CSamplePage> CSamplePage::Create(HINSTANCE module, HWND host,
                                                 const std::optional<DeviceFacts>& device) {
    WNDCLASSEXW windowClass = {sizeof windowClass};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSamplePageClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    std::unique_ptr<CSamplePage> page(new CSamplePage(module, host));
    RECT client = {};
    GetClientRect(host, &client);
    CreateWindowExW(0, kSamplePageClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                    client.bottom, host, reinterpret_cast<HMENU>(kPageId), module, page.get());
    if (!page->m_hWnd) {
        return nullptr;  // the destructor unregisters the class
    }
    page->CreateControls(device);
    page->OnSize(client.right, client.bottom);
    return page;
}

CSamplePage::CSamplePage(HINSTANCE module, HWND host)
    : m_hModule(module), m_hHost(host), m_fonts(PageFonts::Create()) {}

CSamplePage::~CSamplePage() {
    if (m_hWnd) {
        DestroyWindow(m_hWnd);
    }
    UnregisterClassW(kSamplePageClassName, m_hModule);
}

void CSamplePage::SetNeighbours(WStringView previousKeyName, WStringView nextKeyName) {
    SetLabel(kPreviousNameLabel, previousKeyName);
    SetLabel(kNextNameLabel, nextKeyName);
    EnableWindow(Control(kPreviousButton), !previousKeyName.empty());
    EnableWindow(Control(kNextButton), !nextKeyName.empty());
}

void CSamplePage::FitToHost() {
    RECT client = {};
    GetClientRect(m_hHost, &client);
    SetWindowPos(m_hWnd, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CSamplePage::TakeKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_LEFT && message.wParam != VK_RIGHT) ||
        (message.hwnd != m_hHost && !IsChild(m_hHost, message.hwnd))) {
        return false;
    }
    const int button = message.wParam == VK_LEFT ? kPreviousButton : kNextButton;
    if (!IsWindowEnabled(Control(button))) {
        return false;
    }
    OnCommand(button);
    return true;
}

LRESULT CALLBACK CSamplePage::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* page = static_cast<CSamplePage*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        page->m_hWnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
    }
    auto* page = reinterpret_cast<CSamplePage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!page) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        page->m_hWnd = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return page->WindowProc(message, wParam, lParam);
}

LRESULT CSamplePage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:  // void OnSize(int width, int height)
            OnSize(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_ERASEBKGND:  // painted whole in WM_PAINT
            return 1;
        case WM_NCHITTEST:  // the background is the host's: a press there drags the host window
            return HTTRANSPARENT;
        case WM_PAINT:  // void OnPaint()
            OnPaint();
            return 0;
        case WM_DRAWITEM:  // void OnDrawItem(const DRAWITEMSTRUCT& item)
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMMAND:  // void OnCommand(int controlId)
            if (HIWORD(wParam) == BN_CLICKED) {
                OnCommand(LOWORD(wParam));
            }
            return 0;
        default:
            return DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

// Buttons track the mouse for their hover look; the page keeps which one is hot.
LRESULT CALLBACK CSamplePage::ButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR subclassId, DWORD_PTR page) {
    switch (message) {
        case WM_MOUSEMOVE:
            reinterpret_cast<CSamplePage*>(page)->SetHotButton(button);
            break;
        case WM_MOUSELEAVE:
            if (reinterpret_cast<CSamplePage*>(page)->m_hHotButton == button) {
                reinterpret_cast<CSamplePage*>(page)->SetHotButton(nullptr);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, ButtonProcedure, subclassId);
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

void CSamplePage::CreateControls(const std::optional<DeviceFacts>& device) {
    auto create = [this](const wchar_t* className, DWORD style, int controlId, const wchar_t* text) {
        return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), m_hModule, nullptr);
    };
    for (auto [controlId, caption] : {std::pair{kPreviousButton, L"Previous"},
                                      std::pair{kNextButton, L"Next"}, std::pair{kCloseButton, L"Close"}}) {
        const HWND button = create(L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, controlId, caption);
        SetWindowSubclass(button, ButtonProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    for (int controlId :
         {kDeviceNameLabel, kDeviceTypeLabel, kFirmwareLabel, kPreviousNameLabel, kNextNameLabel}) {
        create(L"STATIC", SS_OWNERDRAW, controlId, L"");
    }
    if (device) {
        SetLabel(kDeviceNameLabel, OrWhenEmpty(device->name, device->keyName));
        SetLabel(kDeviceTypeLabel, OrWhenEmpty(device->deviceType, kNotReported));
        SetLabel(kFirmwareLabel, OrWhenEmpty(device->firmwareVersion, kNotReported));
    } else {
        SetLabel(kDeviceNameLabel, u"Unknown device");
        SetLabel(kDeviceTypeLabel, kNotReported);
        SetLabel(kFirmwareLabel, kNotReported);
    }
    // No neighbours until the host names them.
    SetNeighbours(u"", u"");
}

void CSamplePage::OnSize(int width, int height) {
    m_layout = LayOutPage(width, height);
    const std::pair<int, const RECT*> places[] = {
        {kPreviousButton, &m_layout.previous},
        {kNextButton, &m_layout.next},
        {kCloseButton, &m_layout.close},
        {kDeviceNameLabel, &m_layout.deviceName},
        {kDeviceTypeLabel, &m_layout.typeValue},
        {kFirmwareLabel, &m_layout.firmwareValue},
        {kPreviousNameLabel, &m_layout.previousName},
        {kNextNameLabel, &m_layout.nextName},
    };
    for (const auto& [controlId, rect] : places) {
        MoveWindow(Control(controlId), rect->left, rect->top, rect->right - rect->left,
                   rect->bottom - rect->top, FALSE);
    }
    // The controls were moved without redrawing: every one of them is painted anew, with the page.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CSamplePage::OnPaint() {
    CPaintDC paint(m_hWnd);
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    PaintBuffered(paint.Handle(), POINT{0, 0}, client,
                  [this, &client](HDC dc) { PaintBackground(dc, client, m_layout, m_fonts); });
}

void CSamplePage::OnDrawItem(const DRAWITEMSTRUCT& item) {
    static const LabelLook kLabels[] = {
        {kDeviceNameLabel, &PageFonts::title, PageColor::kText, TextAlign::kLeft},
        {kDeviceTypeLabel, &PageFonts::value, PageColor::kText, TextAlign::kLeft},
        {kFirmwareLabel, &PageFonts::value, PageColor::kText, TextAlign::kLeft},
        {kPreviousNameLabel, &PageFonts::caption, PageColor::kMuted, TextAlign::kCenter},
        {kNextNameLabel, &PageFonts::caption, PageColor::kMuted, TextAlign::kCenter},
    };
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    RECT area = item.rcItem;
    MapWindowPoints(item.hwndItem, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    const WString text = WindowText(item.hwndItem);
    PaintBuffered(item.hDC, POINT{item.rcItem.left, item.rcItem.top}, area, [&](HDC dc) {
        PaintBackground(dc, client, m_layout, m_fonts);
        if (item.CtlType == ODT_BUTTON) {
            const ButtonState state{item.hwndItem == m_hHotButton, (item.itemState & ODS_SELECTED) != 0,
                                    (item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_FOCUS) != 0};
            PaintButton(dc, area, text, m_fonts.button.Handle(), RoleOf(static_cast<int>(item.CtlID)), state);
            return;
        }
        for (const LabelLook& look : kLabels) {
            if (look.controlId == static_cast<int>(item.CtlID)) {
                PaintText(dc, area, text, (m_fonts.*look.font).Handle(), look.color, look.align);
            }
        }
    });
}

void CSamplePage::OnCommand(int controlId) {
    switch (controlId) {
        case kPreviousButton:
            PostMessageW(m_hHost, DASHWELL_WM_DEVICE_SWITCH, 0, -1);
            break;
        case kNextButton:
            PostMessageW(m_hHost, DASHWELL_WM_DEVICE_SWITCH, 0, 1);
            break;
        case kCloseButton:
            PostMessageW(m_hHost, WM_CLOSE, 0, 0);
            break;
    }
}

void CSamplePage::SetHotButton(HWND button) {
    if (button == m_hHotButton) {
        return;
    }
    if (button) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
    }
    for (HWND changed : {m_hHotButton, button}) {
        if (changed) {
            InvalidateRect(changed, nullptr, FALSE);
        }
    }
    m_hHotButton = button;
}

void CSamplePage::SetLabel(int controlId, WStringView text) const {
    const HWND label = Control(controlId);
    SetWindowTextW(label, WinStr(WString(text)));
    InvalidateRect(label, nullptr, FALSE);
}
