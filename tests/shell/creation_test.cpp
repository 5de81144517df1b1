// The main window as its creation leaves it: placed, sized, named, with its menu, bindings,
// timer, canvas and sheets, and a fresh game drawn.
#include <cstring>
#include <vector>

#include "engine/game.h"
#include "res/resource_ids.h"
#include "shell/platform/soft/soft_surface.h"
#include "tests/shell/shell_support.h"
#include "view/scene_view.h"

namespace {

using CreationTest = MainWindowTest;

TEST_F(CreationTest, WindowIsPlacedSizedAndNamedFromItsTemplate) {
    EXPECT_EQ(mainWindow, window);
    const headless::WindowInfo info = headless::Describe(*window);
    EXPECT_TRUE(info.exists);
    EXPECT_TRUE(info.visible);
    EXPECT_TRUE(info.enabled);
    EXPECT_EQ(info.templateId, uint32_t{ID_Form1});
    EXPECT_EQ(info.caption, "The Vantorel  -KESTRAVO edition-");  // the name never shows
    EXPECT_EQ(info.name, "Form1");
    EXPECT_EQ(info.font, "9.ＭＳ Ｐゴシック.CharSet=128");
    ASSERT_NE(info.icon, nullptr);
    EXPECT_TRUE(info.icon->Loaded());
    EXPECT_EQ(info.owner, nullptr);
    // The client area is exactly the background's size, whatever the frame takes.
    EXPECT_EQ(window->GetClientRect(), (WRect{0, 0, 480, 336}));
    EXPECT_EQ(info.clientOnScreen.width, 480);
    EXPECT_EQ(info.clientOnScreen.height, 336);
    const int32_t frameWidth = 2 * headless::FrameBorder;
    const int32_t frameHeight =
        2 * headless::FrameBorder + headless::CaptionHeight + headless::MenuBarHeight;
    EXPECT_EQ(info.outer.width, 480 + frameWidth);
    EXPECT_EQ(info.outer.height, 336 + frameHeight);
    // Centred over the work area at the template's size (220 x 245 dialog units: a 330 x 368
    // client area without a menu yet), then resized with the top-left corner kept.
    const WRect atTemplateSize{0, 0, 330 + frameWidth, 368 + frameHeight - headless::MenuBarHeight};
    const WRect centred =
        WCentreRect(atTemplateSize, headless::WorkAreaRect, headless::WorkAreaRect);
    EXPECT_EQ(info.outer.x, centred.x);
    EXPECT_EQ(info.outer.y, centred.y);
    EXPECT_EQ(info.outer.x, 344);
    EXPECT_EQ(info.outer.y, 166);
}

TEST_F(CreationTest, MenuBarItemsAndAcceleratorsAreFoundAndAttached) {
    ASSERT_NE(window->menuBar, nullptr);
    EXPECT_EQ(window->MenuBar(), window->menuBar);
    EXPECT_EQ(window->gamePopup, window->menuBar->PopupAt(0));
    EXPECT_EQ(window->startPopup, window->gamePopup->PopupAt(0));
    EXPECT_EQ(window->helpPopup, window->menuBar->PopupAt(1));
    struct Item {
        WMenuItem* item;
        uint32_t id;
        const char* text;
    };
    const Item items[] = {{window->easyItem, ID_Easy, "&Easy"},
                          {window->hardItem, ID_Hard, "&Hard"},
                          {window->exitItem, ID_Exit, "E&xit"},
                          {window->aboutItem, ID_AboutItem, "&About..."}};
    for (const Item& i : items) {
        ASSERT_NE(i.item, nullptr) << i.text;
        EXPECT_EQ(i.item->CommandId(), i.id);
        EXPECT_STREQ(i.item->Text(), i.text);
        EXPECT_TRUE(i.item->HasHandler(WEventId::Click)) << i.text;
    }
    EXPECT_EQ(window->startPopup->FindItem(ID_Easy), window->easyItem);
    EXPECT_EQ(window->helpPopup->FindItem(ID_AboutItem), window->aboutItem);
    EXPECT_EQ(window->menuBar->Accelerators().Count(), 3);
}

TEST_F(CreationTest, EveryEventIsBoundAndTheTimerWaits) {
    for (WEventId event : {WEventId::Create, WEventId::Close, WEventId::Destroy, WEventId::KeyDown,
                           WEventId::KeyUp, WEventId::Paint}) {
        EXPECT_TRUE(window->HasHandler(event)) << static_cast<int>(event);
    }
    EXPECT_FALSE(window->HasHandler(WEventId::Click));
    ASSERT_NE(window->stepTimer, nullptr);
    EXPECT_TRUE(window->stepTimer->HasHandler(WEventId::Timer));
    EXPECT_FALSE(window->stepTimer->Running());
    EXPECT_EQ(headless::Tick(), 0);
    ASSERT_NE(window->aboutBox, nullptr);
    EXPECT_FALSE(window->aboutBox->Exists());  // only the object: its window comes per showing
    ASSERT_NE(window->canvas, nullptr);
    EXPECT_EQ(window->view.Canvas(), window->canvas);
}

TEST_F(CreationTest, SheetsAreLoadedAndAFreshGameWaits) {
    for (const WBitmap* sheet :
         {&window->glyphBitmap, &window->tileBitmap, &window->backgroundBitmap, &window->panBitmap,
          &window->bannerBitmap}) {
        EXPECT_TRUE(sheet->Loaded());
    }
    EXPECT_EQ(window->backgroundBitmap.Width(), 480);
    EXPECT_EQ(window->backgroundBitmap.Height(), 336);

    // The same game as the rules make alone with the same calendar second.
    struct NoDrawing final : GameDrawing {
        void DrawFallingPiece(uint8_t, uint8_t, uint8_t) override {}
        void DrawBoard() override {}
        void DrawPreviews() override {}
        void DrawReadouts() override {}
        void DrawBanner(uint8_t) override {}
    } drawing;
    struct Clock final : GameClock {
        uint32_t CalendarSeconds() override { return 1234; }
    } clock;
    struct Timer final : GameTimer {
        void StartStepTimer() override {}
        void StopStepTimer() override {}
    } timer;
    Game alone(drawing, clock, timer);
    alone.WriteDefaultSettings();
    alone.NewGame();
    const GameState& s = window->game.state;
    EXPECT_EQ(std::memcmp(s.board, alone.state.board, sizeof s.board), 0);
    EXPECT_EQ(std::memcmp(s.pieceQueue, alone.state.pieceQueue, sizeof s.pieceQueue), 0);
    EXPECT_EQ(s.phase, PhaseFall);
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.score, 0u);
    EXPECT_EQ(s.settings.dropInterval, DefaultGameSettings.dropInterval);
    EXPECT_EQ(s.defaultSettings.previewCount, DefaultGameSettings.previewCount);
    // NewGame drew the read-outs, previews and score through the canvas.
    EXPECT_GT(headless::Describe(*window).blits, 0u);
}

TEST_F(CreationTest, PaintDrawsTheWholeSceneThroughTheWindowCanvas) {
    ASSERT_TRUE(headless::Paint());
    const SoftSurface* frame = headless::Frame(*window);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->width, 480);
    ASSERT_EQ(frame->height, 336);
    // The same scene drawn by the view alone onto a surface of its own.
    std::vector<uint8_t> pixels(480 * 336 * 3, 0x55);
    SoftSurface own{480, 336, pixels.data()};
    SoftCanvas canvas(own);
    GameState copy = window->game.state;
    SceneView view(copy,
                   SceneSheets{&window->glyphBitmap, &window->tileBitmap, &window->backgroundBitmap,
                               &window->panBitmap, &window->bannerBitmap},
                   &canvas);
    view.OnPaint(WRect{0, 0, 480, 336});
    EXPECT_EQ(std::memcmp(frame->rgb, pixels.data(), pixels.size()), 0);
    // A paint leaves every redraw flag clear.
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(window->game.state.columnDirty[c], 0) << c;
    }
}

}  // namespace
