// Command line and script parsing: what is accepted, and what is refused with which message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/trace/trace_script.h"

namespace {

TEST(ParseScript, AcceptsCommentsBlanksTabsAndCarriageReturns) {
    const std::string text =
        "# a whole-line comment\n"
        "\n"
        "   \t \n"
        "0 easy   # after an event\n"
        "0\tkeydown\t0x41\r\n"
        "  7 keyup 0X5a\n"
        "7 keydown 0xfF\n"
        "0012 hard\n"
        "12 keydown 0x0\n"
        "4294967295 keyup 0x00000062";  // no newline at the end
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript(text, events, error)) << error;
    ASSERT_EQ(events.size(), 7u);
    const struct {
        uint32_t at;
        EventKind kind;
        uint32_t code;
        int line;
    } expected[] = {
        {0, EventKind::Easy, 0, 4},
        {0, EventKind::KeyDown, 0x41, 5},
        {7, EventKind::KeyUp, 0x5A, 6},
        {7, EventKind::KeyDown, 0xFF, 7},
        {12, EventKind::Hard, 0, 8},
        {12, EventKind::KeyDown, 0x00, 9},
        {4294967295u, EventKind::KeyUp, 0x62, 10},
    };
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].at, expected[i].at) << i;
        EXPECT_EQ(events[i].kind, expected[i].kind) << i;
        EXPECT_EQ(events[i].code, expected[i].code) << i;
        EXPECT_EQ(events[i].line, expected[i].line) << i;
    }
}

TEST(ParseScript, RefusesBadLinesNamingThem) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"0 jump\n", "line 1: unknown event 'jump'"},
        {"0 Easy\n", "line 1: unknown event 'Easy'"},
        {"0 easy\n5\n", "line 2: an event is missing after the tick count"},
        {"easy\n", "line 1: the tick count 'easy' is not a whole number from 0 to 4294967295"},
        {"+3 easy\n", "line 1: the tick count '+3' is not"},
        {"-1 easy\n", "line 1: the tick count '-1' is not"},
        {"4294967296 easy\n", "line 1: the tick count '4294967296' is not"},
        {"0 easy now\n", "line 1: words left over after 'easy': 'now'"},
        {"0 keydown 0x41 0x44\n", "line 1: words left over after 'keydown': '0x44'"},
        {"0 keydown\n", "line 1: 'keydown' needs a key code like 0x41"},
        {"0 keyup 41\n", "line 1: the key code '41' is not a hexadecimal code from 0x00 to 0xFF"},
        {"0 keyup 0x\n", "line 1: the key code '0x' is not"},
        {"0 keyup 0x100\n", "line 1: the key code '0x100' is not"},
        {"0 keyup 0x4g\n", "line 1: the key code '0x4g' is not"},
        {"0 keyup -0x1\n", "line 1: the key code '-0x1' is not"},
        {"0 keyup 0x+1\n", "line 1: the key code '0x+1' is not"},
        {"0 shot\n", "line 1: 'shot' needs a path"},
        {"0 shot a.ppm b.ppm\n", "line 1: words left over after 'shot': 'b.ppm'"},
        {"0 paint now\n", "line 1: words left over after 'paint': 'now'"},
        {"3 easy\n# fine\n2 hard\n", "line 3: tick 2 comes before tick 3 of an earlier line"},
        {"0 easy\n0 keydown 0x41\x0c\n", "line 2: the key code '0x41\x0c' is not"},
    };
    for (const auto& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseScript(c.text, events, error)) << c.text;
        EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error;
    }
}

TEST(ParseScript, PaintAndShotWithItsPathAsItStands) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("0 paint\n3 shot out/frame-3.PPM # the frame\n", events, error))
        << error;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, EventKind::Paint);
    EXPECT_EQ(events[1].kind, EventKind::Shot);
    EXPECT_EQ(events[1].at, 3u);
    EXPECT_EQ(events[1].path, "out/frame-3.PPM");
}

