// Helpers of the dialog tests: a temporary skin folder, pictures made of coloured rectangles, a parent
// window that logs what reaches it, steps run inside a modal loop, and Linux commands (xdotool,
// ImageMagick) started from the test under Wine. Each helper owns what it makes.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/TempFolder.h"
#include "ui/Wnd.h"
#include "xml/WideString.h"

struct ColorRect {
    RECT rect;
    COLORREF color;
};

// A 24-bit BMP file of the size, filled with one colour and then with each rectangle's colour.
std::string BmpFile(int width, int height, COLORREF fill, std::initializer_list<ColorRect> rects = {});

// Dispatches every message waiting in the thread's queue.
void PumpMessages();

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A visible top-level window at (100, 100) that records the messages its tests care about.
class LoggingParent : public CWnd {
public:
    LoggingParent(int width, int height);

    // Recorded: WM_COMMAND, WM_MOUSEMOVE and WM_SKINBTN_PRESSED.
    std::vector<LoggedMessage> m_log;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Steps that run inside whatever message loop the thread runs next (a modal dialog's), one after the
// other, each as a posted message to a window of its own.
class ModalScript {
public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(std::function<void()> step);
    // The step waits until the thread's queue has run empty (posted messages and input handled) and
    // the condition holds; the condition is asked again while input is still arriving. A condition that
    // never holds fails the test, and the step runs all the same.
    ModalScript& ThenWhen(std::function<bool()> condition, std::function<void()> step);
    // Posts the first step; call it before the modal run starts.
    void Start();

private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> run;
    };
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunNext();

    HWND m_hWnd;
    std::deque<Step> m_steps;
    int m_nPolls = 0;
};

// A Linux command line run through /bin/sh, started from the test under Wine.
class LinuxCommand {
public:
    explicit LinuxCommand(const std::string& commandLine);
    ~LinuxCommand();
    LinuxCommand(const LinuxCommand&) = delete;
    LinuxCommand& operator=(const LinuxCommand&) = delete;

    bool Finished() const;
    // Waits for the end within a generous bound; true when the command succeeded.
    bool Wait();

private:
    std::string m_marker;  // Linux path of the file that receives the exit status
    bool m_bStarted;
};

// Runs a command and waits for it: while it runs, this thread handles no input.
bool RunLinuxCommand(const std::string& commandLine);
// Screenshot of the whole screen into the artifacts folder of the build.
bool SaveScreenshot(const std::string& name);
// Real mouse input through the X server.
bool MouseClickAt(POINT screen, int button = 1);
bool MouseMoveTo(POINT screen);

// The centre of a window on the screen.
POINT WindowCenter(HWND window);
SIZE WindowSize(HWND window);
