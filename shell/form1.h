// The main window: owns the whole game (the rules, the drawing, the canvas and the sheets),
// the menu bar with its accelerators, the About box object and the 50 ms step timer.
#pragma once

#include <cstdint>

#include "engine/game.h"
#include "shell/about.h"
#include "shell/platform/w_events.h"
#include "shell/platform/w_graphics.h"
#include "shell/platform/w_menu.h"
#include "shell/platform/w_timer.h"
#include "shell/platform/w_window.h"
#include "view/scene_view.h"

// The designed parts of the main window: menu bar, popups and items, About box and timer, and
// the binding of the window's create, close and destroy events.
class __Form1_Base : public WModelessDialog {
  public:
    __Form1_Base();
    ~__Form1_Base() override;

    // Makes the window from template ID_Form1 with the given parent (none for the main window).
    // Answers whether a complete window came into being.
    bool Create(WWindow* parent);

    bool OnCreate(WObject* source, WEventData* data);
    bool OnClose(WObject* source, WEventData* data);
    bool OnDestroy(WObject* source, WEventData* data);

    // The four menu commands.
    virtual bool OnEasy(WObject* source, WEventData* data) = 0;
    virtual bool OnHard(WObject* source, WEventData* data) = 0;
    bool OnExit(WObject* source, WEventData* data);
    bool OnAbout(WObject* source, WEventData* data);

    WMenu* menuBar = nullptr;
    WPopupMenu* gamePopup = nullptr;
    WPopupMenu* startPopup = nullptr;
    WMenuItem* easyItem = nullptr;
    WMenuItem* hardItem = nullptr;
    WMenuItem* exitItem = nullptr;
    WPopupMenu* helpPopup = nullptr;
    WMenuItem* aboutItem = nullptr;
    About* aboutBox = nullptr;
    WTimer* stepTimer = nullptr;

  protected:
    // The final window's part of the creation and of the teardown.
    virtual bool SetUpWindow() { return false; }
    virtual void BindRuntimeEvents(bool /*bind*/) {}
    virtual void ReleaseCanvas() {}
    // Set by the creation when a part the window relies on could not be allocated.
    bool partMissing_ = false;

  private:
    WIcon windowIcon_;
    WFont windowFont_;
};

class Form1 : public __Form1_Base, private GameClock, private GameTimer {
  public:
    Form1();
    ~Form1() override;

    bool SetUpWindow() override;
    void BindRuntimeEvents(bool bind) override;
    void ReleaseCanvas() override;

    bool OnEasy(WObject* source, WEventData* data) override;
    bool OnHard(WObject* source, WEventData* data) override;

    // The runtime handlers: keys set and clear the held-key flags, a paint redraws everything,
    // a tick runs one step of the turn cycle.
    bool HandleKeyDown(WObject* source, WEventData* data);
    bool HandleKeyUp(WObject* source, WEventData* data);
    bool OnPaint(WObject* source, WEventData* data);
    bool TurnTick(WObject* source, WEventData* data);

    WDisplayCanvas* canvas = nullptr;
    WBitmap glyphBitmap;
    WBitmap tileBitmap;
    WBitmap backgroundBitmap;
    WBitmap panBitmap;
    WBitmap bannerBitmap;
    Game game;  // the game state record (game.state) and the rule operations
    SceneView view;

  private:
    uint32_t CalendarSeconds() override;
    void StartStepTimer() override;
    void StopStepTimer() override;
};

// The application's record of its main window; null when there is none.
extern Form1* mainWindow;

// Makes the main window; answers it, or null when it cannot be made.
Form1* CreateMainWindow();
// Deletes the main window object, if there is one, and forgets it.
void DestroyMainWindow();
