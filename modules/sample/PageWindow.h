// CSamplePage: the sample module's one child window, covering the host window's client area. It
// registers its window class when it is created and unregisters it when it goes, owns its fonts and
// child controls, and shows one device with Previous, Next and Close buttons. Every text it shows is
// the window text of one of its label controls, so that it can be read back like any window's text.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "DeviceLookup.h"
#include "PagePainter.h"

inline constexpr wchar_t kSamplePageClassName[] = L"DashwellSamplePage";

// From 1000 up: ids 1 and 2 are the dialog's OK and Cancel, and a command with them closes the host.
enum SamplePageControl : int {
    kPreviousButton = 1001,
    kNextButton = 1002,
    kCloseButton = 1003,
    kDeviceNameLabel = 1010,
    kDeviceTypeLabel = 1011,
    kFirmwareLabel = 1012,
    kPreviousNameLabel = 1013,  // the previous device's key name, empty when there is none
    kNextNameLabel = 1014,
};

class CSamplePage {
public:
    // Nothing when the window cannot be made (for example without a valid host window).
    static std::unique_ptr<CSamplePage> Create(HINSTANCE module, HWND host,
                                               const std::optional<DeviceFacts>& device);
    ~CSamplePage();
    CSamplePage(const CSamplePage&) = delete;
    CSamplePage& operator=(const CSamplePage&) = delete;

    // A button without a neighbour in its direction is disabled.
    void SetNeighbours(WStringView previousKeyName, WStringView nextKeyName);
    void FitToHost();
    // The left and right arrow keys press Previous and Next; true when the key was used.
    bool TakeKey(const MSG& message);

    HWND Handle() const { return m_hWnd; }

private:
    CSamplePage(HINSTANCE module, HWND host);

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR subclassId, DWORD_PTR page);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(const std::optional<DeviceFacts>& device);
    void OnSize(int width, int height);           // WM_SIZE
    void OnPaint();                               // WM_PAINT
    void OnDrawItem(const DRAWITEMSTRUCT& item);  // WM_DRAWITEM from every control
    void OnCommand(int controlId);                // WM_COMMAND, BN_CLICKED
    void SetHotButton(HWND button);
    void SetLabel(int controlId, WStringView text) const;
    HWND Control(int controlId) const { return GetDlgItem(m_hWnd, controlId); }

    HINSTANCE m_hModule;
    HWND m_hHost;
    HWND m_hWnd = nullptr;
    HWND m_hHotButton = nullptr;
    PageFonts m_fonts;
    PageLayout m_layout{};
};
