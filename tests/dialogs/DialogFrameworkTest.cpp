// The dialog framework on real windows: messages from creation on, default processing through the
// virtual DefWindowProc, the modal run (owner, centring, result, end, quit), pre-translation from the
// target window up, WM_DRAWITEM reflection, and objects that outlive or predecease their windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "res/resource.h"
#include "ui/Button.h"
#include "ui/Dialog.h"

namespace {

// A dialog on the warning template that records what reaches it.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(HWND owner, UINT nIDTemplate = IDD_WARNING_DIALOG)
        : CDialog(nIDTemplate, owner) {}

    std::vector<UINT> m_seen;       // every message, in order
    std::vector<UINT> m_defaulted;  // every message that reached DefWindowProc
    std::vector<std::string>* m_pTrace = nullptr;
    bool m_bFailCreate = false;
    bool m_bTakeMessages = false;  // PreTranslateMessage answers true
    const POINT* m_pPlaceAt = nullptr;

    bool PreTranslateMessage(MSG& msg) override {
        if (m_pTrace && msg.message >= WM_APP) {
            m_pTrace->push_back("dialog");
        }
        return m_bTakeMessages;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_seen.push_back(message);
        if (message == WM_CREATE) {
            return m_bFailCreate ? -1 : Default();
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_defaulted.push_back(message);
        return CDialog::DefWindowProc(message, wParam, lParam);
    }
    bool OnInitDialog() override {
        if (m_pPlaceAt) {
            SetWindowPos(Handle(), nullptr, m_pPlaceAt->x, m_pPlaceAt->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        return CDialog::OnInitDialog();
    }
};

// A child window that records pre-translation and dispatch of application messages.
class TracingChild : public CWnd {
public:
    TracingChild(HWND parent, std::vector<std::string>& trace) : m_trace(trace) {
        CreateEx(0, L"STATIC", WString(), WS_CHILD | WS_VISIBLE, RECT{0, 0, 20, 20}, parent, 0);
    }
    bool m_bTakeMessages = false;

    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message >= WM_APP) {
            m_trace.push_back("child");
        }
        return m_bTakeMessages;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP) {
            m_trace.push_back("dispatched");
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::string>& m_trace;
};

class CountingButton : public CButton {
public:
    int m_nDrawn = 0;
    HWND m_hDrawnItem = nullptr;

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        ++m_nDrawn;
        m_hDrawnItem = item.hwndItem;
    }
};

size_t IndexOf(const std::vector<UINT>& messages, UINT message) {
    return static_cast<size_t>(std::find(messages.begin(), messages.end(), message) - messages.begin());
}

bool Contains(const std::vector<UINT>& messages, UINT message) {
    return IndexOf(messages, message) < messages.size();
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST(DialogFramework, EveryMessageFromCreationOnReachesTheObjectAndTheRestItsDefault) {
    RecordingDialog dialog(nullptr);
    ModalScript script;
    script.Then([&] {
        SendMessageW(dialog.Handle(), WM_APP + 7, 0, 0);
        dialog.EndDialog(IDOK);
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const std::vector<UINT>& seen = dialog.m_seen;
    ASSERT_TRUE(Contains(seen, WM_NCCREATE));
    EXPECT_LT(IndexOf(seen, WM_NCCREATE), IndexOf(seen, WM_CREATE));
    EXPECT_LT(IndexOf(seen, WM_CREATE), IndexOf(seen, WM_INITDIALOG));
    EXPECT_LT(IndexOf(seen, WM_INITDIALOG), seen.size());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
    // Unhandled messages and those a handler passes on reach the override; handled ones do not.
    EXPECT_TRUE(Contains(dialog.m_defaulted, WM_NCCREATE));
    EXPECT_TRUE(Contains(dialog.m_defaulted, WM_CREATE));
    EXPECT_TRUE(Contains(dialog.m_defaulted, WM_APP + 7));
    EXPECT_FALSE(Contains(dialog.m_defaulted, WM_INITDIALOG));
}

TEST(DialogFramework, EndingMarksTheRunEndedAndTheWindowGoesAfterTheLoop) {
    RecordingDialog dialog(nullptr);
    HWND window = nullptr;
    bool aliveAfterEnd = false;
    ModalScript script;
    script.Then([&] {
        window = dialog.Handle();
        dialog.EndDialog(42);
        aliveAfterEnd = IsWindow(window) && dialog.Handle() == window;
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(aliveAfterEnd);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogFramework, OwnerIsDisabledWhileTheDialogRunsAndTheDialogIsCentredOverIt) {
    LoggingParent owner(700, 500);
    RecordingDialog dialog(owner.Handle());
    bool ownerEnabled = true;
    bool visible = false;
    RECT placed{};
    ModalScript script;
    script.Then([&] {
        ownerEnabled = IsWindowEnabled(owner.Handle());
        visible = IsWindowVisible(dialog.Handle());
        placed = WindowRect(dialog.Handle());
        dialog.EndDialog(IDOK);
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(visible);
    const RECT around = WindowRect(owner.Handle());
    EXPECT_NEAR((placed.left + placed.right) / 2, (around.left + around.right) / 2, 1);
    EXPECT_NEAR((placed.top + placed.bottom) / 2, (around.top + around.bottom) / 2, 1);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
}

TEST(DialogFramework, DialogPlacedByOnInitDialogStaysWhereItWasPut) {
    LoggingParent owner(700, 500);
    RecordingDialog dialog(owner.Handle());
    const POINT place{30, 40};
    dialog.m_pPlaceAt = &place;
    RECT placed{};
    ModalScript script;
    script.Then([&] {
        placed = WindowRect(dialog.Handle());
        dialog.EndDialog(IDOK);
    });
    script.Start();
    dialog.DoModal();
    EXPECT_EQ(placed.left, 30);
    EXPECT_EQ(placed.top, 40);
}

TEST(DialogFramework, DialogThatCannotBeCreatedGivesMinusOneAndLeavesTheOwnerEnabled) {
    LoggingParent owner(200, 100);
    RecordingDialog missingTemplate(owner.Handle(), 9999);
    EXPECT_EQ(missingTemplate.DoModal(), -1);
    RecordingDialog failingCreate(owner.Handle());
    failingCreate.m_bFailCreate = true;
    EXPECT_EQ(failingCreate.DoModal(), -1);
    EXPECT_FALSE(Contains(failingCreate.m_seen, WM_INITDIALOG));
    EXPECT_EQ(failingCreate.Handle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(DialogFramework, EscapeCloseAndAltF4EndWithCancelAsThePlatformDoes) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const Case cases[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 1},
        {"WM_CLOSE", WM_CLOSE, 0, 0},
        {"system menu Close", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 0x20000001},
        {"IDOK from a menu", WM_COMMAND, IDOK, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDialog dialog(nullptr);
        ModalScript script;
        script.Then([&] { PostMessageW(dialog.Handle(), c.message, c.wParam, c.lParam); });
        script.Start();
        EXPECT_EQ(dialog.DoModal(), c.message == WM_COMMAND ? IDOK : IDCANCEL);
    }
}

TEST(DialogFramework, QuitEndsTheRunAsCancelAndIsLeftForTheOuterLoop) {
    RecordingDialog dialog(nullptr);
    ModalScript script;
    script.Then([] { PostQuitMessage(5); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST(DialogFramework, PreTranslationGoesFromTheTargetUpToTheDialogBeforeDispatch) {
    struct Case {
        bool childTakes;
        bool dialogTakes;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {false, false, {"child", "dialog", "dispatched"}},
        {true, false, {"child"}},
        {false, true, {"child", "dialog"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> trace;
        RecordingDialog dialog(nullptr);
        dialog.m_pTrace = &trace;
        dialog.m_bTakeMessages = c.dialogTakes;
        ModalScript script;
        std::unique_ptr<TracingChild> child;
        script.Then([&] {
            child = std::make_unique<TracingChild>(dialog.Handle(), trace);
            child->m_bTakeMessages = c.childTakes;
            PostMessageW(child->Handle(), WM_APP + 1, 0, 0);
        });
        script.Then([&] { dialog.EndDialog(IDOK); });
        script.Start();
        dialog.DoModal();
        EXPECT_EQ(trace, c.trace);
    }
}

TEST(DialogFramework, DrawItemOfTheParentIsReflectedToTheButton) {
    LoggingParent parent(200, 100);
    CountingButton button;
    ASSERT_TRUE(
        button.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 10, 60, 40}, parent.Handle(), 3));
    button.m_nDrawn = 0;
    InvalidateRect(button.Handle(), nullptr, TRUE);
    UpdateWindow(button.Handle());
    EXPECT_GE(button.m_nDrawn, 1);
    EXPECT_EQ(button.m_hDrawnItem, button.Handle());
}

TEST(DialogFramework, ObjectThatGoesFirstTakesItsWindowAlong) {
    LoggingParent parent(200, 100);
    HWND window = nullptr;
    {
        CountingButton button;
        ASSERT_TRUE(button.Create(u"", WS_CHILD | BS_OWNERDRAW, RECT{0, 0, 10, 10}, parent.Handle(), 1));
        window = button.Handle();
        EXPECT_EQ(CWnd::FromHandle(window), &button);
    }
    EXPECT_FALSE(IsWindow(window));
}
