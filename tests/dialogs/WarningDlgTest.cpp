// The warning dialog run modally with a small skin of its own: buttons and pictures by warning number,
// size and placement, every way of answering (and the title line that answers nothing), dragging, a
// missing strings file or background, the application directory of the moment, and real mouse input
// through the X server with screenshots kept as artifacts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "dialogs/WarningDlg.h"
#include "res/resource.h"
#include "skin/AppDirectory.h"
#include "skin/FrameSkin.h"
#include "skin/SkinDocuments.h"
#include "ui/MemoryDC.h"
#include "ui/Selection.h"
#include "ui/WinString.h"

namespace {

constexpr COLORREF kFace = RGB(30, 60, 120);
constexpr COLORREF kOverFace = RGB(40, 160, 40);
constexpr COLORREF kDownFace = RGB(160, 40, 40);
constexpr int kHeight = 120;
constexpr int kStillRunning = 77;

// The dialog of warning number n is 160 + n pixels wide, so its size tells which group it used.
int WidthFor(int32_t number) {
    return 160 + number;
}

struct LayoutItem {
    const char* item;
    RECT rect;
    const char* captionXml;
    const char16_t* caption;
    bool toggle;
};

const LayoutItem kTitle{"TEXT_TITLE", {5, 5, 155, 25}, "Warn &amp; wait", u"Warn & wait", false};
const LayoutItem kOk{"BUTTON_OK", {10, 90, 70, 110}, "Yes", u"Yes", false};
const LayoutItem kCancel{"BUTTON_CANCEL", {90, 90, 150, 110}, "No", u"No", false};
const LayoutItem kOk2{"BUTTON_OK_2", {10, 60, 70, 80}, "Accept", u"Accept", true};
const LayoutItem kCancel2{"BUTTON_CANCEL_2", {90, 60, 150, 80}, "Decline", u"Decline", false};
const LayoutItem kOk3{"BUTTON_OK_3", {50, 90, 110, 110}, "Close", u"Close", false};
const LayoutItem* const kAllItems[] = {&kTitle, &kOk, &kCancel, &kOk2, &kCancel2, &kOk3};

const int32_t kSkinnedNumbers[] = {-3, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};

std::string Element(const std::string& name, const std::string& text) {
    return "<" + name + ">" + text + "</" + name + ">";
}

std::string LayoutText(const LayoutItem& item) {
    const RECT& r = item.rect;
    return "tag," + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top) + "," + item.item +
           " tip," + (item.toggle ? "TRUE" : "FALSE");
}

std::string FrameSkinsXml() {
    std::string groups;
    for (int32_t n : kSkinnedNumbers) {
        const std::string number = std::to_string(n);
        groups += Element("WARN_" + number, Element("MAIN_NORMAL", "n" + number + ".bmp") +
                                                Element("MAIN_OVER", "o" + number + ".bmp") +
                                                Element("MAIN_DOWN", "d" + number + ".bmp"));
    }
    return Element("FrameSkin", groups);
}

std::string ItemsXml(const std::function<std::string(const LayoutItem&)>& text) {
    std::string items;
    for (const LayoutItem* item : kAllItems) {
        items += Element(item->item, text(*item));
    }
    return Element("WARN_DLG", items);
}

std::string StringsXml() {
    return Element("Strings", Element("GLOBAL", Element("SIZE", "16")) + ItemsXml([](const LayoutItem& item) {
                                  return std::string(item.captionXml);
                              }));
}

// A window of the dialog as the test sees it: where it is in the dialog's client area and what it says.
struct ShownButton {
    RECT rect;
    WString caption;
    CBitmapBtn* button;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::vector<ShownButton> ShownButtons(HWND dialog) {
    std::vector<ShownButton> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto* button = dynamic_cast<CBitmapBtn*>(CWnd::FromHandle(child));
        if (!button) {
            continue;
        }
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        shown.push_back({rect, button->m_strText, button});
    }
    return shown;
}

CBitmapBtn* ButtonAt(HWND dialog, const LayoutItem& item) {
    for (const ShownButton& shown : ShownButtons(dialog)) {
        if (SameRect(shown.rect, item.rect)) {
            return shown.button;
        }
    }
    ADD_FAILURE() << "no button at the layout of " << item.item;
    return nullptr;
}

