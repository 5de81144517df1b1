// The parsers read the program's own resources as the resource script describes them.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "shell/platform/resfile/res_accelerator.h"
#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/resfile/res_icon_group.h"
#include "shell/platform/resfile/res_menu.h"
#include "shell/platform/resfile/res_reader.h"

namespace {

ResBytes Resource(uint16_t type, uint16_t id) {
    ResBytes bytes;
    EXPECT_TRUE(FindProgramResource(type, id, &bytes)) << "type " << type << " id " << id;
    return bytes;
}

constexpr uint32_t FixedWindowStyle =
    0x80000000u | WsVisible | WsCaption | WsSysMenu | DsModalFrame | DsSetFont;

TEST(DialogTemplate, MainWindowTemplateHasCaptionFontAndNoControls) {
    const ResBytes bytes = Resource(RtDialog, ID_Form1);
    ResDialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data, bytes.size, &t));
    EXPECT_FALSE(t.extended);
    EXPECT_EQ(t.style, FixedWindowStyle);
    EXPECT_EQ(t.style & (WsThickFrame | WsMinimizeBox | WsMaximizeBox), 0u);
    EXPECT_EQ((std::array<int, 4>{t.x, t.y, t.cx, t.cy}), (std::array<int, 4>{11, 132, 220, 245}));
    EXPECT_STREQ(t.caption, "The Vantorel  -KESTRAVO edition-");
    EXPECT_TRUE(t.hasFont);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_STREQ(t.fontFace, "ＭＳ Ｐゴシック");
    EXPECT_FALSE(t.menuIsOrdinal);
    EXPECT_STREQ(t.menuName, "");
    EXPECT_EQ(t.itemCount, 0);
}

TEST(DialogTemplate, AboutTemplateHasItsFourItems) {
    const ResBytes bytes = Resource(RtDialog, ID_About);
    ResDialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(bytes.data, bytes.size, &t));
    EXPECT_EQ(t.style, FixedWindowStyle);
    EXPECT_EQ((std::array<int, 4>{t.x, t.y, t.cx, t.cy}), (std::array<int, 4>{51, 175, 157, 56}));
    EXPECT_STREQ(t.caption, "About The Vantorel -KESTRAVO edition-");
    EXPECT_STREQ(t.fontFace, "ＭＳ ゴシック");
    ASSERT_EQ(t.itemCount, 4);

    struct Expected {
        uint32_t id;
        uint16_t classOrdinal;
        const char* text;
        std::array<int, 4> rect;
        uint32_t style;
    };
    const Expected expected[] = {
        {ID_About_cb_OK,
         DialogClassButton,
         "OK",
         {55, 35, 40, 16},
         WsVisible | WsTabStop | BsDefPushButton},
        {ID_About_pictb_Product,
         DialogClassStatic,
         "",
         {5, 5, 22, 22},
         WsVisible | SsIcon | SsNotify},
        {ID_About_label_ProductName,
         DialogClassStatic,
         "VANTOREL_KV.EXE (ver 0.63)",
         {35, 5, 115, 10},
         WsVisible | 0x000C | SsNotify},
        {ID_About_label_Copyright,
         DialogClassStatic,
         nullptr,
         {35, 17, 115, 10},
         WsVisible | 0x000C | SsNotify},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.id);
        const ResDialogItem* item = t.FindItem(e.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->classOrdinal, e.classOrdinal);
        EXPECT_STREQ(item->className, "");
        EXPECT_FALSE(item->textIsOrdinal);
        if (e.text != nullptr) {
            EXPECT_STREQ(item->text, e.text);
        } else {
            EXPECT_GT(std::strlen(item->text), 0u);  // the presenter line
        }
        EXPECT_EQ((std::array<int, 4>{item->x, item->y, item->cx, item->cy}), e.rect);
        EXPECT_EQ(item->style, WsChild | e.style);
    }
    EXPECT_EQ(t.FindItem(105), nullptr);
}

