// The invariants of the game state record, worked out independently of the rule operations: the
// neighbourhood of the group check comes from the half-row overlap of the cells, not from the
// row-shift table that the chain search uses.
#include "engine/invariants.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr uint32_t ScoreCap = 99999999;
constexpr uint32_t LevelOneInterval = 41;  // the largest interval a removal step ever sets
constexpr uint32_t HardStartScore = 20000;
constexpr uint8_t HardStartLevel = 41;
constexpr int MaxColumnWeight = 90;  // 15 cells of 6
constexpr int FieldCells = 90;

bool Fail(InvariantViolation* violation, const char* format, ...) {
    if (violation != nullptr) {
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(violation->text, sizeof violation->text, format, arguments);
        va_end(arguments);
    }
    return false;
}

uint8_t At(const GameState& s, int column, int row) {
    return s.board[CellIndex(column, row)];
}

bool IsWall(int column, int row) {
    return column == 0 || column == BoardColumns - 1 || row < FirstFieldRow || row > LastFieldRow;
}

int ColumnSum(const GameState& s, int column) {
    int sum = 0;
    for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
        sum += At(s, column, row) % 7;
    }
    return sum;
}

int PairTiltOf(int leftWeight, int rightWeight) {
    return (leftWeight - rightWeight) / 5;
}

bool FieldEmpty(const GameState& s) {
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
            if (At(s, column, row) != CellEmpty) {
                return false;
            }
        }
    }
    return true;
}

// The size of the group of equal pieces that contains (column, row): cells of neighbouring
// columns touch when their half-row spans overlap, that is when their positions 2r + tilt differ
// by at most one. Tilts must lie within -2..+2 (checked before).
int GroupSize(const GameState& s, int column, int row, bool (&seen)[BoardColumns][BoardRows]) {
    struct Cell {
        int8_t column;
        int8_t row;
    };
    Cell stack[6 * 15];
    int top = 0;
    const uint8_t value = At(s, column, row);
    seen[column][row] = true;
    stack[top++] = {static_cast<int8_t>(column), static_cast<int8_t>(row)};
    int size = 0;
    while (top > 0) {
        const Cell cell = stack[--top];
        ++size;
        const int position = 2 * cell.row + s.columnTilt[cell.column];
        for (int c = cell.column - 1; c <= cell.column + 1; ++c) {
            if (c < FirstFieldColumn || c > LastFieldColumn) {
                continue;
            }
            // With tilts within -2..+2 a touching cell lies at most two rows up or down.
            for (int r = cell.row - 2; r <= cell.row + 2; ++r) {
                if (r < FirstFieldRow || r > LastFieldRow) {
                    continue;
                }
                bool touches = false;
                if (c == cell.column) {
                    touches = r == cell.row - 1 || r == cell.row + 1;
                } else {
                    const int other = 2 * r + s.columnTilt[c];
                    touches = other - position >= -1 && other - position <= 1;
                }
                if (touches && !seen[c][r] && At(s, c, r) == value) {
                    seen[c][r] = true;
                    stack[top++] = {static_cast<int8_t>(c), static_cast<int8_t>(r)};
                }
            }
        }
    }
    return size;
}

}  // namespace

