// dashwellctl's xml and layout commands: exact output lines and exit codes.
#include <gtest/gtest.h>

#include "tests/tools/ToolRunner.h"
#include "tests/xml/XmlTestSupport.h"

namespace {

struct CliCase {
    std::vector<std::string> args;  // "@FILE" stands for the fixture file
    std::string output;
    int exitCode;
};

const char kFixture[] =
    "<skin><BASE><BK_MASK>m&amp;.bmp</BK_MASK></BASE><WARN_DLG><BUTTON_OK>0,1,2,3,4,OK,FALSE</BUTTON_OK>"
    "</WARN_DLG></skin>";

std::vector<CliCase> Cases() {
    return {
        {{"xml", "report", "@FILE"}, "UTF-8 length 117 to 117 wide chars \n", 0},
        {{"xml", "index", "@FILE"},
         "records 6 capacity 9\n0 0 117 0 0 0 1 0 0 0\n1 0 117 6 7 0 2 0 1 0\n2 6 42 6 7 1 3 4 4 0\n"
         "3 12 29 9 10 2 0 0 3 0\n4 48 62 10 11 1 5 0 2 0\n5 58 41 11 12 4 0 0 5 0\n",
         0},
        {{"xml", "get", "@FILE", "BASE", "BK_MASK"}, "m&.bmp\n", 0},
        {{"xml", "get", "--units", "@FILE", "BASE", "BK_MASK"}, "006D 0026 002E 0062 006D 0070\n", 0},
        {{"xml", "get", "@FILE", "BASE", "NONE"}, "\n", 0},
        {{"xml", "text", "@FILE", "5"}, "0,1,2,3,4,OK,FALSE\n", 0},
        {{"xml", "text", "@FILE", "6"}, "", 64},
        {{"xml", "text", "@FILE", "-1"}, "", 64},
        {{"xml", "nav", "@FILE", "reset", "child=BASE", "enter", "child=BK_MASK", "childtext", "find",
          "child"},
         "reset - parent=0 current=0 child=0 kind=0\n"
         "child=BASE true parent=0 current=1 child=2 kind=1\n"
         "enter - parent=1 current=2 child=0 kind=1\n"
         "child=BK_MASK true parent=1 current=2 child=3 kind=1\n"
         "childtext m&.bmp\n"
         "find true parent=1 current=4 child=0 kind=1\n"
         "child true parent=1 current=4 child=5 kind=1\n",
         0},
        {{"xml", "nav", "@FILE", "jump"}, "", 64},
        {{"xml", "decode", "&eacute;&#x1F600;&bogus;"}, "\xC3\x89\xF0\x9F\x98\x80&bogus;\n", 0},
        {{"xml", "decode", "--units", "&#-1;"}, "DBBF DFFF\n", 0},
        {{"xml", "codepage", "Latin1"}, "28591\n", 0},
        {{"xml", "codepage", "utf-32"}, "-1\n", 0},
        {{"layout", "0,20,180,75,23,Close,FALSE"}, "rect 20 180 95 203\ntooltip Close\ntoggle 0\n", 0},
        {{"layout", "20"}, "rect 20 0 20 0\ntooltip \ntoggle 0\n", 0},
        {{"layout"}, "", 64},
        {{"nonsense"}, "", 64},
    };
}

}  // namespace

TEST(Dashwellctl, XmlAndLayoutCommands) {
    ScratchDir dir("cli");
    std::string file = dir.Write("skin.xml", kFixture).string();
    for (CliCase c : Cases()) {
        std::string shown;
        for (std::string& a : c.args) {
            if (a == "@FILE") {
                a = file;
            }
            shown += a + " ";
        }
        ToolResult r = RunTool(DASHWELLCTL_PATH, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << shown;
        EXPECT_EQ(r.output, c.output) << shown;
    }
}

TEST(Dashwellctl, ReportExitCodes) {
    ScratchDir dir("cli-report");
    EXPECT_EQ(
        RunTool(DASHWELLCTL_PATH, {"xml", "report", dir.Write("bad.xml", "<a><b></a>").string()}).exitCode,
        1);
    ToolResult missing = RunTool(DASHWELLCTL_PATH, {"xml", "report", (dir.Path() / "none.xml").string()});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(missing.output.empty());  // the system's own words, which differ between platforms
}
