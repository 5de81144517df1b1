// The GTK 3 backend's own state behind the platform classes, shared by its source files.
// Nothing outside shell/platform/gtk/ includes this header.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/soft/soft_surface.h"
#include "shell/platform/w_window.h"

class WControl;
class WMenu;

namespace gtkbackend {

// Whether GTK could be initialised (a display is there). Without it no window can be made.
bool Ready();
// Initialises GTK without handing it the command line (the program ignores its command line).
void Initialise(const char* programName);
// Ends every modal run at once (the application was asked to quit).
void EndModalRuns();

// The dialog face colour that fills a window's frame before anything is drawn on it.
constexpr uint8_t FaceRed = 212;
constexpr uint8_t FaceGreen = 208;
constexpr uint8_t FaceBlue = 200;

// One item of a window made from a dialog template, with the widget that shows it.
struct Item {
    ResDialogItem source;
    GtkWidget* widget = nullptr;    // the button, label or picture
    WRect rect;                     // client pixels
    WControl* control = nullptr;    // the control object attached to it, if any
    std::vector<uint8_t> iconRgba;  // a picture box's icon, RGBA
    int32_t iconWidth = 0;
    int32_t iconHeight = 0;
};

}  // namespace gtkbackend

// Every WWindow holds one Impl from construction to destruction. A top-level window (a form or a
// dialog) uses the first group of members, a control the second.
struct WWindow::Impl {
    WWindow* owner = nullptr;

    // --- top-level windows ---
    bool exists = false;
    bool destroying = false;  // DestroyEvent is being raised
    bool enabled = true;
    bool modal = false;  // a WDialog in its modal run
    bool modalEnded = false;
    int32_t result = 0;
    GMainLoop* modalLoop = nullptr;
    WWindow* parent = nullptr;

    GtkWidget* window = nullptr;   // the GtkWindow
    GtkWidget* column = nullptr;   // vertical box: menu bar, then the client area
    GtkWidget* menuBar = nullptr;  // the GtkMenuBar of the attached WMenu, or null
    GtkWidget* overlay = nullptr;  // the client area: the frame with the controls over it
    GtkWidget* canvas = nullptr;   // GtkDrawingArea showing the frame
    GtkWidget* fixed = nullptr;    // GtkFixed holding the template's items
    WMenu* menu = nullptr;
    GtkCssProvider* fontCss = nullptr;

    ResDialogTemplate dialogTemplate;
    std::vector<gtkbackend::Item> items;
    WCommandButton* defaultButton = nullptr;
    WCommandButton* cancelButton = nullptr;

    // Geometry, in logical pixels: the outer rectangle is the client area plus the menu bar.
    int32_t x = 0;
    int32_t y = 0;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t menuHeight = 0;

    // The frame the software canvas draws into, and its copy for cairo.
    SoftSurface surface;
    std::vector<uint8_t> rgb;
    cairo_surface_t* screenCopy = nullptr;
    bool needsPaint = true;  // the frame must be drawn anew before it is shown
    bool inPaint = false;

    // Keys held down now, by hardware key code, to tell auto-repeat from a first press.
    uint8_t keysDown[32]{};
    guint closeIdle = 0;  // a posted close request
    gulong filterInstalled = 0;

    // --- controls ---
    WWindow* dialog = nullptr;  // the window the control is attached to
    int itemIndex = -1;
};
