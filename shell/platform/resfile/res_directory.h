// The program's resources as raw bytes, found by numeric type and id. The Windows backend
// answers from the executable's own resources; the other backends from the compiled resource
// script (.res image) embedded in the executable. The parsers of the resource formats read
// these bytes and are shared by every backend.
#pragma once

#include <cstddef>
#include <cstdint>

struct ResBytes {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

// Numeric resource types.
constexpr uint16_t RtBitmap = 2;
constexpr uint16_t RtIcon = 3;
constexpr uint16_t RtMenu = 4;
constexpr uint16_t RtDialog = 5;
constexpr uint16_t RtAccelerator = 9;
constexpr uint16_t RtGroupIcon = 14;

// Finds a resource of the program; answers false when there is none.
bool FindProgramResource(uint16_t type, uint16_t id, ResBytes* out);

// A .res image: a sequence of resource headers, each followed by its data. Only entries with
// a numeric type and a numeric id are kept. The image's bytes must outlive the object.
class ResImage {
  public:
    // Answers false for a malformed image (every header and size is checked against the bytes).
    bool Parse(const uint8_t* data, size_t size);
    bool Find(uint16_t type, uint16_t id, ResBytes* out) const;
    int Count() const { return count_; }

    static constexpr int MaxEntries = 64;

  private:
    struct Entry {
        uint16_t type;
        uint16_t id;
        ResBytes bytes;
    };
    Entry entries_[MaxEntries]{};
    int count_ = 0;
};
