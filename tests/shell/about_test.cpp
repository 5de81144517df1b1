// The About box: built afresh from its template at every showing, dismissed by every route,
// with the game going on behind it in the disabled main window.
#include <cstring>

#include "res/resource_ids.h"
#include "tests/shell/shell_support.h"

namespace {

class AboutTest : public MainWindowTest {
  protected:
    // Shows the box; the steps run inside its modal loop, one per idle call.
    void ShowAbout(std::vector<std::function<void()>> steps) {
        script = Script{std::move(steps)};
        headless::SetIdle([this] { return script(); });
        ASSERT_TRUE(headless::ClickMenuItem(ID_AboutItem));
        headless::SetIdle(nullptr);
        EXPECT_EQ(script.next, script.steps.size()) << "the box ended before its steps";
    }
    Script script;
};

TEST_F(AboutTest, BoxIsMadeFromItsTemplateOverTheDisabledMainWindow) {
    About* box = window->aboutBox;
    ShowAbout({[&] {
        ASSERT_EQ(headless::ActiveModalDialog(), box);
        EXPECT_EQ(headless::ActiveWindow(), box);
        EXPECT_FALSE(window->Enabled());
        const headless::WindowInfo info = headless::Describe(*box);
        EXPECT_TRUE(info.visible);
        EXPECT_EQ(info.templateId, uint32_t{ID_About});
        EXPECT_EQ(info.caption, "About The Vantorel -KESTRAVO edition-");
        EXPECT_EQ(info.name, "About");
        EXPECT_EQ(info.font, "9.ＭＳ ゴシック.CharSet=128");
        EXPECT_EQ(info.owner, window);
        ASSERT_NE(info.icon, nullptr);
        EXPECT_TRUE(info.icon->Loaded());
        // Centred over the main window's client area.
        const WRect centred = WCentreRect(info.outer, headless::Describe(*window).clientOnScreen,
                                          headless::WorkAreaRect);
        EXPECT_EQ(info.outer, centred);

        struct Expected {
            WControl* control;
            uint32_t id;
            const char* name;
        };
        const Expected controls[] = {
            {box->cb_OK, ID_About_cb_OK, "cb_OK"},
            {box->pictb_Product, ID_About_pictb_Product, "pictb_Product"},
            {box->label_Copyright, ID_About_label_Copyright, "label_Copyright"},
            {box->label_ProductName, ID_About_label_ProductName, "label_ProductName"}};
        ASSERT_EQ(info.items.size(), 4u);
        for (const Expected& e : controls) {
            ASSERT_NE(e.control, nullptr) << e.name;
            EXPECT_TRUE(e.control->Exists()) << e.name;
            EXPECT_EQ(e.control->ItemId(), e.id);
            EXPECT_STREQ(e.control->Name(), e.name);
            const ResDialogItem* item = headless::WindowTemplate(*box)->FindItem(e.id);
            ASSERT_NE(item, nullptr);
            EXPECT_STREQ(e.control->Text(), item->text);  // the texts come from the template
            for (const headless::ItemInfo& i : info.items) {
                if (i.id == e.id) {
                    EXPECT_EQ(i.control, e.control) << e.name;
                }
            }
        }
        EXPECT_STREQ(box->cb_OK->Text(), "OK");
        EXPECT_STREQ(box->label_ProductName->Text(), "VANTOREL_KV.EXE (ver 0.63)");
        EXPECT_GT(std::strlen(box->label_Copyright->Text()), 0u);
        EXPECT_EQ(info.defaultButton, box->cb_OK);
        EXPECT_EQ(info.cancelButton, box->cb_OK);
        EXPECT_FALSE(headless::ButtonPushed(*box->cb_OK));
        ASSERT_NE(headless::PictureIcon(*box->pictb_Product), nullptr);
        EXPECT_TRUE(headless::PictureIcon(*box->pictb_Product)->Loaded());
        EXPECT_TRUE(box->cb_OK->HasHandler(WEventId::Click));
        EXPECT_TRUE(headless::ClickButton(ID_About_cb_OK));
    }});
    EXPECT_FALSE(box->Exists());
    EXPECT_EQ(box->Result(), 1);
    EXPECT_EQ(box->cb_OK, nullptr);
    EXPECT_EQ(box->pictb_Product, nullptr);
    EXPECT_EQ(box->label_Copyright, nullptr);
    EXPECT_EQ(box->label_ProductName, nullptr);
    EXPECT_TRUE(window->Enabled());
    EXPECT_EQ(headless::ActiveWindow(), window);
    EXPECT_EQ(headless::ModalDepth(), 0);
    EXPECT_EQ(window->aboutBox, box);  // the object stays for the next showing
}

TEST_F(AboutTest, EveryRouteEndsTheBoxTheSameWayWithItsResult) {
    struct Route {
        const char* name;
        std::function<bool()> act;
        int32_t result;
    };
    const Route routes[] = {
        {"OK clicked", [] { return headless::ClickButton(ID_About_cb_OK); }, 1},
        {"Enter", [] { return headless::KeyDown(headless::VkReturn); }, 1},
        {"Esc", [] { return headless::KeyDown(headless::VkEscape); }, 1},
        {"close box / Alt+F4", [] { return headless::RequestCloseActive(); }, 0},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        ShowAbout({[&] { EXPECT_TRUE(route.act()); }});
        EXPECT_FALSE(window->aboutBox->Exists());
        EXPECT_EQ(window->aboutBox->Result(), route.result);
        EXPECT_TRUE(window->Enabled());
        EXPECT_TRUE(window->Exists());  // only the box closed
        EXPECT_FALSE(headless::QuitPending());
    }
}

TEST_F(AboutTest, EachShowingBuildsItsControlsAfresh) {
    struct Probe {
        int calls = 0;
        bool Handle(WObject*, WEventData*) {
            ++calls;
            return false;
        }
    } probe;
    About* box = window->aboutBox;
    ShowAbout({[&] {
        // Leave marks on the first showing's button.
        box->cb_OK->SetName("used");
        box->cb_OK->SetPushed(true);
        box->cb_OK->Bind(WEventId::Click, WHandler<&Probe::Handle>(&probe));
        EXPECT_TRUE(headless::ClickButton(ID_About_cb_OK));
    }});
    EXPECT_EQ(probe.calls, 1);
    ShowAbout({[&] {
        ASSERT_NE(box->cb_OK, nullptr);
        EXPECT_STREQ(box->cb_OK->Name(), "cb_OK");
        EXPECT_FALSE(headless::ButtonPushed(*box->cb_OK));
        EXPECT_STREQ(box->label_ProductName->Text(), "VANTOREL_KV.EXE (ver 0.63)");
        EXPECT_TRUE(headless::ClickButton(ID_About_cb_OK));
    }});
    EXPECT_EQ(probe.calls, 1);  // nothing of the first showing remains
}

TEST_F(AboutTest, GameGoesOnBehindTheBoxWhileTheMainWindowTakesNoInput) {
    ASSERT_TRUE(headless::ClickMenuItem(ID_Easy));
    Ticks(3);
    ASSERT_TRUE(headless::KeyDown('D'));  // held when the box opens
    const uint64_t blitsBefore = headless::Describe(*window).blits;
    GameState before{};
    ShowAbout({
        [&] {
            before = window->game.state;
            for (int i = 0; i < 40; ++i) {
                EXPECT_EQ(headless::Tick(), 1);  // the box's loop delivers the ticks too
            }
            EXPECT_NE(std::memcmp(&before, &window->game.state, sizeof before), 0);
            EXPECT_GT(headless::Describe(*window).blits, blitsBefore);
        },
        [&] {
            before = window->game.state;
            // Keys, menu clicks and accelerators all reach the box, not the game.
            EXPECT_TRUE(headless::KeyDown('A'));
            EXPECT_TRUE(headless::KeyUp('D'));
            EXPECT_FALSE(headless::ClickMenuItem(ID_Hard));
            EXPECT_TRUE(headless::PressAccelerator('H'));
            EXPECT_EQ(std::memcmp(&before, &window->game.state, sizeof before), 0);
            EXPECT_EQ(window->game.state.keyRight, 1);
            EXPECT_EQ(window->game.state.keyLeft, 0);
            EXPECT_TRUE(headless::KeyDown(headless::VkReturn));
        },
    });
    EXPECT_EQ(window->game.state.keyRight, 1);  // still held for the game
    EXPECT_TRUE(window->stepTimer->Running());
    ASSERT_TRUE(headless::KeyUp('D'));
    EXPECT_EQ(window->game.state.keyRight, 0);
}

TEST_F(AboutTest, ABoxThatCannotBeMadeShowsNothingAndEnablesTheWindowAgain) {
    About other;
    EXPECT_FALSE(other.WDialog::RunModal(window, 4242));
    EXPECT_FALSE(other.Exists());
    EXPECT_TRUE(window->Enabled());
    EXPECT_EQ(headless::ModalDepth(), 0);
    // The same when the system refuses the window.
    headless::FailNextWindowCreation();
    EXPECT_FALSE(window->aboutBox->RunModal(window));
    EXPECT_TRUE(window->Enabled());
    EXPECT_EQ(window->aboutBox->cb_OK, nullptr);
}

}  // namespace
