// The one line a trace prints after each tick.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/game_state.h"

// Room for the longest line, newline included.
constexpr std::size_t TraceLineCapacity = 512;

// Writes the line for this state after this many ticks, with its newline, into out (at least
// TraceLineCapacity bytes) and answers its length. Nothing is allocated.
std::size_t FormatStateLine(const GameState& state, uint32_t ticks, char* out);
