// The bounded reader and the text conversion shared by the resource parsers.
#include "shell/platform/resfile/res_reader.h"

namespace {

// Appends one code point if it fits whole; answers false when it does not.
bool PutCodePoint(uint32_t cp, char* out, size_t capacity, size_t* length) {
    char bytes[4];
    size_t n = 0;
    if (cp < 0x80) {
        bytes[n++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
        bytes[n++] = static_cast<char>(0xC0 | (cp >> 6));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        bytes[n++] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        bytes[n++] = static_cast<char>(0xF0 | (cp >> 18));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    if (capacity - 1 - *length < n) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        out[(*length)++] = bytes[i];
    }
    return true;
}

}  // namespace

size_t Utf16ToUtf8(const uint16_t* units, size_t count, char* out, size_t capacity) {
    if (out == nullptr || capacity == 0) {
        return 0;
    }
    size_t length = 0;
    for (size_t i = 0; i < count; ++i) {
        uint32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (!PutCodePoint(cp, out, capacity, &length)) {
            break;
        }
    }
    out[length] = '\0';
    return length;
}

uint8_t ResReader::U8() {
    if (!ok_ || size_ - offset_ < 1) {
        ok_ = false;
        return 0;
    }
    return data_[offset_++];
}

uint16_t ResReader::U16() {
    if (!ok_ || size_ - offset_ < 2) {
        ok_ = false;
        return 0;
    }
    const uint16_t value = static_cast<uint16_t>(data_[offset_] | data_[offset_ + 1] << 8);
    offset_ += 2;
    return value;
}

uint32_t ResReader::U32() {
    const uint32_t low = U16();
    const uint32_t high = U16();
    return ok_ ? (low | high << 16) : 0;
}

void ResReader::Skip(size_t count) {
    if (!ok_ || size_ - offset_ < count) {
        ok_ = false;
        return;
    }
    offset_ += count;
}

void ResReader::Align(size_t alignment) {
    const size_t misalign = offset_ % alignment;
    if (ok_ && misalign != 0) {
        // Padding may be missing at the very end of the bytes; whatever follows is then
        // read as past the end and fails.
        const size_t pad = alignment - misalign;
        offset_ = size_ - offset_ < pad ? size_ : offset_ + pad;
    }
}

void ResReader::String(char* out, size_t capacity) {
    const bool keep = out != nullptr && capacity > 0;
    if (keep) {
        out[0] = '\0';
    }
    // Code units are converted as they are read, so no text length limits what is accepted,
    // only what is kept.
    size_t length = 0;
    bool full = !keep;
    uint32_t pendingHigh = 0;
    auto put = [&](uint32_t cp) {
        if (!full && !PutCodePoint(cp, out, capacity, &length)) {
            full = true;
        }
    };
    for (;;) {
        const uint16_t unit = U16();
        if (!ok_) {
            if (keep) {
                out[length] = '\0';
            }
            return;
        }
        if (pendingHigh != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                put(0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00u));
                pendingHigh = 0;
                continue;
            }
            put(0xFFFD);
            pendingHigh = 0;
        }
        if (unit == 0) {
            break;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            pendingHigh = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            put(0xFFFD);
        } else {
            put(unit);
        }
    }
    if (keep) {
        out[length] = '\0';
    }
}

ResReader::NameOrOrdinal ResReader::NameOrId(char* out, size_t capacity) {
    NameOrOrdinal field;
    if (out != nullptr && capacity > 0) {
        out[0] = '\0';
    }
    if (!ok_ || size_ - offset_ < 2) {
        ok_ = false;
        return field;
    }
    const uint16_t first = static_cast<uint16_t>(data_[offset_] | data_[offset_ + 1] << 8);
    if (first == 0x0000) {
        offset_ += 2;
        return field;
    }
    field.present = true;
    if (first == 0xFFFF) {
        offset_ += 2;
        field.isOrdinal = true;
        field.ordinal = U16();
        return field;
    }
    String(out, capacity);
    return field;
}
