// The main window.
#include "shell/form1.h"

#include <new>

#include "res/resource_ids.h"
#include "shell/platform/w_application.h"

Form1* mainWindow = nullptr;

Form1* CreateMainWindow() {
    mainWindow = new (std::nothrow) Form1;
    if (mainWindow == nullptr) {
        return nullptr;
    }
    // Recorded before the window exists, so that its creation already sees the main window.
    if (!mainWindow->Create(nullptr)) {
        delete mainWindow;
        mainWindow = nullptr;
        return nullptr;
    }
    return mainWindow;
}

void DestroyMainWindow() {
    Form1* window = mainWindow;
    mainWindow = nullptr;
    delete window;
}

__Form1_Base::__Form1_Base() {
    Bind(WEventId::Create, WHandler<&__Form1_Base::OnCreate>(this));
    Bind(WEventId::Close, WHandler<&__Form1_Base::OnClose>(this));
    Bind(WEventId::Destroy, WHandler<&__Form1_Base::OnDestroy>(this));
}

__Form1_Base::~__Form1_Base() {
    if (Exists()) {
        Destroy();
    }
    Unbind(WEventId::Create, WHandler<&__Form1_Base::OnCreate>(this));
    Unbind(WEventId::Close, WHandler<&__Form1_Base::OnClose>(this));
    Unbind(WEventId::Destroy, WHandler<&__Form1_Base::OnDestroy>(this));
}

bool __Form1_Base::Create(WWindow* parent) {
    partMissing_ = false;
    if (!WModelessDialog::Create(parent, ID_Form1)) {
        return false;
    }
    if (partMissing_) {
        // The window relies on its About box, its timer and its canvas: without one of them it
        // is taken down again and not made at all.
        Destroy();
        return false;
    }
    return true;
}

bool __Form1_Base::OnCreate(WObject* /*source*/, WEventData* /*data*/) {
    // Kept on purpose: centred at the template's size; SetUpWindow resizes it afterwards with
    // the top-left corner kept, so the final window is not centred.
    Centre(nullptr);
    aboutBox = new (std::nothrow) About;
    stepTimer = new (std::nothrow) WTimer;
    partMissing_ = partMissing_ || aboutBox == nullptr || stepTimer == nullptr;
    windowIcon_.Load(ID_Icon_Window);
    SetIcons(windowIcon_);
    windowFont_.Create("9.ＭＳ Ｐゴシック.CharSet=128");
    SetFont(windowFont_, true);
    SetName("Form1");
    menuBar = new (std::nothrow) WMenu;
    if (menuBar != nullptr && !menuBar->Load(ID_Form1_menu_1)) {
        // A menu that cannot be loaded leaves the window without menu and commands.
        delete menuBar;
        menuBar = nullptr;
    }
    if (menuBar != nullptr) {
        gamePopup = menuBar->PopupAt(0);
        startPopup = gamePopup != nullptr ? gamePopup->PopupAt(0) : nullptr;
        easyItem = menuBar->FindItem(ID_Easy);
        if (easyItem != nullptr) {
            easyItem->Bind(WEventId::Click, WHandler<&__Form1_Base::OnEasy>(this));
        }
        hardItem = menuBar->FindItem(ID_Hard);
        if (hardItem != nullptr) {
            hardItem->Bind(WEventId::Click, WHandler<&__Form1_Base::OnHard>(this));
        }
        exitItem = menuBar->FindItem(ID_Exit);
        if (exitItem != nullptr) {
            exitItem->Bind(WEventId::Click, WHandler<&__Form1_Base::OnExit>(this));
        }
        helpPopup = menuBar->PopupAt(1);
        aboutItem = menuBar->FindItem(ID_AboutItem);
        if (aboutItem != nullptr) {
            aboutItem->Bind(WEventId::Click, WHandler<&__Form1_Base::OnAbout>(this));
        }
    }
    SetMenuBar(menuBar);
    BindRuntimeEvents(true);
    SetUpWindow();
    Show();
    return false;
}

bool __Form1_Base::OnClose(WObject* /*source*/, WEventData* /*data*/) {
    const bool destroyed = Destroy();
    if (destroyed && mainWindow != nullptr && static_cast<__Form1_Base*>(mainWindow) == this) {
        if (WExeApplication* application = WExeApplication::Current()) {
            application->Quit(0);
        }
    }
    return true;
}

bool __Form1_Base::OnDestroy(WObject* /*source*/, WEventData* /*data*/) {
    ReleaseCanvas();
    BindRuntimeEvents(false);
    SetMenuBar(nullptr);
    delete menuBar;
    delete aboutBox;
    delete stepTimer;  // stops it: no tick arrives after this
    gamePopup = nullptr;
    helpPopup = nullptr;
    aboutBox = nullptr;
    stepTimer = nullptr;
    menuBar = nullptr;
    // The popups and items went with the menu bar.
    startPopup = nullptr;
    easyItem = nullptr;
    hardItem = nullptr;
    exitItem = nullptr;
    aboutItem = nullptr;
    return false;
}

