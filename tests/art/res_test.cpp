// The compiled resource file: the dialog templates, the menu, the accelerators, the icon groups
// and the bitmaps, read back from what the resource compiler made of res/vantorel.rc.
#include <gtest/gtest.h>

#include <string>

#include "../../res/resource_ids.h"
#include "readers.h"

namespace {

using arttest::Bytes;
using arttest::ResEntry;
using arttest::ResId;
using arttest::U16;
using arttest::U32;

constexpr std::uint16_t kRtBitmap = 2, kRtIcon = 3, kRtMenu = 4, kRtDialog = 5, kRtAccelerator = 9,
                        kRtGroupIcon = 14;

const std::vector<ResEntry>& Entries() {
    static const auto entries = arttest::ParseRes(arttest::ReadFileBytes(VANTOREL_RES_FILE));
    if (!entries) {
        ADD_FAILURE() << "cannot read " << VANTOREL_RES_FILE;
        static const std::vector<ResEntry> none;
        return none;
    }
    return *entries;
}

const ResEntry* Find(std::uint16_t type, std::uint16_t name) {
    for (const ResEntry& e : Entries()) {
        if (e.type == ResId(type) && e.name == ResId(name))
            return &e;
    }
    return nullptr;
}

// A reading position in a resource's data.
struct Reader {
    const Bytes& b;
    std::size_t p = 0;
    std::uint16_t Word() {
        const std::uint16_t v = U16(b, p);
        p += 2;
        return v;
    }
    std::uint32_t Dword() {
        const std::uint32_t v = U32(b, p);
        p += 4;
        return v;
    }
    std::u16string String() {
        std::u16string s;
        for (char16_t c = char16_t(Word()); c != 0; c = char16_t(Word()))
            s.push_back(c);
        return s;
    }
    // A name or ordinal field of a dialog template: 0 (none), 0xFFFF + ordinal, or a string.
    ResId SzOrOrd() {
        if (U16(b, p) == 0xFFFF) {
            p += 2;
            return Word();
        }
        return String();
    }
    void Align4() { p = (p + 3) & ~std::size_t(3); }
};

constexpr std::uint32_t WS_POPUP = 0x80000000, WS_VISIBLE = 0x10000000, WS_CAPTION = 0x00C00000,
                        WS_SYSMENU = 0x00080000, WS_THICKFRAME = 0x00040000,
                        WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000,
                        WS_CHILD = 0x40000000, WS_TABSTOP = 0x00010000, DS_SETFONT = 0x40,
                        DS_MODALFRAME = 0x80;

struct DialogItem {
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
    std::uint16_t id;
    ResId cls, text;
};
struct Dialog {
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
    ResId menu, cls;
    std::u16string caption;
    std::uint16_t pointSize;
    std::u16string face;
    std::vector<DialogItem> items;
};

Dialog ReadDialog(const Bytes& data) {
    Reader r{data};
    Dialog d{};
    d.style = r.Dword();
    r.Dword();  // extended style
    const std::uint16_t count = r.Word();
    d.x = std::int16_t(r.Word()), d.y = std::int16_t(r.Word());
    d.cx = std::int16_t(r.Word()), d.cy = std::int16_t(r.Word());
    d.menu = r.SzOrOrd();
    d.cls = r.SzOrOrd();
    d.caption = r.String();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        d.face = r.String();
    }
    for (int i = 0; i < count; ++i) {
        r.Align4();
        DialogItem item{};
        item.style = r.Dword();
        r.Dword();
        item.x = std::int16_t(r.Word()), item.y = std::int16_t(r.Word());
        item.cx = std::int16_t(r.Word()), item.cy = std::int16_t(r.Word());
        item.id = r.Word();
        item.cls = r.SzOrOrd();
        item.text = r.SzOrOrd();
        r.p += r.Word();  // creation data
        d.items.push_back(item);
    }
    return d;
}

void ExpectFixedWindowStyle(std::uint32_t style) {
    EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT),
              WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
}