TEST(Menu, MainMenuTreeInOrder) {
    const ResBytes bytes = Resource(RtMenu, ID_Form1_menu_1);
    ResMenu m;
    ASSERT_TRUE(ParseMenu(bytes.data, bytes.size, &m));
    struct Expected {
        int depth;
        bool popup;
        bool separator;
        uint16_t id;
        const char* text;
    };
    const Expected expected[] = {
        {0, true, false, 0, "&Game"},
        {1, true, false, 0, "&Start"},
        {2, false, false, ID_Easy, "&Easy"},
        {2, false, false, ID_Hard, "&Hard"},
        {1, false, true, 0, ""},
        {1, false, false, ID_Exit, "E&xit"},
        {0, true, false, 0, "&Help"},
        {1, false, false, ID_AboutItem, "&About..."},
    };
    ASSERT_EQ(m.count, static_cast<int>(std::size(expected)));
    for (int i = 0; i < m.count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m.entries[i].depth, expected[i].depth);
        EXPECT_EQ(m.entries[i].popup, expected[i].popup);
        EXPECT_EQ(m.entries[i].separator, expected[i].separator);
        EXPECT_EQ(m.entries[i].commandId, expected[i].id);
        EXPECT_STREQ(m.entries[i].text, expected[i].text);
    }
}

TEST(Accelerators, CtrlLettersForTheThreeCommands) {
    const ResBytes bytes = Resource(RtAccelerator, ID_Form1_menu_1);
    ResAcceleratorTable a;
    ASSERT_TRUE(ParseAcceleratorTable(bytes.data, bytes.size, &a));
    ASSERT_EQ(a.count, 3);
    const uint16_t keys[] = {'E', 'H', 'X'};
    const uint16_t ids[] = {ID_Easy, ID_Hard, ID_Exit};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.entries[i].flags & (FVirtKey | FControl | FShift | FAlt), FVirtKey | FControl);
        EXPECT_EQ(a.entries[i].key, keys[i]);
        EXPECT_EQ(a.entries[i].commandId, ids[i]);
    }
}

TEST(IconGroup, BothGroupsNameIconsThatExist) {
    for (uint16_t group : {uint16_t{ID_Icon_File}, uint16_t{ID_Icon_Window}}) {
        SCOPED_TRACE(group);
        const ResBytes bytes = Resource(RtGroupIcon, group);
        ResIconGroup g;
        ASSERT_TRUE(ParseIconGroup(bytes.data, bytes.size, &g));
        ASSERT_GE(g.count, 1);
        bool has32 = false;
        for (int i = 0; i < g.count; ++i) {
            ResBytes icon;
            EXPECT_TRUE(FindProgramResource(RtIcon, g.entries[i].iconId, &icon));
            EXPECT_EQ(icon.size, g.entries[i].bytesInRes);
            has32 = has32 || (g.entries[i].width == 32 && g.entries[i].height == 32);
        }
        EXPECT_TRUE(has32);
    }
}

TEST(Utf16, ConvertsEveryRangeAndCutsOnlyWholeCharacters) {
    struct Case {
        std::u16string in;
        size_t capacity;
        std::string out;
    };
    const Case cases[] = {
        {u"OK", 16, "OK"},
        {u"\u00e9", 16, "\xc3\xa9"},
        {u"\uff2d\uff33", 16, "\xef\xbc\xad\xef\xbc\xb3"},  // ＭＳ
        {u"\U0001F600", 16, "\xf0\x9f\x98\x80"},            // a surrogate pair
        {std::u16string{char16_t(0xD800), u'A'}, 16,
         "\xef\xbf\xbd"
         "A"},                                                          // lone high
        {std::u16string{char16_t(0xDC00)}, 16, "\xef\xbf\xbd"},         // lone low
        {std::u16string{u'A', char16_t(0xD83D)}, 16, "A\xef\xbf\xbd"},  // high at the end
        {u"abc", 3, "ab"},                                              // cut, terminator kept
        {u"a\u00e9", 3, "a"},  // the two-byte character does not fit whole
        {u"", 1, ""},
    };
    for (const Case& c : cases) {
        char out[32];
        std::memset(out, 'x', sizeof out);
        const size_t n = Utf16ToUtf8(reinterpret_cast<const uint16_t*>(c.in.data()), c.in.size(),
                                     out, c.capacity);
        EXPECT_EQ(std::string(out), c.out);
        EXPECT_EQ(n, c.out.size());
    }
}

TEST(Utf16, ReaderStringMatchesTheConversionAndSkipsWhatDoesNotFit) {
    // A 40-character string read into a 16-byte buffer: kept cut, the reader past the end.
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 40; ++i) {
        bytes.push_back(static_cast<uint8_t>('a' + i % 26));
        bytes.push_back(0);
    }
    bytes.insert(bytes.end(), {0, 0, 0x34, 0x12});
    ResReader in(bytes.data(), bytes.size());
    char text[16];
    in.String(text, sizeof text);
    EXPECT_TRUE(in.Ok());
    EXPECT_STREQ(text, "abcdefghijklmno");
    EXPECT_EQ(in.U16(), 0x1234);
    EXPECT_EQ(in.Remaining(), 0u);
}

}  // namespace
