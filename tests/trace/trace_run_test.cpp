// The tick schedule of a trace, on a recording target, and the exact shape of a state line.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/trace/trace_format.h"
#include "tools/trace/trace_run.h"

namespace {

// Records every call; a menu command starts the timer, and the timer stops by itself on the
// tick given in stopOnTick (counted from the last command), as a game over would.
class RecordingTarget final : public TraceTarget {
  public:
    std::vector<std::string> calls;
    int stopOnTick = 0;  // 0: never
    bool running = false;
    int ticksSinceCommand = 0;
    GameState state{};

    void Create(uint32_t seed) override { calls.push_back("create " + std::to_string(seed)); }
    void Easy() override { Command("easy"); }
    void Hard() override { Command("hard"); }
    void KeyDown(uint32_t code) override {
        calls.push_back("down " + std::to_string(code));
        state.keyLeft = 1;
    }
    void KeyUp(uint32_t code) override {
        calls.push_back("up " + std::to_string(code));
        state.keyLeft = 0;
    }
    void Tick() override {
        calls.push_back("tick");
        ++state.score;
        if (++ticksSinceCommand == stopOnTick) {
            running = false;
        }
    }
    bool TimerRunning() const override { return running; }
    void Paint() override { calls.push_back("paint"); }
    bool Shot(const std::string& path) override {
        calls.push_back("shot " + path);
        return path != "unwritable";
    }
    const GameState& State() const override { return state; }