bool CheckInvariants(const GameState& s, InvariantViolation* violation) {
    const uint8_t phase = s.phase;
    if (phase < PhaseFall || phase > PhaseBannerStart) {
        return Fail(violation, "phase: %u outside 1..20", phase);
    }
    const bool gameOver = phase >= PhaseGameOver;

    // walls, cells, marks
    for (int column = 0; column < BoardColumns; ++column) {
        for (int row = 0; row < BoardRows; ++row) {
            const uint8_t value = At(s, column, row);
            if (IsWall(column, row)) {
                if (value != CellWall) {
                    return Fail(violation, "walls: cell (%d, %d) holds %u", column, row, value);
                }
            } else if (value > CellStone) {
                return Fail(violation, "cells: field cell (%d, %d) holds %u", column, row, value);
            }
        }
    }
    for (int column = 0; column < BoardColumns; ++column) {
        for (int row = 0; row < BoardRows; ++row) {
            if (s.marks[CellIndex(column, row)] != 0) {
                return Fail(violation, "marks: mark of (%d, %d) is %u", column, row,
                            s.marks[CellIndex(column, row)]);
            }
        }
    }

    // columns
    for (int column : {0, BoardColumns - 1}) {
        if (s.columnWeight[column] != 0 || s.columnTilt[column] != 0 ||
            s.columnDirty[column] != 0) {
            return Fail(violation, "columns: wall column %d has weight %u, tilt %d, dirty %u",
                        column, s.columnWeight[column], s.columnTilt[column],
                        s.columnDirty[column]);
        }
    }
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        if (s.columnDirty[column] > 1) {
            return Fail(violation, "columns: dirty flag of column %d is %u", column,
                        s.columnDirty[column]);
        }
        if (s.columnWeight[column] > MaxColumnWeight) {
            return Fail(violation, "columns: weight of column %d is %u", column,
                        s.columnWeight[column]);
        }
    }

    // tilts
    for (int left = FirstFieldColumn; left <= LastFieldColumn; left += 2) {
        const int expected = PairTiltOf(s.columnWeight[left], s.columnWeight[left + 1]);
        if (s.columnTilt[left] != expected || s.columnTilt[left + 1] != -expected) {
            return Fail(violation, "tilts: scale (%d, %d) weighs %u and %u but is tilted %d and %d",
                        left, left + 1, s.columnWeight[left], s.columnWeight[left + 1],
                        s.columnTilt[left], s.columnTilt[left + 1]);
        }
        if (!gameOver && (expected > 2 || expected < -2)) {
            return Fail(violation, "tilts: scale (%d, %d) tilted %d in phase %u", left, left + 1,
                        expected, phase);
        }
    }

    // weights
    const bool justLanded = phase == PhaseWeigh && s.pieceQueue[0] == 0;
    int above = 0;
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        const int sum = ColumnSum(s, column);
        const int weight = s.columnWeight[column];
        if (phase == PhaseFall || phase == PhaseChains) {
            if (sum != weight) {
                return Fail(violation, "weights: column %d sums to %d but weighs %d in phase %u",
                            column, sum, weight, phase);
            }
        } else if (phase == PhaseGravity || (phase == PhaseWeigh && !justLanded)) {
            if (sum > weight) {
                return Fail(violation,
                            "weights: column %d sums to %d above its weight %d in phase %u", column,
                            sum, weight, phase);
            }
        } else if (sum != weight) {
            if (sum < weight || sum - weight > 6 || ++above > 1) {
                return Fail(violation,
                            "weights: column %d sums to %d, weighs %d: more than the landed "
                            "piece unweighed in phase %u",
                            column, sum, weight, phase);
            }
        }
    }

    // settled
    if (phase != PhaseGravity) {
        for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
            for (int row = FirstFieldRow; row < LastFieldRow; ++row) {
                if (At(s, column, row) != CellEmpty && At(s, column, row + 1) == CellEmpty) {
                    return Fail(violation, "settled: cell (%d, %d) over an empty cell in phase %u",
                                column, row, phase);
                }
            }
        }
    }

    // groups
    if (phase == PhaseFall) {
        bool seen[BoardColumns][BoardRows] = {};
        for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
            for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
                const uint8_t value = At(s, column, row);
                if (value < 1 || value > 6 || seen[column][row]) {
                    continue;
                }
                const int size = GroupSize(s, column, row, seen);
                if (size >= s.settings.minChain) {
                    return Fail(violation,
                                "groups: a group of %d pieces of %u at (%d, %d) survived the "
                                "search",
                                size, value, column, row);
                }
            }
        }
    }

    // spawn
    if (phase == PhaseFall || phase == PhaseChains) {
        const int row = (SpawnHalfRow - s.columnTilt[SpawnColumn]) / 2;
        if (At(s, SpawnColumn, row) != CellEmpty) {
            return Fail(violation, "spawn: spawn cell (%u, %d) holds %u in phase %u", SpawnColumn,
                        row, At(s, SpawnColumn, row), phase);
        }
    }

    // queue
    if (s.pieceQueue[0] > CellStone || s.pieceQueue[1] < 1 || s.pieceQueue[1] > CellStone ||
        s.pieceQueue[2] < 1 || s.pieceQueue[2] > CellStone) {
        return Fail(violation, "queue: %u, %u, %u", s.pieceQueue[0], s.pieceQueue[1],
                    s.pieceQueue[2]);
    }
    if (s.pieceQueue[0] == 0 && phase != PhaseWeigh) {
        return Fail(violation, "queue: no piece in entry 0 in phase %u", phase);
    }

    // piece
    if (s.pieceQueue[0] != 0) {
        if (phase == PhaseFall) {
            const int column = s.pieceColumn;
            if (column < FirstFieldColumn || column > LastFieldColumn || s.pieceHalfRow < 6 ||
                s.pieceHalfRow > 35) {
                return Fail(violation, "piece: at column %d, half-row %u", column, s.pieceHalfRow);
            }
            const int offset = s.pieceHalfRow - s.columnTilt[column];
            const int row = offset / 2;
            if (offset < 2 * FirstFieldRow || row > LastFieldRow) {
                return Fail(violation, "piece: half-row %u in column %d (tilt %d) is off the field",
                            s.pieceHalfRow, column, s.columnTilt[column]);
            }
            if (At(s, column, row) != CellEmpty) {
                return Fail(violation, "piece: its cell (%d, %d) holds %u", column, row,
                            At(s, column, row));
            }
        } else if (s.pieceColumn != SpawnColumn || s.pieceHalfRow != SpawnHalfRow) {
            return Fail(violation, "piece: at (%u, %u), away from the spawn in phase %u",
                        s.pieceColumn, s.pieceHalfRow, phase);
        }
    }

    // settings
    const GameSettings& d = s.defaultSettings;
    const GameSettings& g = s.settings;
    if (g.minChain != d.minChain || g.showPans != d.showPans || g.previewCount != d.previewCount ||
        d.previewCount > 2) {
        return Fail(violation,
                    "settings: minChain %u, showPans %u, previewCount %u against the defaults "
                    "%u, %u, %u",
                    g.minChain, g.showPans, g.previewCount, d.minChain, d.showPans, d.previewCount);
    }

    // score, level
    if (s.score > ScoreCap || (s.score != ScoreCap && s.score % 20 != 0)) {
        return Fail(violation, "score: %u", s.score);
    }
    uint32_t level = s.score / 500 + 1;
    if (level > 99) {
        level = 99;
    }
    if (s.level != level) {
        return Fail(violation, "level: %u at score %u", s.level, s.score);
    }

    // interval
    {
        const int32_t intervalByLevel = 42 - static_cast<int32_t>(s.level);
        const uint32_t interval = intervalByLevel < 1 ? 1u : static_cast<uint32_t>(intervalByLevel);
        const uint8_t info = s.level > 50 ? 0 : s.level > 20 ? 1 : d.infoMode;
        const bool followsLevel =
            g.dropInterval == interval &&
            (g.infoMode == info || (phase == PhaseGameOver && g.infoMode == 3));
        const bool startDefaults =
            g.dropInterval == d.dropInterval && g.infoMode == d.infoMode &&
            (s.score == 0 || (s.score == HardStartScore && s.level == HardStartLevel &&
                              phase >= PhaseWeigh && phase <= PhaseGravity));
        if (!followsLevel && !startDefaults) {
            return Fail(violation, "interval: dropInterval %u, infoMode %u at level %u in phase %u",
                        g.dropInterval, g.infoMode, s.level, phase);
        }
    }

    // countdown
    {
        const uint32_t most = d.dropInterval > LevelOneInterval ? d.dropInterval : LevelOneInterval;
        if (s.dropCountdown < 1 || s.dropCountdown > most) {
            return Fail(violation, "countdown: %u outside 1..%u", s.dropCountdown, most);
        }
    }

    // keys
    if (s.keyLeft > 1 || s.keyRight > 1 || s.keyDown > 1) {
        return Fail(violation, "keys: left %u, right %u, down %u", s.keyLeft, s.keyRight,
                    s.keyDown);
    }

    // chain
    {
        const int most = FieldCells / (d.minChain > 0 ? d.minChain : 1);
        if (s.chainCount > most) {
            return Fail(violation, "chain: chainCount %u above %d", s.chainCount, most);
        }
        if (phase == PhaseFall && s.chainCount != 0 && !FieldEmpty(s)) {
            return Fail(violation, "chain: chainCount %u in phase 1", s.chainCount);
        }
    }
    return true;
}