TEST(ParseScript, TakesItsEventsFromTheTableItIsGiven) {
    // A table with an event that takes a path, as screenshots will.
    const EventSpec table[] = {
        {"easy", EventKind::Easy, ArgumentKind::None},
        {"snap", EventKind::Hard, ArgumentKind::Path},
    };
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("0 easy\n4 snap out/board-4.ppm\n", events, error, table)) << error;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].path, "out/board-4.ppm");
    EXPECT_FALSE(ParseScript("4 snap\n", events, error, table));
    EXPECT_EQ(error, "line 1: 'snap' needs a path");
    EXPECT_FALSE(ParseScript("0 keydown 0x41\n", events, error, table));
    EXPECT_EQ(error, "line 1: unknown event 'keydown'");
}

TEST(ParseCommandLine, OptionsAndTheirRefusals) {
    const struct {
        std::vector<std::string_view> args;
        CommandLine result;
        uint32_t seed;
        uint32_t ticks;
        const char* script;  // nullptr: none
        const char* error;
    } cases[] = {
        {{"--seed", "0"}, CommandLine::Run, 0, 100000, nullptr, ""},
        {{"--seed", "4294967295", "--ticks", "0"}, CommandLine::Run, 4294967295u, 0, nullptr, ""},
        {{"--script", "a b.trace", "--ticks", "007", "--seed", "12"},
         CommandLine::Run,
         12,
         7,
         "a b.trace",
         ""},
        {{"--help"}, CommandLine::Help, 0, 100000, nullptr, ""},
        {{"--seed", "1", "-h"}, CommandLine::Help, 0, 100000, nullptr, ""},
        {{}, CommandLine::Error, 0, 0, nullptr, "missing --seed"},
        {{"--ticks", "5"}, CommandLine::Error, 0, 0, nullptr, "missing --seed"},
        {{"--seed"}, CommandLine::Error, 0, 0, nullptr, "option '--seed' needs a value"},
        {{"--seed", "-1"},
         CommandLine::Error,
         0,
         0,
         nullptr,
         "--seed: '-1' is not a whole number from 0 to 4294967295"},
        {{"--seed", "+1"}, CommandLine::Error, 0, 0, nullptr, "--seed: '+1' is not"},
        {{"--seed", "4294967296"}, CommandLine::Error, 0, 0, nullptr, "--seed: '4294967296'"},
        {{"--seed", "0x10"}, CommandLine::Error, 0, 0, nullptr, "--seed: '0x10' is not"},
        {{"--seed", ""}, CommandLine::Error, 0, 0, nullptr, "--seed: '' is not"},
        {{"--seed", "1", "--ticks", "1e5"}, CommandLine::Error, 0, 0, nullptr, "--ticks: '1e5'"},
        {{"--seed", "1", "--seed", "1"},
         CommandLine::Error,
         0,
         0,
         nullptr,
         "option '--seed' given twice"},
        {{"--seed", "1", "--script", "a", "--script", "b"},
         CommandLine::Error,
         0,
         0,
         nullptr,
         "option '--script' given twice"},
        {{"--seed", "1", "--script", ""},
         CommandLine::Error,
         0,
         0,
         nullptr,
         "--script: the file name is empty"},
        {{"--seed=1"}, CommandLine::Error, 0, 0, nullptr, "unknown option '--seed=1'"},
        {{"--seed", "1", "-t", "4"}, CommandLine::Error, 0, 0, nullptr, "unknown option '-t'"},
        {{"--seed", "1", "game.trace"},
         CommandLine::Error,
         0,
         0,
         nullptr,
         "unexpected argument 'game.trace'"},
    };
    for (const auto& c : cases) {
        TraceOptions options;
        std::string error;
        const CommandLine result = ParseCommandLine(c.args, options, error);
        EXPECT_EQ(result, c.result) << c.error;
        if (result == CommandLine::Run) {
            EXPECT_EQ(options.seed, c.seed);
            EXPECT_EQ(options.ticks, c.ticks);
            EXPECT_EQ(options.hasScript, c.script != nullptr);
            if (c.script != nullptr) {
                EXPECT_EQ(options.scriptPath, c.script);
            }
        } else if (result == CommandLine::Error) {
            EXPECT_EQ(error.rfind(c.error, 0), 0u) << "got: " << error;
        }
    }
}

}  // namespace
