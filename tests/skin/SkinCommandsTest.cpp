// dashwellctl picture, region and skin, run as a skin author runs them: exact lines and exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinTestSupport.h"
#include "tests/tools/ToolRunner.h"
#include "ui/WinString.h"

namespace {

ToolResult RunCtl(const std::vector<std::string>& args) {
    return RunTool(DASHWELLCTL_PATH, args);
}

TEST(PictureCommands, SizeAndOutline) {
    TempFolder folder;
    const std::string shape = ToUtf8(folder.Write("shape.bmp", BmpFromRows({"##.#", ".#.."})));
    const std::string white = ToUtf8(folder.Write("white.bmp", BmpFromRows({"..", ".."})));
    const std::string text = ToUtf8(folder.Write("text.bmp", "no picture"));
    const std::string gif = ToUtf8(TestDataPath("quadrant.gif"));
    struct Case {
        std::vector<std::string> args;
        std::string output;
        int exitCode;
    };
    const Case cases[] = {
        {{"picture", gif}, "16 16\n", 0},
        {{"picture", shape}, "4 2\n", 0},
        {{"picture", text}, "", 2},
        {{"picture", ToUtf8(TestDataPath("quadrant.ico"))}, "", 2},
        {{"picture"}, "", 64},
        {{"region", gif}, "rects 1 bounds 8 0 16 8\n8 0 16 8\n", 0},
        {{"region", shape}, "rects 3 bounds 0 0 4 2\n0 0 2 1\n3 0 4 1\n1 1 2 2\n", 0},
        {{"region", white}, "none\n", 0},
        {{"region", text}, "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
        const ToolResult result = RunCtl(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.output, c.output);
    }
}

}  // namespace

namespace {

// A skin folder with everything the program needs and a few optional values.
class SkinLintTest : public testing::Test {
public:
    void SetUp() override {
        const std::string square = BmpFromRows({"##", "##"});
        m_folder.Write("skins/frame.bmp", BmpFromRows({".##.", "####"}));
        for (const char* name : {"n.bmp", "o.bmp", "d.bmp"}) {
            m_folder.Write(std::string("FrameSkins/Warn/") + name, square);
        }
        m_folder.Write("FrameSkins.xml",
                       "<Frame><BASE><BK_MASK>frame.bmp</BK_MASK></BASE><DEBUG><DEBUG> 1</DEBUG></DEBUG>"
                       "<WARN_0><MAIN_NORMAL>n.bmp</MAIN_NORMAL><MAIN_OVER>o.bmp</MAIN_OVER>"
                       "<MAIN_DOWN>d.bmp</MAIN_DOWN></WARN_0></Frame>");
        WriteButtons("<TEXT_TITLE>0,0,0,300,20,,FALSE</TEXT_TITLE>");
        m_folder.Write("strings.xml",
                       "<S><GLOBAL><SIZE>-12</SIZE></GLOBAL><WARN_DLG><BUTTON_OK_3>OK &amp; go</BUTTON_OK_3>"
                       "</WARN_DLG></S>");
    }

    void WriteButtons(const std::string& more) {
        m_folder.Write(
            "FrameButtons.xml",
            "<B><WARN_DLG><BUTTON_OK_3>0,20,180,75,23,Close,FALSE</BUTTON_OK_3>" + more + "</WARN_DLG></B>");
    }

    void Remove(const char16_t* relative) { DeleteFileW(WinStr(m_folder.Path() + relative)); }

    // Without the folder's last backslash, which would escape the closing quote of the argument.
    ToolResult Lint() {
        const WString& path = m_folder.Path();
        return RunCtl({"skin", ToUtf8(path.substr(0, path.size() - 1))});
    }

    // The lines of the output that start with the prefix.
    std::vector<std::string> LinesStartingWith(const std::string& output, const std::string& prefix) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < output.size()) {
            const size_t end = output.find('\n', start);
            const std::string line = output.substr(start, end - start);
            if (line.starts_with(prefix)) {
                lines.push_back(line);
            }
            start = end == std::string::npos ? output.size() : end + 1;
        }
        return lines;
    }

    TempFolder m_folder;
};

