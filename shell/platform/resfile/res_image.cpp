// The .res image: the output of the resource compiler, a sequence of entries, each a header
// followed by its data padded to a 4-byte boundary:
//   DWORD DataSize; DWORD HeaderSize;
//   type: 0xFFFF + WORD id, or a zero-terminated UTF-16 name;  name: the same;
//   padding to a 4-byte boundary;
//   DWORD DataVersion; WORD MemoryFlags; WORD LanguageId; DWORD Version; DWORD Characteristics
// The first entry is an empty one of 32 bytes (type 0, id 0) that marks the format.
// Every offset and size is checked against the bytes before it is used.
#include "shell/platform/resfile/res_directory.h"

namespace {

constexpr size_t FixedTailSize = 16;  // DataVersion .. Characteristics
constexpr size_t MinHeaderSize = 8 + 4 + 4 + FixedTailSize;

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Reads a type or name field at offset within [0, end). A numeric field sets *id and
// *numeric; a string field is skipped. Answers the offset after the field, or 0 when the field
// runs past end.
size_t ReadNameOrId(const uint8_t* data, size_t offset, size_t end, uint16_t* id, bool* numeric) {
    if (end < offset || end - offset < 2) {
        return 0;
    }
    if (ReadU16(data + offset) == 0xFFFF) {
        if (end - offset < 4) {
            return 0;
        }
        *id = ReadU16(data + offset + 2);
        *numeric = true;
        return offset + 4;
    }
    *numeric = false;
    for (size_t at = offset; end - at >= 2; at += 2) {
        if (ReadU16(data + at) == 0) {
            return at + 2;
        }
    }
    return 0;
}

}  // namespace

bool ResImage::Parse(const uint8_t* data, size_t size) {
    count_ = 0;
    if (data == nullptr) {
        return false;
    }
    size_t offset = 0;
    bool first = true;
    int count = 0;
    while (offset < size) {
        if (size - offset < MinHeaderSize) {
            return false;
        }
        const uint8_t* header = data + offset;
        const uint32_t dataSize = ReadU32(header);
        const uint32_t headerSize = ReadU32(header + 4);
        if (headerSize < MinHeaderSize || headerSize > size - offset) {
            return false;
        }
        const size_t headerEnd = offset + headerSize;
        uint16_t type = 0;
        uint16_t id = 0;
        bool typeNumeric = false;
        bool idNumeric = false;
        size_t at = ReadNameOrId(data, offset + 8, headerEnd, &type, &typeNumeric);
        if (at == 0) {
            return false;
        }
        at = ReadNameOrId(data, at, headerEnd, &id, &idNumeric);
        if (at == 0) {
            return false;
        }
        at = (at + 3) & ~size_t{3};  // the header starts aligned; so does its fixed tail
        if (at > headerEnd || headerEnd - at < FixedTailSize) {
            return false;
        }
        if (dataSize > size - headerEnd) {
            return false;
        }
        if (first) {
            // The marker entry: no data, numeric type 0 and id 0.
            if (dataSize != 0 || !typeNumeric || !idNumeric || type != 0 || id != 0) {
                return false;
            }
            first = false;
        } else if (typeNumeric && idNumeric) {
            if (count == MaxEntries) {
                return false;  // more resources than the directory can hold
            }
            entries_[count] = Entry{type, id, ResBytes{data + headerEnd, dataSize}};
            ++count;
        }
        const size_t dataEnd = headerEnd + dataSize;
        // The data is padded to a 4-byte boundary; the last entry may end the image unpadded.
        const size_t padded = (dataEnd + 3) & ~size_t{3};
        offset = padded < size ? padded : size;
    }
    if (first) {
        return false;  // not even the marker entry
    }
    count_ = count;
    return true;
}

bool ResImage::Find(uint16_t type, uint16_t id, ResBytes* out) const {
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].type == type && entries_[i].id == id) {
            if (out != nullptr) {
                *out = entries_[i].bytes;
            }
            return true;
        }
    }
    return false;
}
