// A bounded little-endian reader over the bytes of one resource, and the UTF-16 to UTF-8
// conversion of its texts. Every read is checked against the end; the first read that would
// pass it leaves the reader failed, and every later read answers zero.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the UTF-16 code units as UTF-8 into out (capacity bytes, always zero-terminated when
// capacity > 0). A surrogate without its partner becomes U+FFFD. A text longer than the buffer
// is cut before the first character that does not fit whole. Answers the bytes written.
size_t Utf16ToUtf8(const uint16_t* units, size_t count, char* out, size_t capacity);

class ResReader {
  public:
    ResReader(const uint8_t* data, size_t size) : data_(data), size_(data == nullptr ? 0 : size) {}

    bool Ok() const { return ok_; }
    size_t Offset() const { return offset_; }
    size_t Remaining() const { return ok_ ? size_ - offset_ : 0; }
    void Fail() { ok_ = false; }

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    void Skip(size_t count);
    // Moves on to the next multiple of the given power of two, counted from the first byte.
    void Align(size_t alignment);

    // A zero-terminated UTF-16 string, converted into out. Fails when no terminator comes
    // before the end.
    void String(char* out, size_t capacity);

    // A field that is empty (0x0000), an ordinal (0xFFFF then the number) or a string.
    struct NameOrOrdinal {
        bool present = false;  // false: the field was empty
        bool isOrdinal = false;
        uint16_t ordinal = 0;
    };
    NameOrOrdinal NameOrId(char* out, size_t capacity);

  private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};
