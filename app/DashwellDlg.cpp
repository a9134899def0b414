// The main window: start-up, painting, closing, and the hosting of the page modules.
#include "app/DashwellDlg.h"

#include "app/PageModule.h"
#include "dialogs/WarningDlg.h"
#include "res/resource.h"
#include "skin/AppDirectory.h"
#include "skin/FrameSkin.h"
#include "ui/PaintDC.h"
#include "ui/WinString.h"

namespace {

constexpr int32_t kNoDeviceWarning = 0;

// A module export by its plain name; null when the module lacks it.
template <typename Function>
Function FindExport(HMODULE module, const char* name) {
    // Through a function type without parameters, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

CDashwellDlg::CDashwellDlg()
    : CDialog(IDD_DASHWELL_DIALOG, nullptr),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

// The catalogue, a member, stores "ExitDeviceName" as it goes. The module is gone by now: it was let
// go when the window was destroyed.
CDashwellDlg::~CDashwellDlg() = default;

bool CDashwellDlg::PreTranslateMessage(MSG& msg) {
    if (m_pfnDllPreTranslateMessage && m_pfnDllPreTranslateMessage(&msg)) {
        return true;
    }
    // Escape and Return would end the dialog: the main window only closes by WM_CLOSE.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
        return true;
    }
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CDashwellDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_hIcon);
        case WM_ERASEBKGND:  // the page module paints everything
        case WM_HELP:        // there is no help to show
            return TRUE;
        case WM_LBUTTONDOWN:
            OnLButtonDown(lParam);
            return Default();
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

// The page module sees the window's messages before the dialog's own default processing does.
LRESULT CDashwellDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DEVICE_SWITCH) {
        // The second parameter is a signed 32-bit number: -1 may arrive as 0xFFFFFFFF.
        StepToPluggedDevice(static_cast<int32_t>(lParam) < 0 ? Direction::kPrevious : Direction::kNext);
    } else if (message < WM_USER) {
        if (m_pfnProcessParentDef) {
            m_pfnProcessParentDef(message, wParam, lParam);
        }
    } else if (message == WM_DEVICE_REFRESH) {
        OnDevicesChanged(wParam);
    } else if (message > WM_USER) {
        if (m_pfnProcessFunction) {
            m_pfnProcessFunction(message, wParam, lParam);
        }
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}

bool CDashwellDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetAppDirectory(ExecutableFolder());
    SetWindowTextW(Handle(), L"Quor Gaming service");
    LoadFrameSkinDocuments();
    ApplyFrameSkin(Handle(), m_bDebug, m_strDebugName);
    if (m_bDebug) {
        ShowDebugDevice();
    } else {
        ShowFirstDevice();
    }
    CenterWindow(GetDesktopWindow());
    return true;
}

void CDashwellDlg::OnBetweenMessages() {
    if (m_pendingSwitch) {
        const Direction direction = *m_pendingSwitch;
        m_pendingSwitch.reset();
        const WString name = direction == Direction::kPrevious ? m_SwitchDevice.GetPrevPluggedDevice(-1)
                                                               : m_SwitchDevice.GetNextPluggedDevice(-1);
        ShowDevice(m_SwitchDevice.FindDevice(name));
    }
    if (m_hRetiredModule) {
        FreeLibrary(m_hRetiredModule);
        m_hRetiredModule = nullptr;
    }
}

void CDashwellDlg::OnPaint() {
    if (!IsIconic(Handle())) {
        // The page module paints the window through the default processing.
        CPaintDC dc(Handle());
        Default();
        return;
    }
    CPaintDC dc(Handle());
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT corner =
        MinimisedIconPosition(client, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    DrawIcon(dc.Handle(), corner.x, corner.y, m_hIcon);
}

// A press anywhere on the body drags the window, as a press on a caption would.
void CDashwellDlg::OnLButtonDown(LPARAM point) {
    PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(LOWORD(point), HIWORD(point)));
}

// The module hears WM_DESTROY first, then is told it is leaving. Its code may be what destroys the
// window, so the library itself is released once no handler runs.
void CDashwellDlg::OnDestroy() {
    Default();
    if (m_pfnUnIntialPageInfo) {
        m_pfnUnIntialPageInfo();
    }
    ClearPageModuleExports();
    if (m_hPageModule && !m_pfnZQ455EXIT) {
        m_hRetiredModule = m_hPageModule;
    }
    m_pfnZQ455EXIT = nullptr;
    m_hPageModule = nullptr;
}

void CDashwellDlg::ShowFirstDevice() {
    ShowDevice(m_SwitchDevice.ChooseStartDevice(m_SwitchDevice.ReadExitDeviceName()));
}

// The module of the executable's own folder stands for the debug device; the remembered device and
// the plugged flags play no part.
void CDashwellDlg::ShowDebugDevice() {
    m_SwitchDevice.SelectDevice(m_strDebugName);
    if (LoadPageModule(GetAppDirectory())) {
        InitialisePageModule();
    }
}

