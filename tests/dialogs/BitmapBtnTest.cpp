// The skinned button on real windows: the state and caption-colour table read back from pixels, the
// caption's alignment and indent, the fallbacks for missing pictures, presses and what the parent is
// told, hover tracking with the capture, keys, creation (class style, strings font) and the tooltip.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "skin/AppDirectory.h"
#include "skin/BitmapBtn.h"
#include "skin/Dib32.h"
#include "skin/SkinDocuments.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"
#include "ui/WinString.h"

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 40;
constexpr UINT kButtonId = 7;

constexpr COLORREF kNormal = RGB(0, 0, 128);
constexpr COLORREF kOver = RGB(0, 128, 0);
constexpr COLORREF kDown = RGB(128, 0, 0);
constexpr COLORREF kDisabled = RGB(64, 64, 64);
constexpr COLORREF kText = RGB(255, 255, 0);
constexpr COLORREF kTextActive = RGB(0, 255, 255);
constexpr COLORREF kTextDisabled = RGB(255, 0, 255);

CBitmap SolidPicture(int width, int height, COLORREF color, const RECT* patch = nullptr,
                     COLORREF patchColor = 0) {
    CBitmap picture = CreateDib32(width, height);
    CMemoryDC dc(nullptr);
    CSelection selected(dc.Handle(), picture.Handle());
    const RECT all{0, 0, width, height};
    SetBkColor(dc.Handle(), color);
    ExtTextOutW(dc.Handle(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    if (patch) {
        SetBkColor(dc.Handle(), patchColor);
        ExtTextOutW(dc.Handle(), 0, 0, ETO_OPAQUE, patch, nullptr, 0, nullptr);
    }
    return picture;
}

COLORREF PixelOf(const CBitmap& picture, int x, int y) {
    CMemoryDC dc(nullptr);
    CSelection selected(dc.Handle(), picture.Handle());
    return GetPixel(dc.Handle(), x, y);
}

// The button's face as DrawItem paints it into a memory device context, one COLORREF per pixel.
class Rendering {
public:
    Rendering()
        : m_surface(CreateDib32(kWidth, kHeight)),
          m_dc(nullptr),
          m_selected(m_dc.Handle(), m_surface.Handle()) {}

    void DrawThroughParent(CBitmapBtn& button, UINT itemState) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = kButtonId;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = itemState;
        item.hwndItem = button.Handle();
        item.hDC = m_dc.Handle();
        item.rcItem = RECT{0, 0, kWidth, kHeight};
        // The parent's WM_DRAWITEM, as the platform button sends it, is reflected to the button.
        SendMessageW(GetParent(button.Handle()), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
        GdiFlush();
    }
    COLORREF At(int x, int y) const { return GetPixel(m_dc.Handle(), x, y); }
    int Count(COLORREF color) const {
        int count = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                count += At(x, y) == color;
            }
        }
        return count;
    }
    // Leftmost and rightmost columns holding a pixel of another colour than the background.
    std::pair<int, int> InkColumns(COLORREF background) const {
        int first = kWidth;
        int last = -1;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (At(x, y) != background) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
            }
        }
        return {first, last};
    }

private:
    CBitmap m_surface;
    CMemoryDC m_dc;
    CSelection m_selected;
};

// One parent window for the whole suite: hiding a window costs seconds under a bare X server.
class BitmapBtnTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_parent = new LoggingParent(400, 200); }
    static void TearDownTestSuite() { delete s_parent; }

    void SetUp() override {
        SetActiveWindow(Parent());
        PumpMessages();
        s_parent->m_log.clear();
        m_button = std::make_unique<CBitmapBtn>();
    }
    void TearDown() override {
        m_button.reset();
        ReleaseCapture();
        PumpMessages();
    }

    static HWND Parent() { return s_parent->Handle(); }
    static std::vector<LoggedMessage>& Log() { return s_parent->m_log; }

    void Create(DWORD style = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW) {
        ASSERT_TRUE(
            m_button->Create(u"", style, RECT{10, 10, 10 + kWidth, 10 + kHeight}, Parent(), kButtonId));
    }
    void CreateWithPictures() {
        Create();
        m_button->m_bmpNormal = SolidPicture(kWidth, kHeight, kNormal);
        m_button->m_bmpOver = SolidPicture(kWidth, kHeight, kOver);
        m_button->m_bmpDown = SolidPicture(kWidth, kHeight, kDown);
        m_button->m_bmpDisabled = SolidPicture(kWidth, kHeight, kDisabled);
        m_button->m_clrText = kText;
        m_button->m_clrTextActive = kTextActive;
        m_button->m_clrTextDisabled = kTextDisabled;
        m_button->m_nFontHeight = 32;
        m_button->m_nFontWeight = 900;
    }
    HWND Button() const { return m_button->Handle(); }
    void Send(UINT message, WPARAM keys, POINT point) {
        SendMessageW(Button(), message, keys, MAKELPARAM(point.x, point.y));
    }
    std::vector<LoggedMessage> Logged(UINT message) const {
        std::vector<LoggedMessage> found;
        std::copy_if(Log().begin(), Log().end(), std::back_inserter(found),
                     [message](const LoggedMessage& m) { return m.message == message; });
        return found;
    }

    static LoggingParent* s_parent;
    std::unique_ptr<CBitmapBtn> m_button;
};