bool __Form1_Base::OnExit(WObject* /*source*/, WEventData* /*data*/) {
    RequestClose();
    return false;
}

bool __Form1_Base::OnAbout(WObject* /*source*/, WEventData* /*data*/) {
    // Kept on purpose: the game goes on behind the box with the held-key flags it had when the
    // box opened; this window is disabled and gets no key-up until the box has ended.
    if (aboutBox != nullptr) {
        aboutBox->RunModal(this);  // returns when the box is dismissed; the result is not used
    }
    return false;
}

Form1::Form1()
    : game(view, *this, *this),
      view(game.state,
           SceneSheets{&glyphBitmap, &tileBitmap, &backgroundBitmap, &panBitmap, &bannerBitmap}) {}

Form1::~Form1() {
    // The window goes before anything of this object does, so that its teardown still finds the
    // canvas, the game and the handlers it unbinds.
    if (Exists()) {
        Destroy();
    }
}

bool Form1::SetUpWindow() {
    SetOuterWidth(400);
    SetOuterHeight(300);
    const WRect client = GetClientRect();
    // Frame, caption and menu bar keep their sizes, so the client area becomes 480 x 336.
    SetOuterWidth(880 - client.width);
    SetOuterHeight(636 - client.height);
    canvas = new (std::nothrow) WDisplayCanvas;
    if (canvas == nullptr) {
        partMissing_ = true;
    } else {
        canvas->Create(*this);
    }
    view.SetCanvas(canvas);
    glyphBitmap.Load(ID_Bitmap_Glyphs);
    tileBitmap.Load(ID_Bitmap_Tiles);
    backgroundBitmap.Load(ID_Bitmap_Background);
    panBitmap.Load(ID_Bitmap_Pans);
    bannerBitmap.Load(ID_Bitmap_Banner);
    game.WriteDefaultSettings();
    game.NewGame();
    return false;
}

void Form1::BindRuntimeEvents(bool bind) {
    const WEventHandler keyDown = WHandler<&Form1::HandleKeyDown>(this);
    const WEventHandler keyUp = WHandler<&Form1::HandleKeyUp>(this);
    const WEventHandler paint = WHandler<&Form1::OnPaint>(this);
    const WEventHandler tick = WHandler<&Form1::TurnTick>(this);
    if (bind) {
        Bind(WEventId::KeyDown, keyDown);
        Bind(WEventId::KeyUp, keyUp);
        Bind(WEventId::Paint, paint);
        if (stepTimer != nullptr) {
            stepTimer->Bind(WEventId::Timer, tick);
        }
    } else {
        Unbind(WEventId::KeyDown, keyDown);
        Unbind(WEventId::KeyUp, keyUp);
        Unbind(WEventId::Paint, paint);
        if (stepTimer != nullptr) {
            stepTimer->Unbind(WEventId::Timer, tick);
        }
    }
}

void Form1::ReleaseCanvas() {
    view.SetCanvas(nullptr);
    delete canvas;  // gives its drawing context back
    canvas = nullptr;
}

bool Form1::OnEasy(WObject* /*source*/, WEventData* /*data*/) {
    game.EasyCommand();
    return false;
}

bool Form1::OnHard(WObject* /*source*/, WEventData* /*data*/) {
    game.HardCommand();
    return false;
}

bool Form1::HandleKeyDown(WObject* /*source*/, WEventData* data) {
    const auto* key = static_cast<const WKeyEventData*>(data);
    return game.HandleKeyDown(key != nullptr ? key->virtualKey : 0);
}

bool Form1::HandleKeyUp(WObject* /*source*/, WEventData* data) {
    const auto* key = static_cast<const WKeyEventData*>(data);
    return game.HandleKeyUp(key != nullptr ? key->virtualKey : 0);
}

bool Form1::OnPaint(WObject* /*source*/, WEventData* /*data*/) {
    // The paint canvas the event offers is not used: everything goes through the window canvas.
    view.OnPaint(GetClientRect());
    return false;
}

bool Form1::TurnTick(WObject* /*source*/, WEventData* /*data*/) {
    return game.TurnTick();
}

uint32_t Form1::CalendarSeconds() {
    return WCalendarSeconds();
}

void Form1::StartStepTimer() {
    if (stepTimer != nullptr) {
        stepTimer->Start(StepTimerIntervalMs, 0);
    }
}

void Form1::StopStepTimer() {
    if (stepTimer != nullptr) {
        stepTimer->Stop();
    }
}
