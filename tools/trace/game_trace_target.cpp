#include "tools/trace/game_trace_target.h"

void GameTraceTarget::Create(uint32_t seed) {
    clock_.seconds = seed;
    game_.WriteDefaultSettings();
    game_.NewGame();
    timer_.running = false;  // created stopped: nothing moves before a menu command
}