LoggingParent* BitmapBtnTest::s_parent = nullptr;

}  // namespace

TEST_F(BitmapBtnTest, StateTableChoosesPictureAndCaptionColour) {
    struct Case {
        const char* name;
        bool toggle;
        bool checked;
        bool hover;
        UINT itemState;
        COLORREF picture;
        COLORREF text;
    };
    const Case cases[] = {
        {"push normal", false, false, false, 0, kNormal, kText},
        {"push hover", false, false, true, 0, kOver, kTextActive},
        {"push pressed", false, false, false, ODS_SELECTED, kDown, kTextActive},
        {"push pressed wins over hover", false, false, true, ODS_SELECTED, kDown, kTextActive},
        {"push disabled", false, false, false, ODS_DISABLED, kDisabled, kTextDisabled},
        {"push hover wins over disabled", false, false, true, ODS_DISABLED, kOver, kTextActive},
        {"push focus draws nothing of its own", false, false, false, ODS_FOCUS, kNormal, kText},
        {"toggle unchecked", true, false, false, 0, kNormal, kText},
        {"toggle checked", true, true, false, 0, kDown, kTextActive},
        {"toggle unchecked ignores hover and press", true, false, true, ODS_SELECTED, kNormal, kText},
        {"toggle checked ignores hover and press", true, true, true, ODS_SELECTED, kDown, kTextActive},
        {"toggle disabled and checked", true, true, false, ODS_DISABLED, kDisabled, kTextDisabled},
    };
    CreateWithPictures();
    m_button->m_strText = u"MMMM";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_button->m_bToggle = c.toggle;
        m_button->m_bChecked = c.checked;
        m_button->m_bHover = c.hover;
        Rendering rendering;
        rendering.DrawThroughParent(*m_button, c.itemState);
        EXPECT_EQ(rendering.At(0, 0), c.picture);
        EXPECT_EQ(rendering.At(kWidth - 1, kHeight - 1), c.picture);
        EXPECT_GT(rendering.Count(c.text), 20);
        for (COLORREF other : {kText, kTextActive, kTextDisabled}) {
            if (other != c.text) {
                EXPECT_EQ(rendering.Count(other), 0);
            }
        }
    }
}

TEST_F(BitmapBtnTest, EmptyCaptionDrawsThePictureOnly) {
    CreateWithPictures();
    Rendering rendering;
    rendering.DrawThroughParent(*m_button, 0);
    EXPECT_EQ(rendering.Count(kNormal), kWidth * kHeight);
}