TEST(Resources, MainWindowTemplate) {
    const ResEntry* e = Find(kRtDialog, ID_Form1);
    ASSERT_NE(e, nullptr);
    ASSERT_NE(U32(e->data, 0), 0xFFFF0001u) << "a classic template, not an extended one";
    const Dialog d = ReadDialog(e->data);
    ExpectFixedWindowStyle(d.style);
    EXPECT_EQ(d.x, 11);
    EXPECT_EQ(d.y, 132);
    EXPECT_EQ(d.cx, 220);
    EXPECT_EQ(d.cy, 245);
    EXPECT_EQ(d.menu, ResId(u""));
    EXPECT_EQ(d.cls, ResId(u""));
    EXPECT_EQ(d.caption, u"The Vantorel  -KESTRAVO edition-");
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.face, u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");  // ＭＳ Ｐゴシック
    EXPECT_TRUE(d.items.empty());
}

TEST(Resources, AboutBoxTemplate) {
    const ResEntry* e = Find(kRtDialog, ID_About);
    ASSERT_NE(e, nullptr);
    ASSERT_NE(U32(e->data, 0), 0xFFFF0001u);
    const Dialog d = ReadDialog(e->data);
    ExpectFixedWindowStyle(d.style);
    EXPECT_EQ(d.x, 51);
    EXPECT_EQ(d.y, 175);
    EXPECT_EQ(d.cx, 157);
    EXPECT_EQ(d.cy, 56);
    EXPECT_EQ(d.caption, u"About The Vantorel -KESTRAVO edition-");
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.face, u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");  // ＭＳ ゴシック

    struct Expected {
        std::uint16_t id;
        std::uint16_t cls;  // 0x80 button, 0x82 static
        std::uint32_t kind, kindMask;
        std::int16_t x, y, cx, cy;
        std::u16string text;
    };
    const Expected expected[] = {
        {ID_About_cb_OK, 0x80, 0x0001 | WS_TABSTOP, 0x000F | WS_TABSTOP, 55, 35, 40, 16, u"OK"},
        {ID_About_pictb_Product, 0x82, 0x0103, 0x01FF, 5, 5, 22, 22, u""},
        {ID_About_label_ProductName, 0x82, 0x010C, 0x01FF, 35, 5, 115, 10,
         u"VANTOREL_KV.EXE (ver 0.63)"},
        {ID_About_label_Copyright, 0x82, 0x010C, 0x01FF, 35, 17, 115, 10,
         u"presented by KESTRAVO WORKS"},
    };
    ASSERT_EQ(d.items.size(), std::size(expected));
    for (const Expected& x : expected) {
        const DialogItem* item = nullptr;
        for (const DialogItem& i : d.items) {
            if (i.id == x.id)
                item = &i;
        }
        ASSERT_NE(item, nullptr) << "item " << x.id;
        EXPECT_EQ(item->cls, ResId(x.cls)) << "item " << x.id;
        EXPECT_EQ(item->style & (x.kindMask | WS_VISIBLE | WS_CHILD),
                  x.kind | WS_VISIBLE | WS_CHILD)
            << "item " << x.id;
        EXPECT_EQ(item->x, x.x);
        EXPECT_EQ(item->y, x.y);
        EXPECT_EQ(item->cx, x.cx);
        EXPECT_EQ(item->cy, x.cy);
        EXPECT_EQ(item->text, ResId(x.text)) << "item " << x.id;
    }
}

TEST(Resources, AboutBoxItemsDoNotOverlap) {
    const Dialog d = ReadDialog(Find(kRtDialog, ID_About)->data);
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const DialogItem& a = d.items[i];
        EXPECT_LE(a.x + a.cx, d.cx) << a.id;
        EXPECT_LE(a.y + a.cy, d.cy) << a.id;
        for (std::size_t j = i + 1; j < d.items.size(); ++j) {
            const DialogItem& b = d.items[j];
            const bool apart =
                a.x + a.cx <= b.x || b.x + b.cx <= a.x || a.y + a.cy <= b.y || b.y + b.cy <= a.y;
            EXPECT_TRUE(apart) << a.id << " and " << b.id;
        }
    }
}

