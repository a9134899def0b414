// CDashwellDlg, the main window: a frameless dialog shaped by the skin that hosts the current
// device's page module (Setting.dll). It owns the device catalogue, the loaded module and the icon.
// The module draws the window's content and gets the window's messages; the window itself only
// chooses, loads and switches modules.
#pragma once

#include <windows.h>

#include <optional>

#include "devices/SwitchDevice.h"
#include "sdk/DashwellPage.h"
#include "ui/Dialog.h"

constexpr UINT WM_DEVICE_SWITCH = DASHWELL_WM_DEVICE_SWITCH;
constexpr UINT WM_DEVICE_REFRESH = DASHWELL_WM_DEVICE_REFRESH;

class CDashwellDlg : public CDialog {
public:
    // Reads the device catalogue.
    CDashwellDlg();
    // Remembers the current device in the user's registry.
    ~CDashwellDlg() override;

    bool PreTranslateMessage(MSG& msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;
    void OnBetweenMessages() override;

private:
    enum class Direction { kPrevious, kNext };

    void OnPaint();
    void OnLButtonDown(LPARAM point);
    void OnDestroy();

    void ShowFirstDevice();
    void ShowDebugDevice();
    // index: a catalogue index, or -1 for "no device": the warning, then the window closes.
    void ShowDevice(int index);
    void ShowNoDeviceWarning();
    void PostClose();
    bool LoadPageModule(WStringView path);
    void InitialisePageModule();
    void UnloadPageModule();
    void ClearPageModuleExports();
    void UpdatePreAndNextDev();
    void StepToPluggedDevice(Direction direction);
    void OnDevicesChanged(WPARAM wParam);

    HMODULE m_hPageModule = nullptr;
    DashwellInitialPageInfoFn m_pfnInitialPageInfo = nullptr;
    DashwellSetPreAndNextDevFn m_pfnSetPreAndNextDev = nullptr;
    DashwellUnIntialPageInfoFn m_pfnUnIntialPageInfo = nullptr;
    DashwellProcessFunctionFn m_pfnProcessFunction = nullptr;
    DashwellProcessParentDefFn m_pfnProcessParentDef = nullptr;
    DashwellDllPreTranslateMessageFn m_pfnDllPreTranslateMessage = nullptr;
    DashwellZQ455EXITFn m_pfnZQ455EXIT = nullptr;
    CSwitchDevice m_SwitchDevice;
    bool m_bDebug = false;
    WString m_strDebugName;
    HICON m_hIcon = nullptr;

    // A switch asked for by a message waits until no handler runs, so the old module is never
    // released while its own code is on the stack (it may have sent the request itself).
    std::optional<Direction> m_pendingSwitch;
    bool m_bClosing = false;
    // A module let go when the window was destroyed; released once no handler runs.
    HMODULE m_hRetiredModule = nullptr;
};