TEST_F(BitmapBtnTest, StateWithoutPictureShowsTheNormalOneAndNoPictureAPlainButton) {
    CreateWithPictures();
    m_button->m_bmpOver.Delete();
    m_button->m_bHover = true;
    Rendering withNormal;
    withNormal.DrawThroughParent(*m_button, 0);
    EXPECT_EQ(withNormal.Count(kNormal), kWidth * kHeight);

    m_button->m_bmpNormal.Delete();
    m_button->m_strText = u"MMMM";
    Rendering plain;
    plain.DrawThroughParent(*m_button, 0);
    EXPECT_EQ(plain.At(kWidth / 2, 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(plain.Count(GetSysColor(COLOR_BTNTEXT)), 20);
    EXPECT_EQ(plain.Count(kTextActive), 0);
}

TEST_F(BitmapBtnTest, CaptionAlignmentAndIndent) {
    struct Case {
        const char* name;
        int32_t align;
        bool indentLeft;
        int32_t indent;
        int firstInkAtLeast;  // -1: not checked
        int firstInkAtMost;
        int lastInkAtLeast;
        int lastInkAtMost;
    };
    const Case cases[] = {
        {"left", 0, true, 0, 0, 3, -1, kWidth},
        {"left indented 10", 0, true, 10, 10, 13, -1, kWidth},
        {"right", 2, true, 0, -1, kWidth, kWidth - 4, kWidth - 1},
        {"right indented 10 from the right", 2, false, 10, -1, kWidth, kWidth - 14, kWidth - 11},
        {"any other value is right", 7, false, 10, -1, kWidth, kWidth - 14, kWidth - 11},
        {"left indent on the right side moves nothing at the left", 0, false, 10, 0, 3, -1, kWidth},
    };
    CreateWithPictures();
    m_button->m_nFontHeight = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_button->m_strText = u"II";
        m_button->m_nAlign = c.align;
        m_button->m_bIndentLeft = c.indentLeft;
        m_button->m_nTextIndent = c.indent;
        Rendering rendering;
        rendering.DrawThroughParent(*m_button, 0);
        const auto [first, last] = rendering.InkColumns(kNormal);
        ASSERT_LE(first, last);
        if (c.firstInkAtLeast >= 0) {
            EXPECT_GE(first, c.firstInkAtLeast);
            EXPECT_LE(first, c.firstInkAtMost);
        }
        if (c.lastInkAtLeast >= 0) {
            EXPECT_GE(last, c.lastInkAtLeast);
            EXPECT_LE(last, c.lastInkAtMost);
        }
    }
}

TEST_F(BitmapBtnTest, CentredCaptionIsCentredInTheIndentedRectangle) {
    CreateWithPictures();
    m_button->m_strText = u"II";
    for (int32_t indent : {0, 40}) {
        SCOPED_TRACE(indent);
        m_button->m_nTextIndent = indent;
        Rendering rendering;
        rendering.DrawThroughParent(*m_button, 0);
        const auto [first, last] = rendering.InkColumns(kNormal);
        EXPECT_NEAR((first + last) / 2.0, (indent + kWidth) / 2.0, 3.0);
    }
}

// Captions come from the strings file as the author wrote them: "&" is no mnemonic prefix.
TEST_F(BitmapBtnTest, AmpersandIsDrawnAsWritten) {
    CreateWithPictures();
    m_button->m_nFontHeight = 20;
    m_button->m_nAlign = 0;
    int width[2] = {};
    const char16_t* captions[2] = {u"AB", u"A&B"};
    for (int i = 0; i < 2; ++i) {
        m_button->m_strText = captions[i];
        Rendering rendering;
        rendering.DrawThroughParent(*m_button, 0);
        const auto [first, last] = rendering.InkColumns(kNormal);
        width[i] = last - first;
    }
    EXPECT_GT(width[1], width[0] + 5);
}

TEST_F(BitmapBtnTest, ToggleClickedTwiceFlipsAndSendsTheToggleCommandOnly) {
    Create();
    m_button->m_bToggle = true;
    std::vector<bool> checked;
    for (int click = 0; click < 2; ++click) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, {5, 5});
        Send(WM_LBUTTONUP, 0, {5, 5});
        checked.push_back(m_button->m_bChecked);
    }
    PumpMessages();
    EXPECT_EQ(checked, (std::vector<bool>{true, false}));
    const std::vector<LoggedMessage> commands = Logged(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    for (const LoggedMessage& command : commands) {
        EXPECT_EQ(command.wParam, ID_TOGGLED);
        EXPECT_EQ(command.lParam, reinterpret_cast<LPARAM>(Button()));
    }
    EXPECT_EQ(Logged(WM_SKINBTN_PRESSED).size(), 2u);
}

TEST_F(BitmapBtnTest, PushButtonClickIsThePlatformsClickNotification) {
    Create();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {5, 5});
    Send(WM_LBUTTONUP, 0, {5, 5});
    PumpMessages();
    const std::vector<LoggedMessage> commands = Logged(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kButtonId, BN_CLICKED));
    const std::vector<LoggedMessage> pressed = Logged(WM_SKINBTN_PRESSED);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0].wParam, 0u);
    EXPECT_EQ(pressed[0].lParam, 0);
    EXPECT_FALSE(m_button->m_bChecked);
}

namespace {

// Records the messages that reach the default processing, and how many messages the parent had been
// told of when the right press got there.
class DefaultProbe : public CBitmapBtn {
public:
    explicit DefaultProbe(const std::vector<LoggedMessage>& parentLog) : m_parentLog(parentLog) {}
    std::vector<UINT> m_defaulted;
    size_t m_nCommandsAtDefault = 99;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_defaulted.push_back(message);
        if (message == WM_RBUTTONDOWN) {
            m_nCommandsAtDefault = m_parentLog.size();
        }
        return CBitmapBtn::DefWindowProc(message, wParam, lParam);
    }

private:
    const std::vector<LoggedMessage>& m_parentLog;
};

}  // namespace

