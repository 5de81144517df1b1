// Broken resources are rejected cleanly: every cut of a real resource, fields that point past
// the end, counts beyond what the records hold, and random damage (run under the sanitizers,
// any read outside the bytes fails the test).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "shell/platform/resfile/res_accelerator.h"
#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/resfile/res_icon_group.h"
#include "shell/platform/resfile/res_menu.h"

namespace {

std::vector<uint8_t> Copy(uint16_t type, uint16_t id) {
    ResBytes bytes;
    EXPECT_TRUE(FindProgramResource(type, id, &bytes));
    return std::vector<uint8_t>(bytes.data, bytes.data + bytes.size);
}

// Parses from a buffer of exactly the given size, so that a read past it is a real fault.
using Parse = bool (*)(const std::vector<uint8_t>& bytes);

bool ParseDialog(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> exact(bytes);
    ResDialogTemplate t;
    const bool ok = ParseDialogTemplate(exact.empty() ? nullptr : exact.data(), exact.size(), &t);
    if (ok) {
        EXPECT_LE(t.itemCount, ResDialogTemplate::MaxItems);
        EXPECT_LT(std::strlen(t.caption), sizeof t.caption);
        EXPECT_LT(std::strlen(t.fontFace), sizeof t.fontFace);
        for (int i = 0; i < t.itemCount; ++i) {
            EXPECT_LT(std::strlen(t.items[i].text), sizeof t.items[i].text);
        }
    } else {
        EXPECT_EQ(t.itemCount, 0);  // cleared
    }
    return ok;
}
bool ParseMenuBytes(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> exact(bytes);
    ResMenu m;
    const bool ok = ParseMenu(exact.empty() ? nullptr : exact.data(), exact.size(), &m);
    if (ok) {
        EXPECT_LE(m.count, ResMenu::MaxEntries);
        for (int i = 0; i < m.count; ++i) {
            EXPECT_LT(m.entries[i].depth, ResMenu::MaxDepth);
        }
    } else {
        EXPECT_EQ(m.count, 0);
    }
    return ok;
}
bool ParseAccelerators(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> exact(bytes);
    ResAcceleratorTable a;
    const bool ok = ParseAcceleratorTable(exact.empty() ? nullptr : exact.data(), exact.size(), &a);
    if (!ok) {
        EXPECT_EQ(a.count, 0);
    }
    return ok;
}
bool ParseGroup(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> exact(bytes);
    ResIconGroup g;
    const bool ok = ParseIconGroup(exact.empty() ? nullptr : exact.data(), exact.size(), &g);
    if (!ok) {
        EXPECT_EQ(g.count, 0);
    }
    return ok;
}

struct Subject {
    const char* name;
    uint16_t type;
    uint16_t id;
    Parse parse;
};
const Subject subjects[] = {
    {"main window template", RtDialog, ID_Form1, &ParseDialog},
    {"About template", RtDialog, ID_About, &ParseDialog},
    {"menu", RtMenu, ID_Form1_menu_1, &ParseMenuBytes},
    {"accelerators", RtAccelerator, ID_Form1_menu_1, &ParseAccelerators},
    {"icon group 100", RtGroupIcon, ID_Icon_File, &ParseGroup},
    {"icon group 101", RtGroupIcon, ID_Icon_Window, &ParseGroup},
};

TEST(Malformed, EveryCutOfARealResourceIsRejected) {
    for (const Subject& s : subjects) {
        SCOPED_TRACE(s.name);
        const std::vector<uint8_t> whole = Copy(s.type, s.id);
        ASSERT_TRUE(s.parse(whole));
        // Icon groups have no end mark: a cut that keeps whole entries is a shorter group only
        // when the count is changed too, so every cut short of the entries fails.
        for (size_t size = 0; size < whole.size(); ++size) {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + size);
            EXPECT_FALSE(s.parse(cut)) << "cut to " << size << " of " << whole.size();
        }
    }
}