POINT ScreenCenterOf(HWND dialog, const LayoutItem& item) {
    POINT center{(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2};
    ClientToScreen(dialog, &center);
    return center;
}

COLORREF PixelOf(const CBitmap& picture, int x, int y) {
    CMemoryDC dc(nullptr);
    CSelection selected(dc.Handle(), picture.Handle());
    return GetPixel(dc.Handle(), x, y);
}

void ResetDocuments() {
    for (CXmlDocument* document : {&g_docStrings, &g_docFrameSkin, &g_docButtonLayout}) {
        document->SetText(WString());
        document->ParseDocument();
    }
}

class WarningDlgTest : public testing::Test {
protected:
    void SetUp() override {
        ResetDocuments();
        m_skin.Write("FrameSkins.xml", FrameSkinsXml());
        m_skin.Write("FrameButtons.xml", Element("Buttons", ItemsXml(LayoutText)));
        m_skin.Write("strings.xml", StringsXml());
        ASSERT_TRUE(SetAppDirectory(m_skin.Path()));
        LoadFrameSkinDocuments();
    }
    void TearDown() override { ResetDocuments(); }

    void WritePictures(int32_t number) {
        const std::string n = std::to_string(number);
        const int width = WidthFor(number);
        m_skin.Write("FrameSkins/Warn/n" + n + ".bmp", BmpFile(width, kHeight, kFace));
        m_skin.Write("FrameSkins/Warn/o" + n + ".bmp", BmpFile(width, kHeight, kOverFace));
        m_skin.Write("FrameSkins/Warn/d" + n + ".bmp", BmpFile(width, kHeight, kDownFace));
    }

    // Runs the dialog modally with the steps; a script that answers nothing ends it with kStillRunning.
    int Run(CWarningDlg& dialog, ModalScript& script) {
        script.ThenWhen([] { return true; }, [&dialog] { dialog.EndDialog(kStillRunning); });
        script.Start();
        return dialog.DoModal();
    }

    TempFolder m_skin;
};

}  // namespace

