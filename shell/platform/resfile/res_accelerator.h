// Accelerator tables (RT_ACCELERATOR): 8-byte entries, the last one marked.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t FVirtKey = 0x01;
constexpr uint16_t FNoInvert = 0x02;
constexpr uint16_t FShift = 0x04;
constexpr uint16_t FControl = 0x08;
constexpr uint16_t FAlt = 0x10;
constexpr uint16_t AccelLast = 0x80;

struct ResAcceleratorEntry {
    uint16_t flags = 0;  // FVirtKey, FShift, FControl, FAlt (AccelLast removed)
    uint16_t key = 0;    // a virtual key with FVirtKey, otherwise a character code
    uint16_t commandId = 0;
};

struct ResAcceleratorTable {
    int count = 0;
    ResAcceleratorEntry entries[32];

    static constexpr int MaxEntries = 32;
};

// Parses a table; answers false (and leaves *out empty) when the bytes end before the marked
// last entry or the table holds more entries than the record.
bool ParseAcceleratorTable(const uint8_t* data, size_t size, ResAcceleratorTable* out);