TEST(Malformed, RandomDamageNeverReadsOutsideTheBytes) {
    std::mt19937 random(20260);
    for (const Subject& s : subjects) {
        SCOPED_TRACE(s.name);
        const std::vector<uint8_t> whole = Copy(s.type, s.id);
        for (int round = 0; round < 2000; ++round) {
            std::vector<uint8_t> damaged = whole;
            const int hits = 1 + static_cast<int>(random() % 4);
            for (int h = 0; h < hits; ++h) {
                const size_t at = random() % damaged.size();
                damaged[at] = static_cast<uint8_t>(random() % 3 == 0 ? 0xFF : random());
            }
            if (random() % 4 == 0) {
                damaged.resize(random() % (damaged.size() + 1));
            }
            s.parse(damaged);  // the checks are inside: a clean answer either way
        }
    }
}

void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

TEST(Malformed, DialogFieldsBeyondTheRecordOrTheBytes) {
    const std::vector<uint8_t> about = Copy(RtDialog, ID_About);
    {
        std::vector<uint8_t> b = about;
        PutU16(b, 8, ResDialogTemplate::MaxItems + 1);  // more items than the record holds
        EXPECT_FALSE(ParseDialog(b));
    }
    {
        std::vector<uint8_t> b = about;
        PutU16(b, 8, 5);  // one item more than there is
        EXPECT_FALSE(ParseDialog(b));
    }
    {
        // The caption runs to the end without its terminator.
        std::vector<uint8_t> b(about.begin(), about.begin() + 22);
        for (int i = 0; i < 40; ++i) {
            b.push_back('A');
            b.push_back(0);
        }
        EXPECT_FALSE(ParseDialog(b));
    }
    {
        std::vector<uint8_t> b = about;
        b[0] = 2;  // an extended template of an unknown version
        b[1] = 0;
        b[2] = 0xFF;
        b[3] = 0xFF;
        EXPECT_FALSE(ParseDialog(b));
    }
}