void CDashwellDlg::ShowDevice(int index) {
    if (index < 0 || index >= m_SwitchDevice.GetDeviceCount()) {
        ShowNoDeviceWarning();
        return;
    }
    const WString keyName = m_SwitchDevice.GetDeviceKeyName(index);
    m_SwitchDevice.SelectDevice(keyName);
    const WString path = m_SwitchDevice.GetDevicePath(index);
    UnloadPageModule();
    // A folder too long for the application directory cannot be named: its module is not loaded.
    bool folderKnown = SetAppDirectory(path + u"\\");
    if (m_bDebug && m_strDebugName == keyName) {
        folderKnown = SetAppDirectory(ExecutableFolder());
    }
    // Nothing of the old page may stay on screen, also when the new device has no page to draw.
    InvalidateRect(Handle(), nullptr, TRUE);
    if (folderKnown && LoadPageModule(GetAppDirectory())) {
        InitialisePageModule();
    }
}

void CDashwellDlg::ShowNoDeviceWarning() {
    CWarningDlg warning(Handle(), kNoDeviceWarning);
    warning.DoModal();
    PostClose();
}

// The window is closing: switches asked for from now on (or while the warning was up) are void.
void CDashwellDlg::PostClose() {
    m_bClosing = true;
    m_pendingSwitch.reset();
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

// True when a module was loaded.
bool CDashwellDlg::LoadPageModule(WStringView path) {
    const std::optional<WString> file = PageModuleFile(path);
    m_hPageModule = file ? LoadModuleFromFile(*file) : nullptr;
    if (!m_hPageModule) {
        return false;
    }
    m_pfnInitialPageInfo = FindExport<DashwellInitialPageInfoFn>(m_hPageModule, "InitialPageInfo");
    m_pfnSetPreAndNextDev = FindExport<DashwellSetPreAndNextDevFn>(m_hPageModule, "SetPreAndNextDev");
    m_pfnUnIntialPageInfo = FindExport<DashwellUnIntialPageInfoFn>(m_hPageModule, "UnIntialPageInfo");
    m_pfnProcessFunction = FindExport<DashwellProcessFunctionFn>(m_hPageModule, "ProcessFunction");
    m_pfnProcessParentDef = FindExport<DashwellProcessParentDefFn>(m_hPageModule, "ProcessParentDef");
    m_pfnDllPreTranslateMessage =
        FindExport<DashwellDllPreTranslateMessageFn>(m_hPageModule, "DllPreTranslateMessage");
    m_pfnZQ455EXIT = FindExport<DashwellZQ455EXITFn>(m_hPageModule, "ZQ455EXIT");
    return true;
}

// Without "InitialPageInfo" the module hears nothing of its neighbours either.
void CDashwellDlg::InitialisePageModule() {
    if (m_pfnInitialPageInfo) {
        m_pfnInitialPageInfo(Handle());
        UpdatePreAndNextDev();
    }
}

// Only called while no handler runs (start-up, or between messages), so no module code is on the
// stack when the library goes.
void CDashwellDlg::UnloadPageModule() {
    if (m_pfnUnIntialPageInfo) {
        m_pfnUnIntialPageInfo();
    }
    ClearPageModuleExports();
    if (m_hPageModule && !m_pfnZQ455EXIT) {
        FreeLibrary(m_hPageModule);
    }
    m_pfnZQ455EXIT = nullptr;
    m_hPageModule = nullptr;
}

// All but "ZQ455EXIT", which decides whether the library may be released.
void CDashwellDlg::ClearPageModuleExports() {
    m_pfnInitialPageInfo = nullptr;
    m_pfnSetPreAndNextDev = nullptr;
    m_pfnUnIntialPageInfo = nullptr;
    m_pfnProcessFunction = nullptr;
    m_pfnProcessParentDef = nullptr;
    m_pfnDllPreTranslateMessage = nullptr;
}

void CDashwellDlg::UpdatePreAndNextDev() {
    const WString previous = m_SwitchDevice.GetPrevPluggedDevice(-1);
    const WString next = m_SwitchDevice.GetNextPluggedDevice(-1);
    if (m_pfnSetPreAndNextDev) {
        m_pfnSetPreAndNextDev(WinStr(previous), WinStr(next));
    }
}

// The switch itself waits for OnBetweenMessages. A request sent from another thread arrives while
// the loop waits inside GetMessage; the posted wake-up lets the loop come round to it.
void CDashwellDlg::StepToPluggedDevice(Direction direction) {
    if (m_bClosing) {
        return;
    }
    m_pendingSwitch = direction;
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

void CDashwellDlg::OnDevicesChanged(WPARAM wParam) {
    m_SwitchDevice.LoadDevices();
    UpdatePreAndNextDev();
    const WString keyName = m_SwitchDevice.GetDeviceKeyName(m_SwitchDevice.GetCurrentIndex());
    const bool plugged = m_SwitchDevice.IsDevicePlugged(keyName) != 0;
    int result = 0;
    if (m_pfnProcessFunction) {
        result = m_pfnProcessFunction(WM_DEVICE_REFRESH, wParam, plugged ? 1 : 0);
    }
    if (!plugged && result == 1) {
        PostClose();
    }
}
