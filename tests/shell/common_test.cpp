// The common platform code: bindings and raising, the centring rule, the menu tree and the
// accelerator table loaded from the program's resources.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "shell/platform/w_events.h"
#include "shell/platform/w_geometry.h"
#include "shell/platform/w_menu.h"

namespace {

// Handlers that log their calls and answer as told; one may also unbind or bind another.
struct Receiver {
    std::vector<std::string>* log = nullptr;
    std::string name;
    bool answer = false;
    std::function<void()> sideEffect;

    bool Handle(WObject* /*source*/, WEventData* /*data*/) {
        log->push_back(name);
        if (sideEffect) {
            sideEffect();
        }
        return answer;
    }
};

TEST(Bindings, LastBoundRunsFirstAndTheFirstTrueStopsTheRest) {
    struct Case {
        std::vector<bool> answers;  // in binding order
        std::vector<std::string> calls;
        bool handled;
    };
    const Case cases[] = {
        {{false, false, false}, {"h2", "h1", "h0"}, false},
        {{false, true, false}, {"h2", "h1"}, true},
        {{true, false, false}, {"h2", "h1", "h0"}, true},
        {{false, false, true}, {"h2"}, true},
        {{}, {}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        std::vector<Receiver> receivers(c.answers.size());
        WObject object;
        for (size_t i = 0; i < receivers.size(); ++i) {
            receivers[i] = Receiver{&log, "h" + std::to_string(i), c.answers[i], {}};
            ASSERT_TRUE(object.Bind(WEventId::Click, WHandler<&Receiver::Handle>(&receivers[i])));
        }
        WEventData data;
        EXPECT_EQ(object.Raise(WEventId::Click, &data), c.handled);
        EXPECT_EQ(log, c.calls);
        // Another event of the same object calls none of them.
        log.clear();
        EXPECT_FALSE(object.Raise(WEventId::Timer, &data));
        EXPECT_TRUE(log.empty());
    }
}

TEST(Bindings, ChangesDuringARaise) {
    std::vector<std::string> log;
    WObject object;
    Receiver a{&log, "a", false, {}}, b{&log, "b", false, {}}, c{&log, "c", false, {}};
    Receiver late{&log, "late", false, {}};
    object.Bind(WEventId::Click, WHandler<&Receiver::Handle>(&a));
    object.Bind(WEventId::Click, WHandler<&Receiver::Handle>(&b));
    object.Bind(WEventId::Click, WHandler<&Receiver::Handle>(&c));
    // c runs first, unbinds a (not called in this raise) and binds late (waits for the next).
    c.sideEffect = [&] {
        object.Unbind(WEventId::Click, WHandler<&Receiver::Handle>(&a));
        object.Bind(WEventId::Click, WHandler<&Receiver::Handle>(&late));
    };
    WEventData data;
    object.Raise(WEventId::Click, &data);
    EXPECT_EQ(log, (std::vector<std::string>{"c", "b"}));
    log.clear();
    c.sideEffect = nullptr;
    object.Raise(WEventId::Click, &data);
    EXPECT_EQ(log, (std::vector<std::string>{"late", "c", "b"}));
}

TEST(Bindings, DuplicatesUnbindTheNewestAndTheTableIsFixed) {
    std::vector<std::string> log;
    WObject object;
    Receiver a{&log, "a", false, {}}, b{&log, "b", false, {}};
    const WEventHandler ha = WHandler<&Receiver::Handle>(&a);
    const WEventHandler hb = WHandler<&Receiver::Handle>(&b);
    object.Bind(WEventId::Click, ha);
    object.Bind(WEventId::Click, hb);
    object.Bind(WEventId::Click, ha);
    // Unbinding a removes its newest binding: the older one still runs after b.
    EXPECT_TRUE(object.Unbind(WEventId::Click, ha));
    WEventData data;
    object.Raise(WEventId::Click, &data);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
    EXPECT_FALSE(object.Unbind(WEventId::KeyDown, ha));  // not bound to that event
    EXPECT_TRUE(object.HasHandler(WEventId::Click));
    EXPECT_FALSE(object.HasHandler(WEventId::KeyDown));

    WObject full;
    for (int i = 0; i < WObject::MaxBindings; ++i) {
        EXPECT_TRUE(full.Bind(WEventId::Paint, ha));
    }
    EXPECT_FALSE(full.Bind(WEventId::Paint, hb));
    EXPECT_TRUE(full.Unbind(WEventId::Paint, ha));
    EXPECT_TRUE(full.Bind(WEventId::Paint, hb));
}

TEST(Bindings, NamesAreKeptAndCut) {
    WObject object;
    EXPECT_STREQ(object.Name(), "");
    object.SetName("Form1");
    EXPECT_STREQ(object.Name(), "Form1");
    object.SetName(std::string(100, 'n').c_str());
    EXPECT_EQ(std::string(object.Name()), std::string(31, 'n'));
    object.SetName(nullptr);
    EXPECT_STREQ(object.Name(), "");
}

TEST(Centring, OverAnAreaThenPulledInsideTheWorkArea) {
    const WRect work{0, 0, 1024, 728};
    struct Case {
        WRect window, area;
        int32_t x, y;
    };
    const Case cases[] = {
        {{5, 5, 336, 396}, work, 344, 166},                  // over the desktop
        {{0, 0, 100, 50}, {200, 100, 480, 336}, 390, 243},   // over a parent's client area
        {{0, 0, 101, 51}, {200, 100, 480, 336}, 389, 242},   // odd sizes round toward zero
        {{0, 0, 300, 200}, {900, 650, 480, 336}, 724, 528},  // pulled back left and up
        {{0, 0, 2000, 1000}, work, 0, 0},                    // wider than the screen: 0, 0
        {{0, 0, 100, 100}, {-300, -300, 100, 100}, 0, 0},    // off the top-left: 0, 0
    };
    for (const Case& c : cases) {
        const WRect placed = WCentreRect(c.window, c.area, work);
        EXPECT_EQ(placed, (WRect{c.x, c.y, c.window.width, c.window.height}))
            << c.area.x << "," << c.area.y;
    }
}

// Every canvas works a blit's rectangles out the same way: sizes of 0 are the bitmap's own and,
// without stretch, the source is cut to the bitmap with the destination moving along.
TEST(BlitPlan, ResolvesSizesAndCutsTheSourceToTheBitmap) {
    struct Case {
        WRect destination;
        WRect source;
        bool stretch;
        WBlitPlan plan;
        WBlitRects rects;  // compared when the plan is Draw
    };
    const Case cases[] = {
        // the background: source all zeros, destination the client rectangle
        {{0, 0, 480, 336}, {}, false, WBlitPlan::Draw, {0, 0, 40, 256, 0, 0, 40, 256}},
        // a tile: the source size is not used, the destination's is
        {{120, 224, 40, 16},
         {0, 32, 7, 7},
         false,
         WBlitPlan::Draw,
         {120, 224, 40, 16, 0, 32, 40, 16}},
        // a source reaching left of the bitmap: the destination moves right by as much
        {{120, 106, 20, 23},
         {-5, 0, 20, 23},
         false,
         WBlitPlan::Draw,
         {125, 106, 15, 23, 0, 0, 15, 23}},
        // a source reaching below the bitmap is cut
        {{0, 0, 40, 16}, {0, 250, 40, 16}, false, WBlitPlan::Draw, {0, 0, 40, 6, 0, 250, 40, 6}},
        // wholly left of the bitmap (banner steps 15 to 12): nothing to draw
        {{40, 106, 20, 23}, {-80, 0, 20, 23}, false, WBlitPlan::Empty, {}},
        // wholly right of the bitmap (a pan frame beyond the sheet)
        {{120, 224, 80, 64}, {400, 0, 80, 64}, false, WBlitPlan::Empty, {}},
        // negative sizes fail
        {{0, 0, -1, 16}, {}, false, WBlitPlan::Invalid, {}},
        {{0, 0, 40, 16}, {0, 0, -2, 16}, true, WBlitPlan::Invalid, {}},
        // stretch keeps both rectangles as given (sizes of 0 still the bitmap's own)
        {{10, 20, 80, 32}, {0, 0, 0, 16}, true, WBlitPlan::Draw, {10, 20, 80, 32, 0, 0, 40, 16}},
        {{10, 20, 0, 0}, {0, 0, 40, 0}, true, WBlitPlan::Draw, {10, 20, 40, 256, 0, 0, 40, 256}},
    };
    for (const Case& c : cases) {
        WBlitRects r{};
        const WBlitPlan plan = WPlanBlit(c.destination, c.source, 40, 256, c.stretch, &r);
        EXPECT_EQ(plan, c.plan) << c.destination.x << "," << c.source.x;
        if (plan == WBlitPlan::Draw && c.plan == WBlitPlan::Draw) {
            const int64_t got[] = {r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh};
            const int64_t want[] = {c.rects.dx, c.rects.dy, c.rects.dw, c.rects.dh,
                                    c.rects.sx, c.rects.sy, c.rects.sw, c.rects.sh};
            for (int i = 0; i < 8; ++i) {
                EXPECT_EQ(got[i], want[i])
                    << "field " << i << " of " << c.destination.x << "," << c.source.x;
            }
        }
    }
}

TEST(Menu, LoadsTheTreeAndTheAcceleratorsOfTheSameId) {
    WMenu menu;
    ASSERT_TRUE(menu.Load(ID_Form1_menu_1));
    ASSERT_EQ(menu.Count(), 2);
    WPopupMenu* game = menu.PopupAt(0);
    WPopupMenu* help = menu.PopupAt(1);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(menu.PopupAt(2), nullptr);
    EXPECT_EQ(menu.PopupAt(-1), nullptr);
    EXPECT_STREQ(game->Text(), "&Game");
    EXPECT_STREQ(help->Text(), "&Help");
    ASSERT_EQ(game->Count(), 3);
    WPopupMenu* start = game->PopupAt(0);
    ASSERT_NE(start, nullptr);
    EXPECT_STREQ(start->Text(), "&Start");
    EXPECT_EQ(game->EntryAt(1).popup, nullptr);  // the separator
    EXPECT_EQ(game->EntryAt(1).item, nullptr);
    ASSERT_NE(game->EntryAt(2).item, nullptr);
    EXPECT_STREQ(game->EntryAt(2).item->Text(), "E&xit");

    struct Item {
        uint32_t id;
        const char* text;
        WPopupMenu* parent;
    };
    const Item items[] = {{ID_Easy, "&Easy", start},
                          {ID_Hard, "&Hard", start},
                          {ID_Exit, "E&xit", game},
                          {ID_AboutItem, "&About...", help}};
    for (const Item& i : items) {
        WMenuItem* found = menu.FindItem(i.id);
        ASSERT_NE(found, nullptr) << i.id;
        EXPECT_STREQ(found->Text(), i.text);
        EXPECT_EQ(found->CommandId(), i.id);
        EXPECT_EQ(i.parent->FindItem(i.id), found);  // found in its own popup too
    }
    EXPECT_EQ(menu.FindItem(1004), nullptr);
    EXPECT_EQ(help->FindItem(ID_Easy), nullptr);

    const WAcceleratorTable& keys = menu.Accelerators();
    EXPECT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys.Find('E', true, false, false), ID_Easy);
    EXPECT_EQ(keys.Find('H', true, false, false), ID_Hard);
    EXPECT_EQ(keys.Find('X', true, false, false), ID_Exit);
    EXPECT_EQ(keys.Find('E', false, false, false), 0u);  // the plain key is no accelerator
    EXPECT_EQ(keys.Find('E', true, true, false), 0u);
    EXPECT_EQ(keys.Find('E', true, false, true), 0u);
    EXPECT_EQ(keys.Find('A', true, false, false), 0u);
}

TEST(Menu, ChooseRaisesTheClickOfThatItemOnly) {
    WMenu menu;
    ASSERT_TRUE(menu.Load(ID_Form1_menu_1));
    std::vector<std::string> log;
    Receiver easy{&log, "easy", false, {}}, exit{&log, "exit", false, {}};
    menu.FindItem(ID_Easy)->Bind(WEventId::Click, WHandler<&Receiver::Handle>(&easy));
    menu.FindItem(ID_Exit)->Bind(WEventId::Click, WHandler<&Receiver::Handle>(&exit));
    EXPECT_TRUE(menu.Choose(ID_Exit));
    EXPECT_TRUE(menu.Choose(ID_Hard));  // an item without handlers
    EXPECT_TRUE(menu.Choose(ID_Easy));
    EXPECT_FALSE(menu.Choose(4242));
    EXPECT_EQ(log, (std::vector<std::string>{"exit", "easy"}));
}

TEST(Menu, MissingResourcesLeaveEmptyMenusAndTables) {
    WMenu menu;
    EXPECT_FALSE(menu.Load(4242));
    EXPECT_EQ(menu.Count(), 0);
    EXPECT_EQ(menu.PopupAt(0), nullptr);
    EXPECT_EQ(menu.FindItem(ID_Easy), nullptr);
    EXPECT_FALSE(menu.Choose(ID_Easy));
    EXPECT_EQ(menu.Accelerators().Count(), 0);
    // Loading again replaces the tree.
    ASSERT_TRUE(menu.Load(ID_Form1_menu_1));
    ASSERT_TRUE(menu.Load(ID_Form1_menu_1));
    EXPECT_EQ(menu.Count(), 2);
    EXPECT_EQ(menu.Accelerators().Count(), 3);

    WAcceleratorTable table;
    EXPECT_FALSE(table.Load(ID_About));  // a dialog id: no accelerator table there
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Find('E', true, false, false), 0u);
}

}  // namespace