  private:
    void Command(const char* name) {
        calls.push_back(name);
        running = true;
        ticksSinceCommand = 0;
    }
};

ScriptEvent Event(uint32_t at, EventKind kind, uint32_t code = 0) {
    ScriptEvent e;
    e.at = at;
    e.kind = kind;
    e.code = code;
    return e;
}

// Runs and answers the printed lines' tick counts and scores, as "t:score".
std::vector<std::string> RunLines(RecordingTarget& target, const std::vector<ScriptEvent>& events,
                                  uint32_t maxTicks, uint32_t seed = 77) {
    std::FILE* out = std::tmpfile();
    EXPECT_NE(out, nullptr);
    EXPECT_TRUE(RunTrace(seed, maxTicks, events, target, out));
    std::rewind(out);
    std::vector<std::string> lines;
    char buffer[TraceLineCapacity];
    while (std::fgets(buffer, sizeof buffer, out) != nullptr) {
        std::string line(buffer);
        const std::size_t t = line.find(' ');
        const std::size_t score = line.find(" score=");
        const std::size_t keys = line.find(" keys=");
        lines.push_back(line.substr(2, t - 2) + ":" +
                        line.substr(score + 7, line.find(' ', score + 1) - score - 7) + ":" +
                        line.substr(keys + 6, 1));
    }
    std::fclose(out);
    return lines;
}

using Lines = std::vector<std::string>;
using Calls = std::vector<std::string>;

TEST(RunTrace, WithoutACommandNoTickIsDelivered) {
    RecordingTarget target;
    EXPECT_EQ(
        RunLines(target, {Event(0, EventKind::KeyDown, 0x41), Event(5, EventKind::Easy)}, 100),
        (Lines{"0:0:1"}));
    EXPECT_EQ(target.calls, (Calls{"create 77", "down 65"}));
}

TEST(RunTrace, EventsAtATickFollowItsLineAndEndsWhenTheTimerStops) {
    RecordingTarget target;
    target.stopOnTick = 3;
    const std::vector<ScriptEvent> events = {
        Event(0, EventKind::Easy),       Event(2, EventKind::KeyDown, 1),
        Event(3, EventKind::KeyUp, 2),   Event(3, EventKind::KeyDown, 3),
        Event(4, EventKind::KeyDown, 4),  // never reached
    };
    EXPECT_EQ(RunLines(target, events, 100),
              (Lines{"0:0:0", "1:1:0", "2:2:0", "3:3:1"}));  // the key at 2 shows at 3
    EXPECT_EQ(target.calls,
              (Calls{"create 77", "easy", "tick", "tick", "down 1", "tick", "up 2", "down 3"}));
}

TEST(RunTrace, ACommandAtTheStoppingTickGoesOn) {
    RecordingTarget target;
    target.stopOnTick = 2;
    const std::vector<ScriptEvent> events = {Event(0, EventKind::Hard), Event(2, EventKind::Easy)};
    EXPECT_EQ(RunLines(target, events, 100), (Lines{"0:0:0", "1:1:0", "2:2:0", "3:3:0", "4:4:0"}));
    EXPECT_EQ(target.calls, (Calls{"create 77", "hard", "tick", "tick", "easy", "tick", "tick"}));
}

TEST(RunTrace, TheTickLimitEndsTheRunAfterItsEvents) {
    RecordingTarget target;
    const std::vector<ScriptEvent> events = {Event(0, EventKind::Easy),
                                             Event(2, EventKind::KeyDown, 9),
                                             Event(3, EventKind::KeyDown, 10)};
    EXPECT_EQ(RunLines(target, events, 2, 4294967295u), (Lines{"0:0:0", "1:1:0", "2:2:0"}));
    EXPECT_EQ(target.calls, (Calls{"create 4294967295", "easy", "tick", "tick", "down 9"}));

    RecordingTarget none;
    EXPECT_EQ(RunLines(none, {Event(0, EventKind::Easy)}, 0), (Lines{"0:0:0"}));
    EXPECT_EQ(none.calls, (Calls{"create 77", "easy"}));
}

ScriptEvent Shot(uint32_t at, const char* path, int line) {
    ScriptEvent e = Event(at, EventKind::Shot);
    e.path = path;
    e.line = line;
    return e;
}

TEST(RunTrace, PaintsAndShotsHappenAtTheirTickInFileOrder) {
    RecordingTarget target;
    target.stopOnTick = 2;
    const std::vector<ScriptEvent> events = {
        Event(0, EventKind::Paint), Shot(0, "a.ppm", 2),        Event(0, EventKind::Easy),
        Shot(1, "b.ppm", 4),        Event(1, EventKind::Paint), Shot(1, "c.ppm", 6),
    };
    EXPECT_EQ(RunLines(target, events, 100), (Lines{"0:0:0", "1:1:0", "2:2:0"}));
    EXPECT_EQ(target.calls, (Calls{"create 77", "paint", "shot a.ppm", "easy", "tick", "shot b.ppm",
                                   "paint", "shot c.ppm", "tick"}));
}

TEST(RunTrace, AShotThatCannotBeWrittenFailsTheRunButNotTheRest) {
    RecordingTarget target;
    const std::vector<ScriptEvent> events = {Shot(0, "unwritable", 3), Shot(0, "fine.ppm", 4)};
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    std::string error;
    EXPECT_FALSE(RunTrace(77, 10, events, target, out, &error));
    std::fclose(out);
    EXPECT_EQ(error, "line 3: cannot write the frame 'unwritable'");
    EXPECT_EQ(target.calls, (Calls{"create 77", "shot unwritable", "shot fine.ppm"}));
}

TEST(FormatStateLine, ExactShape) {
    GameState s{};
    s.phase = 19;
    s.score = 99999999;
    s.level = 99;
    s.chainCount = 12;
    s.pieceQueue[0] = 7;
    s.pieceQueue[1] = 0;
    s.pieceQueue[2] = 4;
    s.pieceColumn = 6;
    s.pieceHalfRow = 35;
    s.dropCountdown = 4294967295u;
    s.settings.dropInterval = 1;
    s.settings.infoMode = 0;
    s.keyLeft = 1;
    s.keyDown = 1;
    const uint8_t weights[6] = {90, 0, 15, 0, 5, 10};
    const int8_t tilts[6] = {18, -18, 3, -3, -1, 1};
    for (int c = 1; c <= 6; ++c) {
        s.columnWeight[c] = weights[c - 1];
        s.columnTilt[c] = tilts[c - 1];
    }
    for (int c = 1; c <= 6; ++c) {
        s.board[CellIndex(c, 2)] = static_cast<uint8_t>(c + 8);  // 9..14 as a..e
        s.board[CellIndex(c, 16)] = static_cast<uint8_t>(c);
    }
    s.board[CellIndex(3, 9)] = 7;
    s.board[CellIndex(0, 9)] = 15;  // walls are not printed
    char line[TraceLineCapacity];
    const std::size_t length = FormatStateLine(s, 4294967295u, line);
    EXPECT_EQ(std::string(line, length),
              "t=4294967295 phase=19 score=99999999 level=99 chain=12 queue=7,0,4 piece=6,35 "
              "drop=4294967295 interval=1 info=0 keys=101 weights=90,0,15,0,5,10 "
              "tilts=18,-18,3,-3,-1,1 board=9abcde/000000/000000/000000/000000/000000/000000/"
              "007000/000000/000000/000000/000000/000000/000000/123456\n");
}

}  // namespace
