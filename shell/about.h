// The About box: a small modal dialog with the program's icon, name and version, a presenter
// line and one "OK" button. Its window and controls exist only while it is shown.
#pragma once

#include <cstdint>

#include "shell/platform/w_events.h"
#include "shell/platform/w_graphics.h"
#include "shell/platform/w_window.h"

// The designed parts of the box: its controls, made afresh for every showing.
class __About_Base : public WDialog {
  public:
    __About_Base();
    ~__About_Base() override;

    // Makes the box from its template, owned by parent, and runs it until it is dismissed.
    // Answers true unless the window could not be made.
    bool RunModal(WWindow* parent);
    using WDialog::RunModal;

    bool OnCreate(WObject* source, WEventData* data);
    bool OnClose(WObject* source, WEventData* data);
    bool OnDestroy(WObject* source, WEventData* data);
    bool OnOK(WObject* source, WEventData* data);
    void BindOKEvent(bool bind);

    WCommandButton* cb_OK = nullptr;
    WPictureBox* pictb_Product = nullptr;
    WLabel* label_Copyright = nullptr;
    WLabel* label_ProductName = nullptr;

  private:
    WWindow* parent_ = nullptr;  // the owner of the showing under way
    WIcon boxIcon_;              // the caption icons
    WIcon productIcon_;          // the picture of pictb_Product
    WFont font_;
};

class About : public __About_Base {};