// An extended template with one item, byte for byte.
struct ExBuilder {
    std::vector<uint8_t> b;
    void U16(uint16_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Str(const char16_t* s) {
        for (; *s != 0; ++s) {
            U16(*s);
        }
        U16(0);
    }
    void Align() {
        while (b.size() % 4 != 0) {
            b.push_back(0);
        }
    }
};

TEST(DialogTemplate, ExtendedTemplateWithItsFontAndAnItem) {
    ExBuilder x;
    x.U16(1);
    x.U16(0xFFFF);
    x.U32(0);           // help id
    x.U32(0x00000100);  // extended style
    x.U32(WsVisible | WsCaption | DsSetFont);
    x.U16(1);  // items
    x.U16(10), x.U16(20), x.U16(100), x.U16(50);
    x.U16(0);  // no menu
    x.U16(0);  // the dialog class
    x.Str(u"Ex");
    x.U16(8);            // point size
    x.U16(700);          // weight
    x.b.push_back(1);    // italic
    x.b.push_back(128);  // charset
    x.Str(u"Face");
    x.Align();
    x.U32(0);  // help id
    x.U32(0);  // extended style
    x.U32(WsVisible);
    x.U16(1), x.U16(2), x.U16(30), x.U16(12);
    x.U32(70000);  // a 32-bit id
    x.Str(u"MyClass");
    x.U16(0xFFFF), x.U16(101);  // the text as an ordinal (an icon)
    x.U16(2);                   // two bytes of creation data
    x.U16(0xABCD);

    ResDialogTemplate t;
    ASSERT_TRUE(ParseDialogTemplate(x.b.data(), x.b.size(), &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.exStyle, 0x100u);
    EXPECT_STREQ(t.caption, "Ex");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.fontWeight, 700);
    EXPECT_EQ(t.italic, 1);
    EXPECT_EQ(t.charSet, 128);
    EXPECT_STREQ(t.fontFace, "Face");
    ASSERT_EQ(t.itemCount, 1);
    EXPECT_EQ(t.items[0].id, 70000u);
    EXPECT_EQ(t.items[0].classOrdinal, 0);
    EXPECT_STREQ(t.items[0].className, "MyClass");
    EXPECT_TRUE(t.items[0].textIsOrdinal);
    EXPECT_EQ(t.items[0].textOrdinal, 101);
    // Creation data that claims more bytes than there are.
    std::vector<uint8_t> b = x.b;
    PutU16(b, b.size() - 4, 3);
    EXPECT_FALSE(ParseDialog(b));
}

// A classic menu, built entry by entry.
struct MenuBuilder {
    ExBuilder x;
    MenuBuilder() {
        x.U16(0);
        x.U16(0);
    }
    void Popup(const char16_t* text, bool last) {
        x.U16(static_cast<uint16_t>(MfPopup | (last ? MfEnd : 0)));
        x.Str(text);
    }
    void Item(uint16_t id, const char16_t* text, bool last) {
        x.U16(last ? MfEnd : 0);
        x.U16(id);
        x.Str(text);
    }
};

TEST(Malformed, MenuLimitsOnDepthEntriesAndHeader) {
    {
        MenuBuilder m;  // nested exactly as deep as the record allows
        for (int d = 0; d + 1 < ResMenu::MaxDepth; ++d) {
            m.Popup(u"P", true);
        }
        m.Item(1, u"I", true);
        EXPECT_TRUE(ParseMenuBytes(m.x.b));
    }
    {
        MenuBuilder m;  // one level deeper
        for (int d = 0; d < ResMenu::MaxDepth; ++d) {
            m.Popup(u"P", true);
        }
        m.Item(1, u"I", true);
        EXPECT_FALSE(ParseMenuBytes(m.x.b));
    }
    for (int entries : {ResMenu::MaxEntries, ResMenu::MaxEntries + 1}) {
        MenuBuilder m;
        for (int i = 0; i < entries; ++i) {
            m.Item(static_cast<uint16_t>(i + 1), u"x", i + 1 == entries);
        }
        EXPECT_EQ(ParseMenuBytes(m.x.b), entries <= ResMenu::MaxEntries) << entries;
    }
    {
        MenuBuilder m;  // no entry carries the end mark
        m.Item(1, u"a", false);
        m.Item(2, u"b", false);
        EXPECT_FALSE(ParseMenuBytes(m.x.b));
    }
    {
        MenuBuilder m;  // MENUEX header
        m.Item(1, u"a", true);
        PutU16(m.x.b, 0, 1);
        EXPECT_FALSE(ParseMenuBytes(m.x.b));
    }
    {
        MenuBuilder m;  // a header size past the end
        m.Item(1, u"a", true);
        PutU16(m.x.b, 2, 0x4000);
        EXPECT_FALSE(ParseMenuBytes(m.x.b));
    }
}

TEST(Malformed, AcceleratorTableWithoutItsLastMarkOrTooLong) {
    std::vector<uint8_t> table = Copy(RtAccelerator, ID_Form1_menu_1);
    const size_t entries = table.size() / 8;
    std::vector<uint8_t> unmarked = table;
    PutU16(unmarked, (entries - 1) * 8, FVirtKey | FControl);
    EXPECT_FALSE(ParseAccelerators(unmarked));

    ExBuilder x;
    for (int i = 0; i <= ResAcceleratorTable::MaxEntries; ++i) {
        x.U16(i == ResAcceleratorTable::MaxEntries ? AccelLast : 0);
        x.U16('A');
        x.U16(static_cast<uint16_t>(i));
        x.U16(0);
    }
    EXPECT_FALSE(ParseAccelerators(x.b));
    x.b.resize(ResAcceleratorTable::MaxEntries * 8);
    PutU16(x.b, (ResAcceleratorTable::MaxEntries - 1) * 8, AccelLast);
    EXPECT_TRUE(ParseAccelerators(x.b));
}

TEST(Malformed, IconGroupHeaderAndCount) {
    const std::vector<uint8_t> group = Copy(RtGroupIcon, ID_Icon_Window);
    struct Case {
        size_t at;
        uint16_t value;
    };
    const Case cases[] = {
        {0, 1},                             // reserved not 0
        {2, 2},                             // a cursor group
        {4, 0},                             // no icon
        {4, 3},                             // more entries than the bytes hold
        {4, ResIconGroup::MaxEntries + 1},  // more than the record holds
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = group;
        PutU16(b, c.at, c.value);
        EXPECT_FALSE(ParseGroup(b)) << "offset " << c.at << " value " << c.value;
    }
}

}  // namespace
