// The .res image parser on small hand-made images, well-formed and malformed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/platform/resfile/res_directory.h"

namespace {

// A type or name field: a number, or a string when text is not empty.
struct Field {
    uint16_t id = 0;
    std::u16string text;
};

struct Entry {
    Field type;
    Field name;
    std::vector<uint8_t> data;
};

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutField(std::vector<uint8_t>& out, const Field& f) {
    if (f.text.empty()) {
        Put16(out, 0xFFFF);
        Put16(out, f.id);
    } else {
        for (char16_t c : f.text) {
            Put16(out, static_cast<uint16_t>(c));
        }
        Put16(out, 0);
    }
}
void Pad(std::vector<uint8_t>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

void PutEntry(std::vector<uint8_t>& out, const Entry& e) {
    std::vector<uint8_t> names;
    PutField(names, e.type);
    PutField(names, e.name);
    while (names.size() % 4 != 0) {
        names.push_back(0);
    }
    Put32(out, static_cast<uint32_t>(e.data.size()));
    Put32(out, static_cast<uint32_t>(8 + names.size() + 16));
    out.insert(out.end(), names.begin(), names.end());
    Put32(out, 0);       // DataVersion
    Put16(out, 0x1030);  // MemoryFlags
    Put16(out, 0x0409);  // LanguageId
    Put32(out, 0);       // Version
    Put32(out, 0);       // Characteristics
    out.insert(out.end(), e.data.begin(), e.data.end());
    Pad(out);
}

std::vector<uint8_t> MakeRes(const std::vector<Entry>& entries, bool marker = true) {
    std::vector<uint8_t> out;
    if (marker) {
        PutEntry(out, Entry{});
    }
    for (const Entry& e : entries) {
        PutEntry(out, e);
    }
    return out;
}

std::vector<uint8_t> Bytes(const ResBytes& b) {
    return {b.data, b.data + b.size};
}

TEST(ResImage, FindsNumericEntriesAndSkipsNamedOnes) {
    const std::vector<uint8_t> image = MakeRes({
        {{RtBitmap, {}}, {100, {}}, {1, 2, 3}},      // data padded by one byte
        {{RtDialog, {}}, {0, u"ID_FORM1"}, {9, 9}},  // named: not kept
        {{0, u"PNG"}, {5, {}}, {7}},                 // named type: not kept
        {{RtBitmap, {}}, {101, {}}, {}},             // empty data
        {{RtGroupIcon, {}}, {100, {}}, {4, 5, 6, 7, 8}},
    });
    ASSERT_EQ(image.size() % 4, 0u);
    ResImage res;
    ASSERT_TRUE(res.Parse(image.data(), image.size()));
    EXPECT_EQ(res.Count(), 3);
    ResBytes b;
    ASSERT_TRUE(res.Find(RtBitmap, 100, &b));
    EXPECT_EQ(Bytes(b), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_TRUE(res.Find(RtBitmap, 101, &b));
    EXPECT_EQ(b.size, 0u);
    ASSERT_TRUE(res.Find(RtGroupIcon, 100, &b));
    EXPECT_EQ(Bytes(b), (std::vector<uint8_t>{4, 5, 6, 7, 8}));
    EXPECT_FALSE(res.Find(RtBitmap, 102, &b));
    EXPECT_FALSE(res.Find(RtIcon, 100, &b));
    EXPECT_FALSE(res.Find(RtDialog, 0, &b));

    // The last entry may end the image without its padding.
    std::vector<uint8_t> unpadded = MakeRes({{{RtBitmap, {}}, {7, {}}, {1, 2, 3}}});
    unpadded.pop_back();
    ASSERT_TRUE(res.Parse(unpadded.data(), unpadded.size()));
    ASSERT_TRUE(res.Find(RtBitmap, 7, &b));
    EXPECT_EQ(Bytes(b), (std::vector<uint8_t>{1, 2, 3}));

    // Only the marker: a valid image without resources.
    const std::vector<uint8_t> markerOnly = MakeRes({});
    ASSERT_TRUE(res.Parse(markerOnly.data(), markerOnly.size()));
    EXPECT_EQ(res.Count(), 0);
}

TEST(ResImage, MalformedImagesAreRejectedAndLeaveNothing) {
    const std::vector<uint8_t> good = MakeRes({{{RtBitmap, {}}, {100, {}}, {1, 2, 3, 4}}});
    const size_t second = 32;  // the entry after the marker
    auto patched32 = [&](size_t at, uint32_t v) {
        std::vector<uint8_t> b(good.begin(), good.begin() + at);
        Put32(b, v);
        b.insert(b.end(), good.begin() + at + 4, good.end());
        return b;
    };
    std::vector<uint8_t> unterminated;
    {
        // A named type whose string runs to the end of the header.
        PutEntry(unterminated, Entry{});
        Put32(unterminated, 0);
        Put32(unterminated, 32);
        for (int i = 0; i < 12; ++i) {
            Put16(unterminated, 'A');
        }
    }
    std::vector<uint8_t> tooMany;
    {
        std::vector<Entry> entries;
        for (uint16_t i = 0; i <= ResImage::MaxEntries; ++i) {
            entries.push_back({{RtBitmap, {}}, {i, {}}, {}});
        }
        tooMany = MakeRes(entries);
    }
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"noMarker", MakeRes({{{RtBitmap, {}}, {100, {}}, {1, 2, 3, 4}}}, false)},
        {"markerWithData", MakeRes({{{0, {}}, {0, {}}, {1}}}, false)},
        {"cutInHeader", std::vector<uint8_t>(good.begin(), good.begin() + second + 20)},
        {"cutInData", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"headerSizeSmall", patched32(second + 4, 31)},
        {"headerSizeBeyond", patched32(second + 4, 0x1000)},
        {"headerSizeHuge", patched32(second + 4, 0xFFFFFFFF)},
        {"dataSizeBeyond", patched32(second, 5)},
        {"dataSizeHuge", patched32(second, 0xFFFFFFF0)},
        {"unterminatedName", unterminated},
        {"trailingBytes",
         [&] {
             std::vector<uint8_t> b = good;
             b.insert(b.end(), {0, 0, 0, 0});
             return b;
         }()},
        {"tooManyEntries", tooMany},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResImage res;
        ASSERT_TRUE(res.Parse(good.data(), good.size()));
        EXPECT_FALSE(res.Parse(c.bytes.data(), c.bytes.size()));
        EXPECT_EQ(res.Count(), 0);
        ResBytes b;
        EXPECT_FALSE(res.Find(RtBitmap, 100, &b));
    }
    ResImage res;
    EXPECT_FALSE(res.Parse(nullptr, 64));
}

// Every cut of a valid image either parses to a subset or is rejected, and never reads beyond
// the bytes it was given (the sanitizer build checks the reads).
TEST(ResImage, EveryTruncationIsSafe) {
    const std::vector<uint8_t> good = MakeRes({
        {{RtBitmap, {}}, {100, {}}, {1, 2, 3}},
        {{RtDialog, {}}, {0, u"NAME"}, {9, 9, 9, 9, 9}},
        {{RtIcon, {}}, {1, {}}, std::vector<uint8_t>(40, 7)},
    });
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(),
                                 good.begin() + n);  // exact size: ASan sees overreads
        ResImage res;
        if (res.Parse(cut.data(), cut.size())) {
            ResBytes b;
            for (uint16_t type : {RtBitmap, RtIcon}) {
                for (uint16_t id : {uint16_t{1}, uint16_t{100}}) {
                    if (res.Find(type, id, &b)) {
                        EXPECT_LE(b.data + b.size, cut.data() + cut.size());
                    }
                }
            }
        }
    }
}

}  // namespace
