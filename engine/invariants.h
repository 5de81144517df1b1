// The invariants that the rule operations keep on the game state record, checked in one place.
// Used by the tests, the fuzz targets and the soak run after every event; the game itself never
// calls it.
#pragma once

#include <cstddef>

#include "engine/game_state.h"

// The first broken invariant, as text: "<name>: <what was found>". The name is one of the
// headings of CheckInvariants below.
struct InvariantViolation {
    char text[160];
};

// Checks a record between two events (ticks, keys, commands, paints): after the window's
// creation has set up a game, and never inside a tick, so marked cells and marks never remain.
// Answers true when every invariant holds; otherwise false, with the first broken one described
// in *violation when it is not null. Allocates nothing.
//
// Checked, in this order (the name before the colon in a violation):
//   phase     1..20
//   walls     columns 0 and 7 and rows 0, 1, 17, 18 hold 15
//   cells     field cells hold 0..7 (no marked cell survives its tick)
//   marks     every mark is 0
//   columns   entries 0 and 7 of weight, tilt and dirty are 0; dirty flags are 0 or 1;
//             weights at most 90
//   tilts     each scale's tilts follow from its weights (right = -left = -(difference / 5));
//             within -2..+2 in phases 1 to 4
//   weights   phases 1 and 3: every weight equals its column's sum; phase 2 with a piece at
//             the spawn and phase 4 (cells only leave between a weighing and the next landing):
//             no sum above its weight; phase 2 right after a landing and the game-over phases:
//             at most one column (the landed piece's) above its weight, by 1..6, the others equal
//   settled   in every phase but 4, no cell of the field stands over an empty cell
//   groups    phase 1: no group of minChain or more equal pieces (the last search found none)
//   spawn     phases 1 and 3: the spawn cell under the current tilt of column 3 is empty
//   queue     entries 1..7 (entry 0 may be 0); entry 0 is 0 only in phase 2, right after a
//             landing
//   piece     phase 1: column 1..6, half-row 6..35, its row (half-row - tilt) / 2 within 2..16
//             and that cell empty; in every other phase a piece in entry 0 stands at the spawn
//   settings  minChain, showPans and previewCount equal the defaults; previewCount at most 2
//   score     at most 99999999, and a multiple of 20 below the cap
//   level     min(99, score / 500 + 1)
//   interval  dropInterval = max(1, 42 - level) and infoMode follows the level (0 above 50,
//             1 above 20, the default below) - or the settings are still the defaults of a game
//             whose first removal step has not run (score 0, or the Hard start at 20000 in
//             phases 2..4); in phase 5 infoMode may also be 3
//   countdown dropCountdown within 1..max(41, default dropInterval): it is reloaded with the
//             interval of its time and not shortened when a level rise lowers the interval, so
//             it may stand above the current dropInterval, but never above the largest interval
//             a game can have
//   keys      held-key flags 0 or 1
//   chain     chainCount at most 90 / max(minChain, 1) (30 by default); 0 in phase 1 once the
//             field holds anything
bool CheckInvariants(const GameState& state, InvariantViolation* violation = nullptr);
