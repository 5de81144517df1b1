// Windows: forms and dialogs made from dialog templates, and the controls of a dialog.
#pragma once

#include <cstdint>

#include "shell/platform/w_events.h"
#include "shell/platform/w_geometry.h"

class WFont;
class WIcon;
class WMenu;

// A window of the platform. Raises CreateEvent, CloseEvent, DestroyEvent, KeyDownEvent,
// KeyUpEvent and PaintEvent.
class WWindow : public WObject {
  public:
    WWindow();
    ~WWindow() override;

    bool Exists() const;  // whether the platform window exists now

    // The client rectangle as (0, 0, width, height); all zeros without a window.
    WRect GetClientRect() const;
    // The outer rectangle in screen coordinates (frame, caption and menu bar included).
    WRect GetOuterRect() const;
    // Change the outer width or height; the top-left corner stays.
    void SetOuterWidth(int32_t width);
    void SetOuterHeight(int32_t height);
    // Centre over the client area of parent, or over the desktop's work area without one
    // (see WCentreRect). A minimised or maximised window is not moved.
    void Centre(WWindow* parent);

    void SetIcons(const WIcon& icon);  // large and small icon
    void SetFont(const WFont& font, bool redraw);
    void SetMenuBar(WMenu* menu);  // also activates its accelerator table; null detaches
    WMenu* MenuBar() const;
    void Show();
    void Enable(bool enable);
    bool Enabled() const;

    // Posts a close request; CloseEvent is raised later from the message loop. Without a
    // handler that answers true, the default processing destroys the window.
    void RequestClose();
    // Destroys the platform window now, raising DestroyEvent while it goes. Answers whether
    // a window was destroyed.
    bool Destroy();

    struct Impl;
    Impl* impl() const { return impl_; }

  protected:
    Impl* impl_ = nullptr;
};

// A top-level window.
class WForm : public WWindow {};

// A top-level window made from a dialog template of the executable, modeless.
class WModelessDialog : public WForm {
  public:
    // Makes the window from the template with the given parent (none: null); CreateEvent is
    // raised while it is made, so its handlers have run when this returns. Answers whether a
    // window came into being.
    bool Create(WWindow* parent, uint32_t templateId);
};

class WCommandButton;

// A dialog run modally: the other top-level windows of the thread are disabled while it runs,
// and its own message loop dispatches every message of the thread, timer ticks included.
class WDialog : public WModelessDialog {
  public:
    // Makes the dialog from the template, owned by parent, and runs it until it ends. Answers
    // true unless making the window failed.
    bool RunModal(WWindow* parent, uint32_t templateId);
    // Ends the modal run with a result; the window is destroyed (DestroyEvent) and the
    // disabled windows are enabled again.
    void EndDialog(int32_t result);
    int32_t Result() const;

    // Enter presses the default button, Esc the cancel button.
    void SetDefaultButton(WCommandButton* button);
    void SetCancelButton(WCommandButton* button);
    WCommandButton* DefaultButton() const;
    WCommandButton* CancelButton() const;
};

// A control: an item of a dialog, attached by its item id.
class WControl : public WWindow {
  public:
    bool Attach(WWindow& dialog, uint32_t itemId);
    uint32_t ItemId() const;
    // The text of the item as the template gives it (UTF-8).
    const char* Text() const;
};

// A push button; raises ClickEvent when pressed (mouse, Enter as default, Esc as cancel).
class WCommandButton : public WControl {
  public:
    void SetPushed(bool pushed);
};

// A static picture.
class WPictureBox : public WControl {
  public:
    void SetIcon(const WIcon& icon);
};

// A static text.
class WLabel : public WControl {};
