// CWnd: one C++ object attached to one window for the window's whole life. The object is attached
// before the window's first message (a CBT hook of the creating thread), sees every message in one
// virtual WindowProc and hands what it does not handle to the virtual DefWindowProc, which calls the
// window procedure it replaced. The window detaches itself on WM_NCDESTROY; an object that goes while
// its window still lives destroys the window. The object owns neither its parent nor its owner.
#pragma once

#include <windows.h>

#include "xml/WideString.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND Handle() const { return m_hWnd; }
    // The object attached to a window, or null.
    static CWnd* FromHandle(HWND window);

    // Creates the window with this object attached from its first message on; false when creation
    // failed (the object is then attached to nothing).
    bool CreateEx(DWORD exStyle, const wchar_t* className, const WString& text, DWORD style, const RECT& rect,
                  HWND parent, UINT id);
    // Attaches this object to a window that exists already (a control of a dialog template); false
    // when the window is attached to an object already.
    bool SubclassWindow(HWND window);

    // Offered every message of this window and of its child windows before the dialog manager and
    // dispatch see it (see CDialog's modal run); true keeps it from being dispatched.
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    // Lets the class adjust its window before the window's WM_CREATE: called after the window's own
    // WM_NCCREATE for windows created with the object attached, before the object's window procedure
    // is installed for windows subclassed later. (A control ignores its messages before WM_NCCREATE.)
    virtual void PreSubclassWindow() {}

    // The one dispatcher: derived classes switch on the messages they handle and pass the rest on to
    // their base class's WindowProc. This base turns WM_COMMAND into OnCommand and reflects WM_DRAWITEM
    // to the control that is to be drawn.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing: the window procedure that was there before this object's.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the message now being handled, unchanged.
    LRESULT Default();

    // True when the command was handled; false lets it reach DefWindowProc.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // The control's share of its parent's WM_DRAWITEM; true when the control drew itself.
    virtual bool DrawReflectedItem(const DRAWITEMSTRUCT& item);

    // Attaches this object to the next window the thread creates while the scope lives. Windows made
    // by the dialog manager are created this way; CreateEx uses it too.
    class AttachOnCreate {
    public:
        explicit AttachOnCreate(CWnd& wnd);
        ~AttachOnCreate();
        AttachOnCreate(const AttachOnCreate&) = delete;
        AttachOnCreate& operator=(const AttachOnCreate&) = delete;

    private:
        CWnd* m_pPrevious;
        bool m_bOwnsHook;
    };

private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    static LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Attach(HWND window);
    void Detach();

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuper = nullptr;
    Message m_current{};
    bool m_bPreSubclassPending = false;
};