TEST_F(BitmapBtnTest, RightPressSendsItsCommandBeforeTheDefaultProcessing) {
    DefaultProbe probe(Log());
    ASSERT_TRUE(
        probe.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 60, 50, 90}, Parent(), kButtonId));
    SendMessageW(probe.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(Log()[0].wParam, MAKEWPARAM(kButtonId, kRightPressCode));
    EXPECT_EQ(Log()[0].lParam, reinterpret_cast<LPARAM>(probe.Handle()));
    EXPECT_EQ(probe.m_nCommandsAtDefault, 1u);
}

TEST_F(BitmapBtnTest, SpaceBarDoesNotPressTheButton) {
    DefaultProbe probe(Log());
    ASSERT_TRUE(
        probe.Create(u"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{10, 60, 50, 90}, Parent(), kButtonId));
    SetFocus(probe.Handle());
    PostMessageW(probe.Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(probe.Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
    PumpMessages();
    EXPECT_TRUE(Logged(WM_COMMAND).empty());
    EXPECT_FALSE(SendMessageW(probe.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    // The platform button would press itself on these; they never reach it.
    for (UINT key : {WM_KEYDOWN, WM_KEYUP}) {
        EXPECT_EQ(std::count(probe.m_defaulted.begin(), probe.m_defaulted.end(), key), 0);
    }
}

TEST_F(BitmapBtnTest, HoverTakesTheCaptureAndLeavingReleasesIt) {
    Create();
    Send(WM_MOUSEMOVE, 0, {5, 5});
    EXPECT_TRUE(m_button->m_bHover);
    EXPECT_EQ(GetCapture(), Button());
    // Off the button, onto the parent.
    Send(WM_MOUSEMOVE, 0, {200, 5});
    EXPECT_FALSE(m_button->m_bHover);
    EXPECT_EQ(GetCapture(), nullptr);
    PumpMessages();
    // Every move is passed on to the parent in screen coordinates: the button lies at (110, 110).
    const std::vector<LoggedMessage> moves = Logged(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(115, 115));
    EXPECT_EQ(moves[1].lParam, MAKELPARAM(310, 115));
}

TEST_F(BitmapBtnTest, MoveWithTheLeftButtonHeldDoesNotStartHover) {
    Create();
    Send(WM_MOUSEMOVE, MK_LBUTTON, {5, 5});
    PumpMessages();
    EXPECT_FALSE(m_button->m_bHover);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Logged(WM_MOUSEMOVE).empty());
}

TEST_F(BitmapBtnTest, LeavingWithTheLeftButtonHeldEndsHoverButKeepsTheCapture) {
    Create();
    Send(WM_MOUSEMOVE, 0, {5, 5});
    Send(WM_MOUSEMOVE, MK_LBUTTON, {200, 5});
    EXPECT_FALSE(m_button->m_bHover);
    EXPECT_EQ(GetCapture(), Button());
}

TEST_F(BitmapBtnTest, LosingTheFocusEndsHover) {
    Create();
    Send(WM_MOUSEMOVE, 0, {5, 5});
    SendMessageW(Button(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(m_button->m_bHover);
}

TEST_F(BitmapBtnTest, CaptureChangeWhileHoveredReleasesTheCaptureAndKeepsHover) {
    Create();
    Send(WM_MOUSEMOVE, 0, {5, 5});
    ASSERT_EQ(GetCapture(), Button());
    SendMessageW(Button(), WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(m_button->m_bHover);
}

TEST_F(BitmapBtnTest, CreationMakesEveryButtonOwnerDrawnWithoutTabStopOrParentDC) {
    Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
    const LONG_PTR style = GetWindowLongPtrW(Button(), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(style & WS_TABSTOP);
    // The class style is shared: a plain button made afterwards has lost CS_PARENTDC too.
    const HWND plain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, Parent(), nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    EXPECT_FALSE(GetClassLongPtrW(plain, GCL_STYLE) & CS_PARENTDC);
    DestroyWindow(plain);
}

TEST_F(BitmapBtnTest, SubclassedTemplateButtonBecomesASkinnedButton) {
    const HWND existing = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 10, kWidth, kHeight,
        Parent(), reinterpret_cast<HMENU>(kButtonId), GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(m_button->SubclassWindow(existing));
    EXPECT_FALSE(CBitmapBtn().SubclassWindow(existing));
    const LONG_PTR style = GetWindowLongPtrW(existing, GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_FALSE(style & WS_TABSTOP);
    m_button->m_bmpNormal = SolidPicture(kWidth, kHeight, kNormal);
    Rendering rendering;
    rendering.DrawThroughParent(*m_button, 0);
    EXPECT_EQ(rendering.Count(kNormal), kWidth * kHeight);
}

TEST_F(BitmapBtnTest, CreationTakesTheCaptionFontFromTheStringsFile) {
    TempFolder folder;
    folder.Write("strings.xml", "<S><GLOBAL><FONT>Tahoma</FONT><SIZE>-12</SIZE></GLOBAL></S>");
    ASSERT_TRUE(SetAppDirectory(folder.Path()));
    g_docStrings.SetText(WString());
    g_docStrings.ParseDocument();
    Create();
    EXPECT_EQ(m_button->m_strFontFace, u"Tahoma");
    EXPECT_EQ(m_button->m_nFontHeight, -12);
    g_docStrings.SetText(WString());
    g_docStrings.ParseDocument();
}

TEST_F(BitmapBtnTest, SetTextChangesOnlyWithOtherTextOrIndent) {
    Create();
    m_button->SetText(u"Go", true, 4);
    ValidateRect(Button(), nullptr);
    m_button->SetText(u"Go", false, 4);
    EXPECT_TRUE(m_button->m_bIndentLeft);
    EXPECT_FALSE(GetUpdateRect(Button(), nullptr, FALSE));
    m_button->SetText(u"Go", false, 6);
    EXPECT_FALSE(m_button->m_bIndentLeft);
    EXPECT_EQ(m_button->m_nTextIndent, 6);
    EXPECT_TRUE(GetUpdateRect(Button(), nullptr, FALSE));
    m_button->SetText(u"Stop", true, 6);
    EXPECT_EQ(m_button->m_strText, u"Stop");
    EXPECT_TRUE(m_button->m_bIndentLeft);
}

namespace {

WString ToolText(const CToolTipCtrl& toolTip, HWND tool) {
    wchar_t buffer[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = tool;
    info.uId = 1;
    info.lpszText = buffer;
    SendMessageW(toolTip.Handle(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    return FromWin(buffer);
}

}  // namespace

TEST_F(BitmapBtnTest, ToolTipHasOneToolWhoseTextFollowsTheLastCall) {
    Create();
    m_button->SetToolTipText(u"Close");
    ASSERT_TRUE(m_button->m_toolTip.Handle());
    EXPECT_EQ(m_button->m_toolTip.GetToolCount(), 1);
    EXPECT_EQ(ToolText(m_button->m_toolTip, Button()), u"Close");
    m_button->SetToolTipText(u"Open");
    EXPECT_EQ(m_button->m_toolTip.GetToolCount(), 1);
    EXPECT_EQ(ToolText(m_button->m_toolTip, Button()), u"Open");
}

TEST_F(BitmapBtnTest, PreTranslationCreatesTheToolTipWithoutTools) {
    Create();
    MSG msg{Button(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
    EXPECT_FALSE(m_button->PreTranslateMessage(msg));
    ASSERT_TRUE(m_button->m_toolTip.Handle());
    EXPECT_EQ(m_button->m_toolTip.GetToolCount(), 0);
}

TEST_F(BitmapBtnTest, SkinImagesAreCutAtTheRectangleAndDropBorderAndTabStop) {
    Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | BS_OWNERDRAW);
    const RECT piece{20, 30, 60, 50};
    const CBitmap normal = SolidPicture(200, 100, kDisabled, &piece, kNormal);
    const CBitmap over = SolidPicture(200, 100, kDisabled, &piece, kOver);
    const CBitmap down = SolidPicture(200, 100, kDisabled, &piece, kDown);
    m_button->m_bmpDisabled = SolidPicture(4, 4, kText);
    m_button->SetSkinImages(normal, over, down, CBitmap(), piece);
    SIZE size{};
    ASSERT_TRUE(GetBitmapSize(m_button->m_bmpNormal.Handle(), size));
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 20);
    EXPECT_EQ(PixelOf(m_button->m_bmpNormal, 0, 0), kNormal);
    EXPECT_EQ(PixelOf(m_button->m_bmpOver, 39, 19), kOver);
    EXPECT_EQ(PixelOf(m_button->m_bmpDown, 20, 10), kDown);
    // A source without a picture leaves that state's picture as it was.
    EXPECT_EQ(PixelOf(m_button->m_bmpDisabled, 0, 0), kText);
    EXPECT_FALSE(GetWindowLongPtrW(Button(), GWL_STYLE) & (WS_BORDER | WS_TABSTOP));
}