TEST_F(WarningDlgTest, ButtonsAndPicturesFollowTheWarningNumber) {
    struct Case {
        int32_t number;
        std::vector<const LayoutItem*> items;
    };
    const std::vector<const LayoutItem*> twoButtons{&kOk, &kCancel, &kTitle};
    const std::vector<const LayoutItem*> otherTwoButtons{&kOk2, &kCancel2, &kTitle};
    const std::vector<const LayoutItem*> oneButton{&kOk3, &kTitle};
    const Case cases[] = {
        {0, oneButton},       {1, twoButtons}, {2, twoButtons}, {3, twoButtons}, {4, twoButtons},
        {5, otherTwoButtons}, {6, oneButton},  {7, oneButton},  {8, oneButton},  {9, twoButtons},
        {10, oneButton},      {-1, oneButton}, {12, oneButton}, {-3, oneButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("warning " + std::to_string(c.number));
        WritePictures(c.number);
        CWarningDlg dialog(nullptr, c.number);
        std::vector<ShownButton> shown;
        SIZE size{};
        WString title;
        ModalScript script;
        script.Then([&] {
            shown = ShownButtons(dialog.Handle());
            size = WindowSize(dialog.Handle());
            wchar_t text[32] = {};
            GetWindowTextW(dialog.Handle(), text, 32);
            title = FromWin(text);
        });
        EXPECT_EQ(Run(dialog, script), kStillRunning);
        EXPECT_EQ(size.cx, WidthFor(c.number));
        EXPECT_EQ(size.cy, kHeight);
        EXPECT_EQ(title, u"Q3ZRWaning");
        ASSERT_EQ(shown.size(), c.items.size());
        for (const LayoutItem* item : c.items) {
            const auto found = std::find_if(shown.begin(), shown.end(), [item](const ShownButton& s) {
                return SameRect(s.rect, item->rect);
            });
            ASSERT_NE(found, shown.end()) << item->item;
            EXPECT_EQ(found->caption, item->caption) << item->item;
        }
    }
}

TEST_F(WarningDlgTest, EachButtonIsCutFromTheThreePicturesAndSetUpFromItsLayout) {
    WritePictures(5);
    CWarningDlg dialog(nullptr, 5);
    std::vector<COLORREF> ok2;
    bool toggle = false;
    int32_t align = 0;
    int32_t fontHeight = 0;
    int tools = 0;
    ModalScript script;
    script.Then([&] {
        CBitmapBtn* button = ButtonAt(dialog.Handle(), kOk2);
        ASSERT_NE(button, nullptr);
        for (const CBitmap* picture :
             {&button->m_bmpNormal, &button->m_bmpOver, &button->m_bmpDown, &button->m_bmpDisabled}) {
            ok2.push_back(PixelOf(*picture, 3, 3));
        }
        toggle = button->m_bToggle;
        align = button->m_nAlign;
        fontHeight = button->m_nFontHeight;
        tools = button->m_toolTip.GetToolCount();
    });
    Run(dialog, script);
    EXPECT_EQ(ok2, (std::vector<COLORREF>{kFace, kOverFace, kDownFace, kFace}));
    EXPECT_TRUE(toggle);
    EXPECT_EQ(align, 1);
    EXPECT_EQ(fontHeight, 16);
    EXPECT_EQ(tools, 1);
}

TEST_F(WarningDlgTest, DialogIsCentredOverItsOwner) {
    WritePictures(0);
    LoggingParent owner(600, 400);
    CWarningDlg dialog(owner.Handle(), 0);
    POINT center{};
    ModalScript script;
    script.Then([&] { center = WindowCenter(dialog.Handle()); });
    Run(dialog, script);
    const POINT ownerCenter = WindowCenter(owner.Handle());
    EXPECT_NEAR(center.x, ownerCenter.x, 1);
    EXPECT_NEAR(center.y, ownerCenter.y, 1);
}

TEST_F(WarningDlgTest, FirstButtonAnswersOkAndSecondCancelWhateverCommandTheySend) {
    struct Case {
        const char* name;
        int32_t number;
        const LayoutItem* item;
        UINT press;
        int answer;
    };
    const Case cases[] = {
        {"click on the single button", 0, &kOk3, WM_LBUTTONDOWN, IDOK},
        {"right press on the single button", 0, &kOk3, WM_RBUTTONDOWN, IDOK},
        {"click on the first button", 1, &kOk, WM_LBUTTONDOWN, IDOK},
        {"right press on the first button", 1, &kOk, WM_RBUTTONDOWN, IDOK},
        {"click on the second button", 1, &kCancel, WM_LBUTTONDOWN, IDCANCEL},
        {"right press on the second button", 1, &kCancel, WM_RBUTTONDOWN, IDCANCEL},
        {"click on a first button that toggles", 5, &kOk2, WM_LBUTTONDOWN, IDOK},
        {"click on the other second button", 5, &kCancel2, WM_LBUTTONDOWN, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WritePictures(c.number);
        CWarningDlg dialog(nullptr, c.number);
        ModalScript script;
        script.Then([&] {
            CBitmapBtn* button = ButtonAt(dialog.Handle(), *c.item);
            ASSERT_NE(button, nullptr);
            SendMessageW(button->Handle(), c.press, MK_LBUTTON, MAKELPARAM(2, 2));
            if (c.press == WM_LBUTTONDOWN) {
                SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            }
        });
        EXPECT_EQ(Run(dialog, script), c.answer);
    }
}

TEST_F(WarningDlgTest, EnterAnswersOkFromAnyWindowAndEscapeOrCloseCancel) {
    struct Case {
        const char* name;
        int32_t number;
        const LayoutItem* focus;  // null: the dialog itself
        UINT message;
        WPARAM key;
        LPARAM flags;
        int answer;
    };
    const Case cases[] = {
        {"Enter on the single button", 0, &kOk3, WM_KEYDOWN, VK_RETURN, 1, IDOK},
        {"Enter with the focus on cancel", 1, &kCancel, WM_KEYDOWN, VK_RETURN, 1, IDOK},
        {"Enter on the dialog", 1, nullptr, WM_KEYDOWN, VK_RETURN, 1, IDOK},
        {"Enter on the title line", 5, &kTitle, WM_KEYDOWN, VK_RETURN, 1, IDOK},
        {"Escape with one button", 0, &kOk3, WM_KEYDOWN, VK_ESCAPE, 1, IDCANCEL},
        {"Escape with two buttons", 1, &kOk, WM_KEYDOWN, VK_ESCAPE, 1, IDCANCEL},
        {"Alt+F4", 0, nullptr, WM_SYSKEYDOWN, VK_F4, 0x20000001, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WritePictures(c.number);
        CWarningDlg dialog(nullptr, c.number);
        ModalScript script;
        script.Then([&] {
            const CBitmapBtn* button = c.focus ? ButtonAt(dialog.Handle(), *c.focus) : nullptr;
            const HWND target = button ? button->Handle() : dialog.Handle();
            SetFocus(target);
            PostMessageW(target, c.message, c.key, c.flags);
        });
        EXPECT_EQ(Run(dialog, script), c.answer);
    }
}

TEST_F(WarningDlgTest, EnterIsTakenBeforeTheDialogManagerSeesIt) {
    WritePictures(1);
    CWarningDlg dialog(nullptr, 1);
    bool taken = false;
    ModalScript script;
    script.Then([&] {
        MSG enter{ButtonAt(dialog.Handle(), kCancel)->Handle(), WM_KEYDOWN, VK_RETURN, 1};
        taken = dialog.PreTranslateMessage(enter);
    });
    EXPECT_EQ(Run(dialog, script), IDOK);
    EXPECT_TRUE(taken);
}

TEST_F(WarningDlgTest, TitleLineAndCommandsWithoutASourceAnswerNothing) {
    struct Case {
        const char* name;
        int32_t number;
        std::function<void(HWND dialog)> act;
    };
    const auto titlePress = [](UINT press) {
        return [press](HWND dialog) {
            const HWND title = ButtonAt(dialog, kTitle)->Handle();
            SendMessageW(title, press, press == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(title, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        };
    };
    // The single-button dialog has no second button: its null handle must not match a command's.
    const auto sourceless = [](WPARAM command) {
        return [command](HWND dialog) { SendMessageW(dialog, WM_COMMAND, command, 0); };
    };
    const Case cases[] = {
        {"click on the title line", 1, titlePress(WM_LBUTTONDOWN)},
        {"right press on the title line", 1, titlePress(WM_RBUTTONDOWN)},
        {"toggle command without a source", 0, sourceless(ID_TOGGLED)},
        {"menu command without a source", 0, sourceless(100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WritePictures(c.number);
        CWarningDlg dialog(nullptr, c.number);
        ModalScript script;
        script.Then([&] { c.act(dialog.Handle()); });
        EXPECT_EQ(Run(dialog, script), kStillRunning);
    }
}

TEST_F(WarningDlgTest, PressOnTheFaceStartsMovingTheWindow) {
    WritePictures(0);
    CWarningDlg dialog(nullptr, 0);
    MSG posted{};
    bool found = false;
    ModalScript script;
    script.Then([&] {
        SendMessageW(dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 50));
        // Taken out of the queue, so that no move loop waits for a button that is not held.
        found = PeekMessageW(&posted, dialog.Handle(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE);
    });
    Run(dialog, script);
    ASSERT_TRUE(found);
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(posted.lParam, MAKELPARAM(3, 50));
}

TEST_F(WarningDlgTest, WithoutStringsCaptionsAreEmptyAndALaterButtonReadsTheFile) {
    WritePictures(1);
    m_skin.Remove("strings.xml");
    std::vector<ShownButton> without;
    {
        CWarningDlg dialog(nullptr, 1);
        ModalScript script;
        script.Then([&] {
            without = ShownButtons(dialog.Handle());
            SendMessageW(ButtonAt(dialog.Handle(), kOk)->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
        });
        EXPECT_EQ(Run(dialog, script), IDOK);
    }
    ASSERT_EQ(without.size(), 3u);
    for (const ShownButton& shown : without) {
        EXPECT_EQ(shown.caption, u"");
        EXPECT_EQ(shown.button->m_nFontHeight, 14);
    }
    m_skin.Write("strings.xml", StringsXml());
    CWarningDlg again(nullptr, 1);
    WString caption;
    ModalScript script;
    script.Then([&] { caption = ButtonAt(again.Handle(), kCancel)->m_strText; });
    Run(again, script);
    EXPECT_EQ(caption, u"No");
}

TEST_F(WarningDlgTest, WithoutItsBackgroundTheDialogKeepsTheTemplateSizeAndStaysUsable) {
    SIZE templateSize{};
    {
        CDialog plain(IDD_WARNING_DIALOG, nullptr);
        ModalScript script;
        script.Then([&] {
            templateSize = WindowSize(plain.Handle());
            plain.EndDialog(IDOK);
        });
        script.Start();
        plain.DoModal();
    }
    CWarningDlg dialog(nullptr, 11);
    SIZE size{};
    COLORREF face = 0;
    std::vector<ShownButton> shown;
    ModalScript script;
    script.Then([&] {
        size = WindowSize(dialog.Handle());
        shown = ShownButtons(dialog.Handle());
        UpdateWindow(dialog.Handle());
        const HDC dc = GetDC(dialog.Handle());
        face = GetPixel(dc, 2, 50);
        ReleaseDC(dialog.Handle(), dc);
        PostMessageW(dialog.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_GT(templateSize.cx, 0);
    EXPECT_EQ(size.cx, templateSize.cx);
    EXPECT_EQ(size.cy, templateSize.cy);
    EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(WarningDlgTest, PicturesComeFromTheApplicationDirectoryOfTheMoment) {
    TempFolder moved;
    moved.Write("FrameSkins/Warn/n0.bmp", BmpFile(90, 70, kFace));
    ASSERT_TRUE(SetAppDirectory(moved.Path()));
    CWarningDlg dialog(nullptr, 0);
    SIZE size{};
    ModalScript script;
    script.Then([&] { size = WindowSize(dialog.Handle()); });
    Run(dialog, script);
    EXPECT_EQ(size.cx, 90);
    EXPECT_EQ(size.cy, 70);
}

TEST_F(WarningDlgTest, RealMouseHoversClicksTheTitleAndAnswersCancel) {
    WritePictures(1);
    LoggingParent owner(500, 400);
    CWarningDlg dialog(owner.Handle(), 1);
    CBitmapBtn* ok = nullptr;
    HWND title = nullptr;
    ModalScript script;
    script
        .Then([&] {
            ok = ButtonAt(dialog.Handle(), kOk);
            title = ButtonAt(dialog.Handle(), kTitle)->Handle();
            EXPECT_TRUE(MouseMoveTo(ScreenCenterOf(dialog.Handle(), kOk)));
        })
        .ThenWhen([&] { return ok && ok->m_bHover; },
                  [&] {
                      UpdateWindow(ok->Handle());
                      EXPECT_TRUE(SaveScreenshot("warning-1-hover.png"));
                      EXPECT_TRUE(MouseClickAt(ScreenCenterOf(dialog.Handle(), kTitle)));
                  })
        .ThenWhen([&] { return GetFocus() == title && !(GetKeyState(VK_LBUTTON) & 0x8000); },
                  [&] { EXPECT_TRUE(MouseClickAt(ScreenCenterOf(dialog.Handle(), kCancel))); })
        .ThenWhen([] { return false; }, [&] { dialog.EndDialog(kStillRunning); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(WarningDlgTest, RealMouseDragsTheDialogByItsFace) {
    WritePictures(0);
    CWarningDlg dialog(nullptr, 0);
    RECT before{};
    RECT after{};
    std::unique_ptr<LinuxCommand> drag;
    ModalScript script;
    script
        .Then([&] {
            GetWindowRect(dialog.Handle(), &before);
            const int x = before.left + 3;
            const int y = before.top + 60;
            // Not waited for here: the platform's move loop must see the button held while it runs.
            drag = std::make_unique<LinuxCommand>("xdotool mousemove " + std::to_string(x) + " " +
                                                  std::to_string(y) + " mousedown 1 sleep 0.3 mousemove " +
                                                  std::to_string(x + 40) + " " + std::to_string(y + 25) +
                                                  " sleep 0.3 mouseup 1");
        })
        .ThenWhen(
            [&] {
                GetWindowRect(dialog.Handle(), &after);
                return drag->Finished() && after.left != before.left;
            },
            [&] {
                EXPECT_TRUE(drag->Wait());
                EXPECT_TRUE(SaveScreenshot("warning-0-dragged.png"));
                dialog.EndDialog(IDOK);
            });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 25);
}