TEST_F(SkinLintTest, CompleteSkinListsEveryValue) {
    const ToolResult result = Lint();
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> expected = {
        "ok       FrameSkins.xml BASE/BK_MASK = \"frame.bmp\" -> skins\\frame.bmp 4 x 2",
        "ok       FrameSkins.xml DEBUG/DEBUG = \" 1\" -> 1",
        "missing  FrameSkins.xml DEBUG/DEBUG_NAME (optional)",
        "ok       FrameSkins.xml WARN_0/MAIN_NORMAL = \"n.bmp\" -> FrameSkins\\Warn\\n.bmp 2 x 2",
        "ok       FrameSkins.xml WARN_0/MAIN_OVER = \"o.bmp\" -> FrameSkins\\Warn\\o.bmp 2 x 2",
        "ok       FrameSkins.xml WARN_0/MAIN_DOWN = \"d.bmp\" -> FrameSkins\\Warn\\d.bmp 2 x 2",
        "missing  FrameButtons.xml WARN_DLG/BUTTON_OK (optional)",
        "missing  FrameButtons.xml WARN_DLG/BUTTON_CANCEL (optional)",
        "missing  FrameButtons.xml WARN_DLG/BUTTON_OK_2 (optional)",
        "missing  FrameButtons.xml WARN_DLG/BUTTON_CANCEL_2 (optional)",
        "ok       FrameButtons.xml WARN_DLG/BUTTON_OK_3 = \"0,20,180,75,23,Close,FALSE\" -> rect 20 180 95 "
        "203 "
        "tooltip \"Close\" toggle 0",
        "ok       FrameButtons.xml WARN_DLG/TEXT_TITLE = \"0,0,0,300,20,,FALSE\" -> rect 0 0 300 20 tooltip "
        "\"\" "
        "toggle 0",
        "missing  strings.xml GLOBAL/FONT (optional)",
        "ok       strings.xml GLOBAL/SIZE = \"-12\" -> -12",
        "missing  strings.xml WARN_DLG/BUTTON_OK (optional)",
        "missing  strings.xml WARN_DLG/BUTTON_CANCEL (optional)",
        "missing  strings.xml WARN_DLG/BUTTON_OK_2 (optional)",
        "missing  strings.xml WARN_DLG/BUTTON_CANCEL_2 (optional)",
        "ok       strings.xml WARN_DLG/BUTTON_OK_3 = \"OK & go\"",
        "missing  strings.xml WARN_DLG/TEXT_TITLE (optional)",
    };
    std::vector<std::string> values = LinesStartingWith(result.output, "ok ");
    for (const std::string& line : LinesStartingWith(result.output, "missing ")) {
        values.push_back(line);
    }
    EXPECT_EQ(values.size(), expected.size());
    for (const std::string& line : expected) {
        EXPECT_NE(result.output.find(line + "\n"), std::string::npos) << line;
    }
    EXPECT_EQ(LinesStartingWith(result.output, "document "),
              (std::vector<std::string>{"document FrameSkins.xml read", "document FrameButtons.xml read",
                                        "document strings.xml read"}));
    EXPECT_EQ(LinesStartingWith(result.output, "required problems "),
              std::vector<std::string>{"required problems 0"});
}

TEST_F(SkinLintTest, RequiredValuesThatFailAreErrors) {
    struct Case {
        const char* name;
        void (*damage)(SkinLintTest&);
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"missing warning picture",
         [](SkinLintTest& t) { t.Remove(u"FrameSkins\\Warn\\o.bmp"); },
         {"ERROR    FrameSkins.xml WARN_0/MAIN_OVER = \"o.bmp\" -> FrameSkins\\Warn\\o.bmp does not exist"}},
        {"picture that does not decode",
         [](SkinLintTest& t) { t.m_folder.Write("FrameSkins/Warn/d.bmp", "BM?"); },
         {"ERROR    FrameSkins.xml WARN_0/MAIN_DOWN = \"d.bmp\" -> FrameSkins\\Warn\\d.bmp does not "
          "decode"}},
        {"missing layout",
         [](SkinLintTest& t) { t.WriteButtons(""); },
         {"ERROR    FrameButtons.xml WARN_DLG/TEXT_TITLE (required)"}},
        {"no frame skin file",
         [](SkinLintTest& t) { t.Remove(u"FrameSkins.xml"); },
         {"ERROR    FrameSkins.xml BASE/BK_MASK (required)",
          "ERROR    FrameSkins.xml WARN_0/MAIN_NORMAL (required)",
          "ERROR    FrameSkins.xml WARN_0/MAIN_OVER (required)",
          "ERROR    FrameSkins.xml WARN_0/MAIN_DOWN (required)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.damage(*this);
        const ToolResult result = Lint();
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(LinesStartingWith(result.output, "ERROR "), c.errors);
        EXPECT_EQ(LinesStartingWith(result.output, "required problems "),
                  std::vector<std::string>{"required problems " + std::to_string(c.errors.size())});
    }
}

TEST_F(SkinLintTest, NotAFolder) {
    EXPECT_EQ(RunCtl({"skin", ToUtf8(m_folder.Path() + u"absent")}).exitCode, 2);
}

}  // namespace
