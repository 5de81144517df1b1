// The trace runner's program run: the trace inside the program's message loop, its shots of
// the window's client area, and a shot that cannot be written.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/shell/shell_support.h"
#include "tools/trace/shell_trace_target.h"
#include "tools/trace/trace_script.h"

namespace {

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

TEST(TraceProgram, ShotsWriteTheClientAreaAsItStandsAtTheirTick) {
    const std::string dir = ::testing::TempDir();
    const std::string a = dir + "vantorel-shot-a.ppm";
    const std::string b = dir + "vantorel-shot-b.ppm";
    const std::string c = dir + "vantorel-shot-c.ppm";
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(
        ParseScript("0 easy\n10 shot " + a + "\n10 paint\n10 shot " + b + "\n25 shot " + c + "\n",
                    events, error))
        << error;
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    bool traced = false;
    EXPECT_EQ(RunProgramTrace(9, 30, events, out, &traced, &error), 0);
    EXPECT_TRUE(traced) << error;
    std::fclose(out);
    EXPECT_EQ(mainWindow, nullptr);  // the program ended as a closed window ends it

    const std::string header = "P6\n480 336\n255\n";
    const std::vector<char> shotA = ReadFile(a), shotB = ReadFile(b), shotC = ReadFile(c);
    for (const std::vector<char>* shot : {&shotA, &shotB, &shotC}) {
        ASSERT_EQ(shot->size(), header.size() + 480 * 336 * 3);
        EXPECT_EQ(std::string(shot->begin(), shot->begin() + header.size()), header);
    }
    EXPECT_NE(shotA, shotB);  // the paint redrew the background over the falling piece
    EXPECT_NE(shotB, shotC);  // every tick's drawing goes into the frame
    std::remove(a.c_str());
    std::remove(b.c_str());
    std::remove(c.c_str());
}

TEST(TraceProgram, AShotThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("0 easy\n\n2 shot /nonexistent-dir/x.ppm\n", events, error));
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    bool traced = true;
    EXPECT_EQ(RunProgramTrace(9, 5, events, out, &traced, &error), 0);
    std::fclose(out);
    EXPECT_FALSE(traced);
    EXPECT_EQ(error, "line 3: cannot write the frame '/nonexistent-dir/x.ppm'");
    EXPECT_TRUE(headless::TopLevelWindows().empty());
}

}  // namespace