TEST(Resources, MenuBar) {
    const ResEntry* e = Find(kRtMenu, ID_Form1_menu_1);
    ASSERT_NE(e, nullptr);
    Reader r{e->data};
    EXPECT_EQ(r.Word(), 0);  // classic menu template
    EXPECT_EQ(r.Word(), 0);
    // Each line: flags, then the id for a normal item, then the text. 0x10 popup, 0x80 last.
    struct Line {
        std::uint16_t flags;
        int id;  // -1 for a popup
        std::u16string text;
    };
    const Line expected[] = {
        {0x10, -1, u"&Game"},      {0x10, -1, u"&Start"}, {0x00, ID_Easy, u"&Easy"},
        {0x80, ID_Hard, u"&Hard"}, {0x00, 0, u""},  // separator
        {0x80, ID_Exit, u"E&xit"}, {0x90, -1, u"&Help"},  {0x80, ID_AboutItem, u"&About..."},
    };
    for (const Line& line : expected) {
        EXPECT_EQ(r.Word(), line.flags)
            << "flags of " << std::string(line.text.begin(), line.text.end());
        if (line.id >= 0) {
            EXPECT_EQ(r.Word(), line.id);
        }
        EXPECT_TRUE(r.String() == line.text);
    }
    EXPECT_EQ(r.p, e->data.size());
}

TEST(Resources, AcceleratorsAreControlLetters) {
    const ResEntry* e = Find(kRtAccelerator, ID_Form1_menu_1);
    ASSERT_NE(e, nullptr);
    ASSERT_EQ(e->data.size(), 3u * 8u);
    const struct {
        char key;
        std::uint16_t id;
    } expected[] = {{'E', ID_Easy}, {'H', ID_Hard}, {'X', ID_Exit}};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint16_t flags = U16(e->data, 8 * i);
        EXPECT_EQ(flags & 0x7F, 0x01 | 0x08) << "VIRTKEY and CONTROL only";
        EXPECT_EQ((flags & 0x80) != 0, i == 2) << "the last entry ends the table";
        EXPECT_EQ(U16(e->data, 8 * i + 2), expected[i].key);
        EXPECT_EQ(U16(e->data, 8 * i + 4), expected[i].id);
    }
}

TEST(Resources, IconGroupsFileFirstThenWindow) {
    std::vector<std::uint16_t> groups;
    for (const ResEntry& e : Entries()) {
        if (e.type == ResId(kRtGroupIcon))
            groups.push_back(std::get<std::uint16_t>(e.name));
    }
    EXPECT_EQ(groups, (std::vector<std::uint16_t>{ID_Icon_File, ID_Icon_Window}));
    for (std::uint16_t g : groups) {
        const Bytes& data = Find(kRtGroupIcon, g)->data;
        const int count = U16(data, 4);
        bool has32 = false;
        for (int i = 0; i < count; ++i) {
            const std::size_t at = 6 + 14 * std::size_t(i);
            const std::uint16_t iconId = U16(data, at + 12);
            const ResEntry* icon = Find(kRtIcon, iconId);
            ASSERT_NE(icon, nullptr) << "group " << g << " image " << iconId;
            EXPECT_EQ(U32(data, at + 8), icon->data.size());
            EXPECT_EQ(data[at + 2], 16) << "16 colours";
            has32 = has32 || (data[at] == 32 && data[at + 1] == 32);
        }
        EXPECT_TRUE(has32) << "group " << g;
    }
}

class BitmapResource : public testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(BitmapResource, IsTheSheetWithoutItsFileHeader) {
    const ResEntry* e = Find(kRtBitmap, std::uint16_t(GetParam().first));
    ASSERT_NE(e, nullptr);
    const Bytes file =
        arttest::ReadFileBytes(std::string(VANTOREL_RES_DIR) + "/" + GetParam().second);
    ASSERT_GT(file.size(), 14u);
    EXPECT_TRUE(e->data == Bytes(file.begin() + 14, file.end())) << GetParam().second;
}

INSTANTIATE_TEST_SUITE_P(OneHundredToOneHundredFour, BitmapResource,
                         testing::Values(std::pair{ID_Bitmap_Tiles, "tiles.bmp"},
                                         std::pair{ID_Bitmap_Banner, "banner.bmp"},
                                         std::pair{ID_Bitmap_Pans, "pans.bmp"},
                                         std::pair{ID_Bitmap_Glyphs, "glyphs.bmp"},
                                         std::pair{ID_Bitmap_Background, "background.bmp"}));

}  // namespace
