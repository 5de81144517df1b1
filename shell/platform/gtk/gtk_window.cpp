// Windows over GTK 3: forms and dialogs made from the dialog templates of the program, their
// menu bars, keys, close requests and modal runs, the controls of a dialog, and the frames the
// software canvas draws into.
//
// A window made from a template is a GtkWindow holding a vertical box: the GtkMenuBar of the
// attached menu (if any), then the client area. The client area is a GtkOverlay: a
// GtkDrawingArea of exactly the client size that shows the window's frame (a 24-bit picture
// that the software canvas blits into), with a GtkFixed over it holding the template's items.
// The window is never resizable, so GTK sizes it to the client area plus the menu bar, whatever
// the theme makes of the menu bar.
#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/resource_ids.h"
#include "shell/platform/gtk/gtk_backend.h"
#include "shell/platform/gtk/gtk_keys.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/soft/soft_resources.h"
#include "shell/platform/w_graphics.h"
#include "shell/platform/w_menu.h"

using gtkbackend::Item;
using Impl = WWindow::Impl;

namespace {

constexpr uint32_t VkReturn = 0x0D;
constexpr uint32_t VkEscape = 0x1B;
constexpr uint32_t VkF4 = 0x73;
constexpr uint32_t BsTypeMask = 0x0000000F;
constexpr uint32_t SsTypeMask = 0x0000001F;
constexpr uint32_t SsCenter = 0x00000001;
constexpr uint32_t SsRight = 0x00000002;
constexpr uint32_t SsLeftNoWordWrap = 0x0000000C;
constexpr uint32_t SsNoPrefix = 0x00000080;

// The top-level windows that exist now, oldest first.
std::vector<Impl*> topLevels;

bool IsTopLevel(const Impl* impl) {
    return impl != nullptr && impl->exists &&
           std::find(topLevels.begin(), topLevels.end(), impl) != topLevels.end();
}

// --- dialog units ------------------------------------------------------------------------------

// Windows' MulDiv: a * b / c rounded to the nearest, halves away from zero.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    const int64_t product = int64_t{a} * b;
    const int64_t half = c / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// The dialog base units of a template: the average character width and the height of its font
// in pixels. A 9-point face at 96 dots per inch is 12 pixels high, and the Japanese Gothic faces
// the templates name have half-width characters of half that, 6 pixels: 1 horizontal dialog unit
// is a quarter of the width, 1 vertical unit an eighth of the height, so 1.5 pixels each way.
// A template without a font uses the system font's 8 x 16.
struct BaseUnits {
    int32_t x;
    int32_t y;
};

BaseUnits TemplateBaseUnits(const ResDialogTemplate& t) {
    if (!t.hasFont || t.pointSize == 0) {
        return {8, 16};
    }
    const int32_t height = MulDiv(t.pointSize, 96, 72);
    return {std::max(1, height / 2), std::max(1, height)};
}

WRect DialogRect(const BaseUnits& units, int32_t x, int32_t y, int32_t cx, int32_t cy) {
    return {MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
            MulDiv(cy, units.y, 8)};
}

// --- texts and fonts ---------------------------------------------------------------------------

// A Windows text with & marks as a GTK mnemonic label: "&Game" -> "_Game", "&&" -> "&",
// "_" -> "__". A tab and what follows it (a shortcut hint) is left out.
std::string MnemonicText(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0' && *p != '\t'; ++p) {
        if (*p == '&') {
            if (p[1] == '&') {
                out += '&';
                ++p;
            } else if (p[1] != '\0') {
                out += '_';
            }
        } else if (*p == '_') {
            out += "__";
        } else {
            out += *p;
        }
    }
    return out;
}

// The CSS of a font description "points.face[.CharSet=n]". The faces of the Japanese Windows
// fonts are not found on Linux: "ＭＳ ゴシック" (fixed width) becomes the monospace family and
// "ＭＳ Ｐゴシック" (proportional) the sans-serif family, each at 5/6 of the face's pixel height,
// which gives the substitute's characters about the width of the named face's half-width
// characters, the width the dialog units are reckoned in. Other faces are asked for by name.
std::string FontCss(const char* description) {
    int points = 9;
    std::string face;
    if (description != nullptr && *description != '\0') {
        const char* dot = std::strchr(description, '.');
        points = std::atoi(description);
        if (dot != nullptr) {
            const char* end = std::strchr(dot + 1, '.');
            face.assign(dot + 1,
                        end != nullptr ? static_cast<size_t>(end - dot - 1) : std::strlen(dot + 1));
        }
    }
    if (points <= 0 || points > 72) {
        points = 9;
    }
    const int pixels = MulDiv(points, 96, 72);
    std::string family;
    int size = pixels;
    if (face.find("\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF") != std::string::npos) {
        // "ゴシック" (Gothic); "Ｐ" (fullwidth P) marks the proportional face.
        const bool proportional = face.find("\xEF\xBC\xB0") != std::string::npos;
        family = proportional ? "sans-serif" : "monospace";
        size = std::max(1, MulDiv(pixels, 5, 6));
    } else {
        std::string quoted;
        for (char c : face) {
            if (c != '"' && c != '\\' && c != '\n' && c != ';' && c != '}') {
                quoted += c;
            }
        }
        family = quoted.empty() ? std::string("sans-serif") : "\"" + quoted + "\", sans-serif";
    }
    return "* { font-family: " + family + "; font-size: " + std::to_string(size) + "px; }";
}

void ApplyFont(Impl* impl, const char* description) {
    if (impl->fixed == nullptr) {
        return;
    }
    if (impl->fontCss == nullptr) {
        impl->fontCss = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(impl->fixed),
                                       GTK_STYLE_PROVIDER(impl->fontCss),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    }
    const std::string css = FontCss(description);
    gtk_css_provider_load_from_data(impl->fontCss, css.c_str(), -1, nullptr);
}

std::string TemplateFontDescription(const ResDialogTemplate& t) {
    if (!t.hasFont) {
        return "";
    }
    return std::to_string(t.pointSize) + "." + t.fontFace;
}

// --- the frame ---------------------------------------------------------------------------------

int32_t MenuHeight(const Impl* impl) {
    if (impl->menuBar == nullptr) {
        return 0;
    }
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_height(impl->menuBar, &minimum, &natural);
    return natural;
}

void InvalidateFrame(Impl* impl) {
    impl->needsPaint = true;
    if (impl->canvas != nullptr) {
        gtk_widget_queue_draw(impl->canvas);
    }
}

// Gives the frame a new size. The pixels that both sizes share are kept; the rest is face colour.
void ResizeFrame(Impl* impl, int32_t width, int32_t height) {
    std::vector<uint8_t> next(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i + 2 < next.size(); i += 3) {
        next[i] = gtkbackend::FaceRed;
        next[i + 1] = gtkbackend::FaceGreen;
        next[i + 2] = gtkbackend::FaceBlue;
    }
    const int32_t rows = std::min(height, impl->surface.height);
    const int32_t columns = std::min(width, impl->surface.width);
    for (int32_t row = 0; row < rows && columns > 0; ++row) {
        std::memcpy(&next[static_cast<size_t>(row) * width * 3],
                    &impl->rgb[static_cast<size_t>(row) * impl->surface.width * 3],
                    static_cast<size_t>(columns) * 3);
    }
    impl->rgb.swap(next);
    impl->surface.width = width;
    impl->surface.height = height;
    impl->surface.rgb = impl->rgb.empty() ? nullptr : impl->rgb.data();
    if (impl->screenCopy != nullptr) {
        cairo_surface_destroy(impl->screenCopy);
        impl->screenCopy = nullptr;
    }
    if (width > 0 && height > 0) {
        impl->screenCopy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    }
}

void SetClientSize(Impl* impl, int32_t width, int32_t height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == impl->clientWidth && height == impl->clientHeight &&
        impl->surface.rgb != nullptr) {
        return;
    }
    impl->clientWidth = width;
    impl->clientHeight = height;
    if (impl->canvas != nullptr) {
        gtk_widget_set_size_request(impl->canvas, width, height);
    }
    ResizeFrame(impl, width, height);
    InvalidateFrame(impl);
}

// Copies the part of the frame that cairo is asked to draw; the frame's pixels are scaled by
// whole factors on HiDPI screens, nearest neighbour, so they stay sharp.
void CopyFrame(Impl* impl, cairo_t* cr) {
    if (impl->screenCopy == nullptr || impl->surface.rgb == nullptr) {
        return;
    }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    const int32_t left = std::clamp(static_cast<int32_t>(std::floor(x1)), 0, impl->surface.width);
    const int32_t top = std::clamp(static_cast<int32_t>(std::floor(y1)), 0, impl->surface.height);
    const int32_t right = std::clamp(static_cast<int32_t>(std::ceil(x2)), 0, impl->surface.width);
    const int32_t bottom = std::clamp(static_cast<int32_t>(std::ceil(y2)), 0, impl->surface.height);
    if (right <= left || bottom <= top) {
        return;
    }
    cairo_surface_flush(impl->screenCopy);
    unsigned char* data = cairo_image_surface_get_data(impl->screenCopy);
    const int stride = cairo_image_surface_get_stride(impl->screenCopy);
    for (int32_t row = top; row < bottom; ++row) {
        const uint8_t* from =
            &impl->rgb[(static_cast<size_t>(row) * impl->surface.width + left) * 3];
        auto* to = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(row) * stride) + left;
        for (int32_t column = left; column < right; ++column, from += 3) {
            *to++ = 0xFF000000u | (uint32_t{from[0]} << 16) | (uint32_t{from[1]} << 8) | from[2];
        }
    }
    cairo_surface_mark_dirty_rectangle(impl->screenCopy, left, top, right - left, bottom - top);
    cairo_set_source_surface(cr, impl->screenCopy, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_fill(cr);
}

// The paint event is raised when the frame must be drawn anew: when the window is first shown
// (and whenever it is mapped again), when its client area changes size, when the screen's scale
// changes, and when the X server reports an exposure of the client area (another window moved
// off it). The game's own drawing, which already is in the frame, only has it copied.
gboolean OnCanvasDraw(GtkWidget* /*widget*/, cairo_t* cr, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    if (impl->needsPaint && impl->exists) {
        impl->needsPaint = false;
        impl->inPaint = true;
        WPaintEventData paint;
        impl->owner->Raise(WEventId::Paint, &paint);
        impl->inPaint = false;
        // Everything may have changed: copy all of it, not only the exposed part.
        cairo_reset_clip(cr);
    }
    CopyFrame(impl, cr);
    return TRUE;
}

#ifdef GDK_WINDOWING_X11
GdkFilterReturn OnXEvent(GdkXEvent* xevent, GdkEvent* /*event*/, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    const auto* event = static_cast<const XEvent*>(xevent);
    if (event->type == Expose && impl->exists && impl->canvas != nullptr) {
        int x = 0;
        int y = 0;
        gtk_widget_translate_coordinates(impl->canvas, impl->window, 0, 0, &x, &y);
        const XExposeEvent& e = event->xexpose;
        const bool overlaps = e.x < x + impl->clientWidth && e.x + e.width > x &&
                              e.y < y + impl->clientHeight && e.y + e.height > y;
        if (overlaps) {
            InvalidateFrame(impl);
        }
    }
    return GDK_FILTER_CONTINUE;
}
#endif

// --- window geometry ---------------------------------------------------------------------------

WRect WorkArea(const Impl* impl) {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr) {
        return {};
    }
    GdkMonitor* monitor = nullptr;
    const Impl* near = impl;
    if (near != nullptr && near->parent != nullptr && IsTopLevel(near->parent->impl())) {
        near = near->parent->impl();
    }
    if (near != nullptr && near->window != nullptr && gtk_widget_get_realized(near->window)) {
        monitor = gdk_display_get_monitor_at_window(display, gtk_widget_get_window(near->window));
    }
    if (monitor == nullptr) {
        monitor = gdk_display_get_primary_monitor(display);
    }
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return {};
    }
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    return {area.x, area.y, area.width, area.height};
}

void TopLeft(const Impl* impl, int32_t* x, int32_t* y) {
    *x = impl->x;
    *y = impl->y;
    if (impl->window != nullptr && gtk_widget_get_visible(impl->window)) {
        int wx = 0;
        int wy = 0;
        gtk_window_get_position(GTK_WINDOW(impl->window), &wx, &wy);
        *x = wx;
        *y = wy;
    }
}

// The client area in screen coordinates.
WRect ClientOnScreen(const Impl* impl) {
    int32_t x = 0;
    int32_t y = 0;
    TopLeft(impl, &x, &y);
    WRect client{x, y + MenuHeight(impl), impl->clientWidth, impl->clientHeight};
    if (impl->canvas != nullptr && gtk_widget_get_realized(impl->canvas)) {
        int originX = 0;
        int originY = 0;
        gdk_window_get_origin(gtk_widget_get_window(impl->window), &originX, &originY);
        int cx = 0;
        int cy = 0;
        gtk_widget_translate_coordinates(impl->canvas, impl->window, 0, 0, &cx, &cy);
        client.x = originX + cx;
        client.y = originY + cy;
    }
    return client;
}

void MoveTo(Impl* impl, int32_t x, int32_t y) {
    impl->x = x;
    impl->y = y;
    if (impl->window != nullptr) {
        gtk_window_move(GTK_WINDOW(impl->window), x, y);
    }
}

// --- keys and close requests -------------------------------------------------------------------

bool KeyIsDown(const Impl* impl, uint16_t keycode) {
    return (impl->keysDown[keycode / 8 & 31] >> (keycode % 8) & 1) != 0;
}

void SetKeyDown(Impl* impl, uint16_t keycode, bool down) {
    const auto bit = static_cast<uint8_t>(1u << (keycode % 8));
    if (down) {
        impl->keysDown[keycode / 8 & 31] |= bit;
    } else {
        impl->keysDown[keycode / 8 & 31] &= static_cast<uint8_t>(~bit);
    }
}

// A close request: CloseEvent, and without a handler that takes it the default processing,
// which ends a modal dialog with result 0 and destroys any other window.
void HandleCloseRequest(WWindow* window) {
    WEventData data;
    if (window->Raise(WEventId::Close, &data)) {
        return;
    }
    if (window->impl()->modal) {
        static_cast<WDialog*>(window)->EndDialog(0);
    } else {
        window->Destroy();
    }
}

gboolean OnPostedClose(gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    impl->closeIdle = 0;
    if (impl->exists) {
        HandleCloseRequest(impl->owner);
    }
    return G_SOURCE_REMOVE;
}

gboolean OnDeleteEvent(GtkWidget* /*widget*/, GdkEvent* /*event*/, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    // A disabled window (the main window under a modal box) ignores its close box.
    if (impl->exists && impl->enabled) {
        HandleCloseRequest(impl->owner);
    }
    return TRUE;  // the window is only ever destroyed by Destroy
}

void PressButton(WCommandButton* button) {
    Impl* control = button->impl();
    if (control->dialog == nullptr) {
        return;
    }
    Item& item = control->dialog->impl()->items[control->itemIndex];
    if (item.widget != nullptr && gtk_widget_is_sensitive(item.widget)) {
        gtk_button_clicked(GTK_BUTTON(item.widget));
    }
}

gboolean OnKeyPress(GtkWidget* /*widget*/, GdkEventKey* event, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    if (!impl->exists || !impl->enabled) {
        return TRUE;  // a disabled window takes no keys
    }
    const uint16_t keycode = event->hardware_keycode;
    const uint32_t virtualKey = gtkbackend::VirtualKeyFromKey(keycode, event->keyval);
    const bool repeat = KeyIsDown(impl, keycode);
    SetKeyDown(impl, keycode, true);
    const bool control = (event->state & GDK_CONTROL_MASK) != 0;
    const bool shift = (event->state & GDK_SHIFT_MASK) != 0;
    const bool alt = (event->state & GDK_MOD1_MASK) != 0;
    if (virtualKey == 0) {
        return FALSE;
    }
    // The accelerators of the window's menu come first, as in the message loop of Windows: an
    // accelerator key chooses its command and reaches the window no further.
    if (impl->menu != nullptr) {
        const uint32_t command = impl->menu->Accelerators().Find(virtualKey, control, shift, alt);
        if (command != 0) {
            impl->menu->Choose(command);
            return TRUE;
        }
    }
    // The keyboard interface of a dialog: Enter presses the default button, Esc the cancel
    // button.
    if (!control && !alt) {
        if (virtualKey == VkReturn && impl->defaultButton != nullptr) {
            PressButton(impl->defaultButton);
            return TRUE;
        }
        if (virtualKey == VkEscape && impl->cancelButton != nullptr) {
            PressButton(impl->cancelButton);
            return TRUE;
        }
    }
    WKeyEventData key;
    key.virtualKey = virtualKey;
    key.autoRepeat = repeat;
    if (impl->owner->Raise(WEventId::KeyDown, &key)) {
        return TRUE;
    }
    // The default processing: Alt+F4 asks the window to close (a window manager usually takes
    // the key first and sends the same request); everything else goes on to GTK (menu
    // mnemonics such as Alt+G, F10 for the menu bar).
    if (virtualKey == VkF4 && alt && !control && !shift) {
        if (impl->closeIdle == 0) {
            impl->closeIdle = g_idle_add(OnPostedClose, impl);
        }
        return TRUE;
    }
    return FALSE;
}

gboolean OnKeyRelease(GtkWidget* /*widget*/, GdkEventKey* event, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    if (!impl->exists || !impl->enabled) {
        return TRUE;
    }
    const uint16_t keycode = event->hardware_keycode;
    SetKeyDown(impl, keycode, false);
    const uint32_t virtualKey = gtkbackend::VirtualKeyFromKey(keycode, event->keyval);
    if (virtualKey == 0) {
        return FALSE;
    }
    WKeyEventData key;
    key.virtualKey = virtualKey;
    return impl->owner->Raise(WEventId::KeyUp, &key) ? TRUE : FALSE;
}

// Losing the keyboard forgets which keys were down, for telling repeats from presses only. The
// program hears of no key-up it did not get: a key released elsewhere stays held for the game
// (kept on purpose, see docs/kept-on-purpose.md).
gboolean OnFocusOut(GtkWidget* /*widget*/, GdkEventFocus* /*event*/, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    std::memset(impl->keysDown, 0, sizeof impl->keysDown);
    return FALSE;
}

gboolean OnMap(GtkWidget* /*widget*/, GdkEvent* /*event*/, gpointer data) {
    InvalidateFrame(static_cast<Impl*>(data));
    return FALSE;
}

void OnScaleChanged(GObject* /*object*/, GParamSpec* /*spec*/, gpointer data) {
    InvalidateFrame(static_cast<Impl*>(data));
}

// The window frame as the template asks for it, once GTK has made the native window: a caption
// and a close box (system menu), no minimise or maximise box unless the template has one, and
// no sizing.
void OnRealize(GtkWidget* widget, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    GdkWindow* window = gtk_widget_get_window(widget);
    const uint32_t style = impl->dialogTemplate.style;
    int decorations = GDK_DECOR_BORDER;
    int functions = GDK_FUNC_MOVE;
    if ((style & WsCaption) == WsCaption) {
        decorations |= GDK_DECOR_TITLE;
    }
    if ((style & WsSysMenu) != 0) {
        decorations |= GDK_DECOR_MENU;
        functions |= GDK_FUNC_CLOSE;
    }
    if ((style & WsMinimizeBox) != 0) {
        decorations |= GDK_DECOR_MINIMIZE;
        functions |= GDK_FUNC_MINIMIZE;
    }
    if ((style & WsMaximizeBox) != 0) {
        decorations |= GDK_DECOR_MAXIMIZE;
        functions |= GDK_FUNC_MAXIMIZE;
    }
    gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(decorations));
    gdk_window_set_functions(window, static_cast<GdkWMFunction>(functions));
#ifdef GDK_WINDOWING_X11
    if (GDK_IS_X11_WINDOW(window)) {
        gdk_window_add_filter(window, OnXEvent, impl);
        impl->filterInstalled = 1;
    }
#endif
}

// --- menus -------------------------------------------------------------------------------------

void OnMenuActivate(GtkMenuItem* menuItem, gpointer data) {
    auto* impl = static_cast<Impl*>(data);
    if (!impl->exists || !impl->enabled || impl->menu == nullptr) {
        return;
    }
    const auto command =
        static_cast<uint32_t>(GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(menuItem), "command")));
    impl->menu->Choose(command);
}

void AppendEntry(GtkWidget* shell, const WMenuEntry& entry, Impl* impl);

void AppendPopup(GtkWidget* shell, const WPopupMenu& popup, Impl* impl) {
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(MnemonicText(popup.Text()).c_str());
    GtkWidget* menu = gtk_menu_new();
    for (int i = 0; i < popup.Count(); ++i) {
        AppendEntry(menu, popup.EntryAt(i), impl);
    }
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), menu);
    gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
}

void AppendEntry(GtkWidget* shell, const WMenuEntry& entry, Impl* impl) {
    if (entry.popup != nullptr) {
        AppendPopup(shell, *entry.popup, impl);
    } else if (entry.item != nullptr) {
        GtkWidget* item = gtk_menu_item_new_with_mnemonic(MnemonicText(entry.item->Text()).c_str());
        g_object_set_data(G_OBJECT(item), "command", GUINT_TO_POINTER(entry.item->CommandId()));
        g_signal_connect(item, "activate", G_CALLBACK(OnMenuActivate), impl);
        gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
    } else {
        gtk_menu_shell_append(GTK_MENU_SHELL(shell), gtk_separator_menu_item_new());
    }
}

GtkWidget* BuildMenuBar(WMenu& menu, Impl* impl) {
    GtkWidget* bar = gtk_menu_bar_new();
    for (int i = 0; i < menu.Count(); ++i) {
        AppendEntry(bar, menu.EntryAt(i), impl);
    }
    return bar;
}

// --- items of a template -----------------------------------------------------------------------

void OnButtonClicked(GtkButton* /*button*/, gpointer data) {
    auto* item = static_cast<Item*>(data);
    if (item->control != nullptr) {
        WEventData click;
        item->control->Raise(WEventId::Click, &click);
    }
}

gboolean OnPictureDraw(GtkWidget* /*widget*/, cairo_t* cr, gpointer data) {
    auto* item = static_cast<Item*>(data);
    if (item->iconRgba.empty()) {
        return FALSE;
    }
    cairo_surface_t* picture =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, item->iconWidth, item->iconHeight);
    unsigned char* pixels = cairo_image_surface_get_data(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    for (int32_t row = 0; row < item->iconHeight; ++row) {
        auto* to = reinterpret_cast<uint32_t*>(pixels + static_cast<ptrdiff_t>(row) * stride);
        const uint8_t* from = &item->iconRgba[static_cast<size_t>(row) * item->iconWidth * 4];
        for (int32_t column = 0; column < item->iconWidth; ++column, from += 4) {
            const uint32_t a = from[3];
            // Premultiplied alpha, as cairo keeps it.
            to[column] = (a << 24) | ((from[0] * a / 255) << 16) | ((from[1] * a / 255) << 8) |
                         (from[2] * a / 255);
        }
    }
    cairo_surface_mark_dirty(picture);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_surface_destroy(picture);
    return TRUE;
}

void SetItemIcon(Item& item, const WIcon& icon) {
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* rgba = nullptr;
    item.iconRgba.clear();
    item.iconWidth = 0;
    item.iconHeight = 0;
    if (SoftIconPixels(icon, &width, &height, &rgba) && width > 0 && height > 0) {
        item.iconRgba.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
        item.iconWidth = width;
        item.iconHeight = height;
        // A static icon takes the size of its icon.
        gtk_widget_set_size_request(item.widget, width, height);
    }
    gtk_widget_queue_draw(item.widget);
}

GtkWidget* MakeItemWidget(Item& item) {
    const ResDialogItem& source = item.source;
    if (source.classOrdinal == DialogClassButton) {
        GtkWidget* button = gtk_button_new_with_mnemonic(MnemonicText(source.text).c_str());
        // A dialog button is as small as its template makes it.
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(
            css, "button { padding: 0px 4px; min-height: 0px; min-width: 0px; }", -1, nullptr);
        gtk_style_context_add_provider(gtk_widget_get_style_context(button),
                                       GTK_STYLE_PROVIDER(css),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        gtk_widget_set_can_focus(button, (source.style & WsTabStop) != 0);
        if ((source.style & BsTypeMask) == BsDefPushButton) {
            gtk_widget_set_can_default(button, TRUE);
        }
        g_signal_connect(button, "clicked", G_CALLBACK(OnButtonClicked), &item);
        return button;
    }
    if (source.classOrdinal == DialogClassStatic && (source.style & SsTypeMask) == SsIcon) {
        GtkWidget* picture = gtk_drawing_area_new();
        g_signal_connect(picture, "draw", G_CALLBACK(OnPictureDraw), &item);
        return picture;
    }
    // Static texts; any other kind of item shows its text the same way.
    const uint32_t kind = source.style & SsTypeMask;
    GtkWidget* label = (source.style & SsNoPrefix) != 0
                           ? gtk_label_new(source.text)
                           : gtk_label_new_with_mnemonic(MnemonicText(source.text).c_str());
    const float xalign = kind == SsCenter ? 0.5f : kind == SsRight ? 1.0f : 0.0f;
    gtk_label_set_xalign(GTK_LABEL(label), xalign);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_justify(GTK_LABEL(label), kind == SsCenter  ? GTK_JUSTIFY_CENTER
                                            : kind == SsRight ? GTK_JUSTIFY_RIGHT
                                                              : GTK_JUSTIFY_LEFT);
    if (kind != SsLeftNoWordWrap) {
        gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(label), 1);
    }
    return label;
}

// --- making and destroying ---------------------------------------------------------------------

void DetachControls(Impl* impl) {
    for (Item& item : impl->items) {
        if (item.control != nullptr) {
            item.control->impl()->dialog = nullptr;
            item.control->impl()->itemIndex = -1;
            item.control = nullptr;
        }
    }
}

// Takes the window's widgets down. No event is raised here.
void TearDown(Impl* impl) {
    topLevels.erase(std::remove(topLevels.begin(), topLevels.end(), impl), topLevels.end());
    impl->exists = false;
    if (impl->closeIdle != 0) {
        g_source_remove(impl->closeIdle);
        impl->closeIdle = 0;
    }
    DetachControls(impl);
#ifdef GDK_WINDOWING_X11
    if (impl->filterInstalled != 0 && impl->window != nullptr &&
        gtk_widget_get_window(impl->window) != nullptr) {
        gdk_window_remove_filter(gtk_widget_get_window(impl->window), OnXEvent, impl);
    }
#endif
    impl->filterInstalled = 0;
    if (impl->window != nullptr) {
        g_signal_handlers_disconnect_matched(impl->window, G_SIGNAL_MATCH_DATA, 0, 0, nullptr,
                                             nullptr, impl);
        if (impl->canvas != nullptr) {
            g_signal_handlers_disconnect_matched(impl->canvas, G_SIGNAL_MATCH_DATA, 0, 0, nullptr,
                                                 nullptr, impl);
        }
        gtk_widget_destroy(impl->window);
    }
    if (impl->fontCss != nullptr) {
        g_object_unref(impl->fontCss);
        impl->fontCss = nullptr;
    }
    impl->window = impl->column = impl->menuBar = impl->overlay = impl->canvas = impl->fixed =
        nullptr;
    impl->menu = nullptr;
    impl->items.clear();
    impl->defaultButton = nullptr;
    impl->cancelButton = nullptr;
    if (impl->screenCopy != nullptr) {
        cairo_surface_destroy(impl->screenCopy);
        impl->screenCopy = nullptr;
    }
    impl->rgb.clear();
    impl->rgb.shrink_to_fit();
    impl->surface = SoftSurface{};
    impl->clientWidth = impl->clientHeight = 0;
    impl->parent = nullptr;
    std::memset(impl->keysDown, 0, sizeof impl->keysDown);
}

// Builds the window of a template, hidden, and raises CreateEvent.
bool MakeFromTemplate(WWindow* owner, WWindow* parent, uint32_t templateId) {
    Impl* impl = owner->impl();
    if (impl->exists || !gtkbackend::Ready() || templateId > 0xFFFF) {
        return false;
    }
    ResBytes bytes;
    if (!FindProgramResource(RtDialog, static_cast<uint16_t>(templateId), &bytes) ||
        !ParseDialogTemplate(bytes.data, bytes.size, &impl->dialogTemplate)) {
        return false;
    }
    const ResDialogTemplate& t = impl->dialogTemplate;
    Impl* parentImpl = parent != nullptr && IsTopLevel(parent->impl()) ? parent->impl() : nullptr;
    impl->parent = parentImpl != nullptr ? parent : nullptr;

    impl->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(impl->window);
    gtk_window_set_title(window, t.caption);
    // Never resized by the user; a sizing border in a template is not honoured either.
    gtk_window_set_resizable(window, FALSE);
    if (parentImpl != nullptr) {
        gtk_window_set_transient_for(window, GTK_WINDOW(parentImpl->window));
        gtk_window_set_destroy_with_parent(window, TRUE);
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
        gtk_window_set_skip_taskbar_hint(window, TRUE);
    }
    // A box run modally is modal from its first showing on.
    gtk_window_set_modal(window, impl->modal ? TRUE : FALSE);

    impl->column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    impl->overlay = gtk_overlay_new();
    impl->canvas = gtk_drawing_area_new();
    gtk_widget_set_halign(impl->canvas, GTK_ALIGN_START);
    gtk_widget_set_valign(impl->canvas, GTK_ALIGN_START);
    impl->fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(impl->overlay), impl->canvas);
    gtk_overlay_add_overlay(GTK_OVERLAY(impl->overlay), impl->fixed);
    gtk_box_pack_end(GTK_BOX(impl->column), impl->overlay, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(impl->window), impl->column);

    const BaseUnits units = TemplateBaseUnits(t);
    const WRect box = DialogRect(units, t.x, t.y, t.cx, t.cy);
    impl->items.resize(static_cast<size_t>(t.itemCount));
    for (int i = 0; i < t.itemCount; ++i) {
        Item& item = impl->items[static_cast<size_t>(i)];
        item.source = t.items[i];
        item.rect = DialogRect(units, item.source.x, item.source.y, item.source.cx, item.source.cy);
        item.widget = MakeItemWidget(item);
        gtk_widget_set_size_request(item.widget, item.rect.width, item.rect.height);
        gtk_fixed_put(GTK_FIXED(impl->fixed), item.widget, item.rect.x, item.rect.y);
        if (item.source.classOrdinal == DialogClassStatic &&
            (item.source.style & SsTypeMask) == SsIcon && item.source.textIsOrdinal) {
            WIcon icon;
            if (icon.Load(item.source.textOrdinal)) {
                SetItemIcon(item, icon);
            }
        }
    }
    if (t.hasFont) {
        ApplyFont(impl, TemplateFontDescription(t).c_str());
    }

    g_signal_connect(impl->window, "key-press-event", G_CALLBACK(OnKeyPress), impl);
    g_signal_connect(impl->window, "key-release-event", G_CALLBACK(OnKeyRelease), impl);
    g_signal_connect(impl->window, "delete-event", G_CALLBACK(OnDeleteEvent), impl);
    g_signal_connect(impl->window, "focus-out-event", G_CALLBACK(OnFocusOut), impl);
    g_signal_connect(impl->window, "map-event", G_CALLBACK(OnMap), impl);
    g_signal_connect(impl->window, "realize", G_CALLBACK(OnRealize), impl);
    g_signal_connect(impl->window, "notify::scale-factor", G_CALLBACK(OnScaleChanged), impl);
    g_signal_connect(impl->canvas, "draw", G_CALLBACK(OnCanvasDraw), impl);
    gtk_widget_show_all(impl->column);

    impl->exists = true;
    impl->enabled = true;
    impl->needsPaint = true;
    topLevels.push_back(impl);
    SetClientSize(impl, box.width, box.height);
    // The template's position: on the screen, or from the parent's client area.
    if (parentImpl != nullptr) {
        const WRect origin = ClientOnScreen(parentImpl);
        MoveTo(impl, origin.x + box.x, origin.y + box.y);
    } else {
        MoveTo(impl, box.x, box.y);
    }

    WEventData create;
    owner->Raise(WEventId::Create, &create);
    if (!impl->exists) {
        return false;
    }
    if ((t.style & WsVisible) != 0 && !gtk_widget_get_visible(impl->window)) {
        owner->Show();
    }
    // The first item that takes the keyboard gets it, as in a Windows dialog.
    for (Item& item : impl->items) {
        if (item.widget != nullptr && gtk_widget_get_can_focus(item.widget)) {
            gtk_widget_grab_focus(item.widget);
            break;
        }
    }
    return true;
}

Item* ControlItem(const WWindow* control) {
    Impl* impl = control->impl();
    if (impl->dialog == nullptr) {
        return nullptr;
    }
    Impl* dialog = impl->dialog->impl();
    if (impl->itemIndex < 0 || impl->itemIndex >= static_cast<int>(dialog->items.size())) {
        return nullptr;
    }
    return &dialog->items[static_cast<size_t>(impl->itemIndex)];
}

void SetDialogButton(Impl* impl, WCommandButton** slot, WCommandButton* button, bool isDefault) {
    *slot = button;
    if (!isDefault || impl->window == nullptr) {
        return;
    }
    Item* item = button != nullptr ? ControlItem(button) : nullptr;
    if (item != nullptr && item->widget != nullptr) {
        gtk_widget_set_can_default(item->widget, TRUE);
        gtk_window_set_default(GTK_WINDOW(impl->window), item->widget);
    } else {
        gtk_window_set_default(GTK_WINDOW(impl->window), nullptr);
    }
}

}  // namespace

// --- the hooks of the software canvas ----------------------------------------------------------

SoftSurface* SoftWindowSurface(WWindow& window) {
    Impl* impl = window.impl();
    if (impl == nullptr || !impl->exists || impl->surface.rgb == nullptr) {
        return nullptr;
    }
    return &impl->surface;
}

void SoftWindowChanged(WWindow& window, const WRect& area) {
    Impl* impl = window.impl();
    // While the paint event runs the whole frame is copied after it anyway.
    if (impl != nullptr && impl->exists && impl->canvas != nullptr && !impl->inPaint) {
        gtk_widget_queue_draw_area(impl->canvas, area.x, area.y, area.width, area.height);
    }
}

// --- WWindow -----------------------------------------------------------------------------------

WWindow::WWindow() : impl_(new Impl) {
    impl_->owner = this;
}

WWindow::~WWindow() {
    // Destroyed with its object: the handlers, which belong to the derived parts, are gone
    // already, so no event is raised.
    if (impl_->window != nullptr) {
        if (impl_->modalLoop != nullptr) {
            g_main_loop_quit(impl_->modalLoop);
        }
        TearDown(impl_);
    }
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr) {
            item->control = nullptr;
        }
    }
    delete impl_;
}

bool WWindow::Exists() const {
    if (impl_->dialog != nullptr) {
        return impl_->dialog->Exists() && ControlItem(this) != nullptr &&
               ControlItem(this)->widget != nullptr;
    }
    return impl_->exists;
}

WRect WWindow::GetClientRect() const {
    if (impl_->dialog != nullptr) {
        const Item* item = ControlItem(this);
        return item != nullptr ? WRect{0, 0, item->rect.width, item->rect.height} : WRect{};
    }
    if (!impl_->exists) {
        return {};
    }
    return {0, 0, impl_->clientWidth, impl_->clientHeight};
}

WRect WWindow::GetOuterRect() const {
    if (impl_->dialog != nullptr) {
        const Item* item = ControlItem(this);
        if (item == nullptr) {
            return {};
        }
        const WRect client = ClientOnScreen(impl_->dialog->impl());
        return {client.x + item->rect.x, client.y + item->rect.y, item->rect.width,
                item->rect.height};
    }
    if (!impl_->exists) {
        return {};
    }
    int32_t x = 0;
    int32_t y = 0;
    TopLeft(impl_, &x, &y);
    return {x, y, impl_->clientWidth, impl_->clientHeight + MenuHeight(impl_)};
}

void WWindow::SetOuterWidth(int32_t width) {
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            item->rect.width = std::max(0, width);
            gtk_widget_set_size_request(item->widget, item->rect.width, item->rect.height);
        }
        return;
    }
    if (impl_->exists) {
        SetClientSize(impl_, width, impl_->clientHeight);
    }
}

void WWindow::SetOuterHeight(int32_t height) {
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            item->rect.height = std::max(0, height);
            gtk_widget_set_size_request(item->widget, item->rect.width, item->rect.height);
        }
        return;
    }
    if (impl_->exists) {
        SetClientSize(impl_, impl_->clientWidth, height - MenuHeight(impl_));
    }
}

void WWindow::Centre(WWindow* parent) {
    // Controls stay where their template put them.
    if (impl_->dialog != nullptr || !impl_->exists) {
        return;
    }
    if (gtk_widget_get_realized(impl_->window)) {
        const GdkWindowState state = gdk_window_get_state(gtk_widget_get_window(impl_->window));
        if ((state & (GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED)) != 0) {
            return;
        }
    }
    const WRect work = WorkArea(impl_);
    WRect area = work;
    if (parent != nullptr && IsTopLevel(parent->impl())) {
        area = ClientOnScreen(parent->impl());
    }
    const WRect placed = WCentreRect(GetOuterRect(), area, work);
    MoveTo(impl_, placed.x, placed.y);
}

void WWindow::SetIcons(const WIcon& icon) {
    if (impl_->window == nullptr) {
        return;
    }
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* rgba = nullptr;
    if (!SoftIconPixels(icon, &width, &height, &rgba) || width <= 0 || height <= 0) {
        return;
    }
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int32_t row = 0; row < height; ++row) {
        std::memcpy(pixels + static_cast<ptrdiff_t>(row) * stride,
                    rgba + static_cast<size_t>(row) * width * 4, static_cast<size_t>(width) * 4);
    }
    gtk_window_set_icon(GTK_WINDOW(impl_->window), pixbuf);
    g_object_unref(pixbuf);
}

void WWindow::SetFont(const WFont& font, bool /*redraw*/) {
    // GTK redraws what a new font changes by itself.
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            GtkCssProvider* css = gtk_css_provider_new();
            const std::string text = FontCss(SoftFontDescription(font));
            gtk_css_provider_load_from_data(css, text.c_str(), -1, nullptr);
            gtk_style_context_add_provider(gtk_widget_get_style_context(item->widget),
                                           GTK_STYLE_PROVIDER(css),
                                           GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
            g_object_unref(css);
        }
        return;
    }
    if (impl_->exists) {
        ApplyFont(impl_, SoftFontDescription(font));
    }
}

void WWindow::SetMenuBar(WMenu* menu) {
    if (impl_->dialog != nullptr || !impl_->exists) {
        return;
    }
    const int32_t before = MenuHeight(impl_);
    if (impl_->menuBar != nullptr) {
        gtk_widget_destroy(impl_->menuBar);
        impl_->menuBar = nullptr;
    }
    impl_->menu = menu;
    if (menu != nullptr) {
        impl_->menuBar = BuildMenuBar(*menu, impl_);
        gtk_box_pack_start(GTK_BOX(impl_->column), impl_->menuBar, FALSE, FALSE, 0);
        gtk_box_reorder_child(GTK_BOX(impl_->column), impl_->menuBar, 0);
        gtk_widget_show_all(impl_->menuBar);
    }
    // As on Windows the outer size stays and the client area gives way to the menu bar.
    const int32_t after = MenuHeight(impl_);
    SetClientSize(impl_, impl_->clientWidth, impl_->clientHeight - (after - before));
}

WMenu* WWindow::MenuBar() const {
    return impl_->menu;
}

void WWindow::Show() {
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            gtk_widget_show(item->widget);
        }
        return;
    }
    if (impl_->exists && !gtk_widget_get_visible(impl_->window)) {
        gtk_window_move(GTK_WINDOW(impl_->window), impl_->x, impl_->y);
        gtk_window_present(GTK_WINDOW(impl_->window));
    }
}

void WWindow::Enable(bool enable) {
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            gtk_widget_set_sensitive(item->widget, enable ? TRUE : FALSE);
        }
        return;
    }
    // A disabled top-level window looks the same but takes no keys, menu commands or close
    // requests from the user.
    impl_->enabled = enable;
}

bool WWindow::Enabled() const {
    if (impl_->dialog != nullptr) {
        const Item* item = ControlItem(this);
        return item != nullptr && item->widget != nullptr && gtk_widget_get_sensitive(item->widget);
    }
    return impl_->exists && impl_->enabled;
}

void WWindow::RequestClose() {
    if (impl_->dialog != nullptr) {
        // A control has no close request of its own.
        return;
    }
    if (impl_->exists && impl_->closeIdle == 0) {
        impl_->closeIdle = g_idle_add(OnPostedClose, impl_);
    }
}

bool WWindow::Destroy() {
    if (impl_->dialog != nullptr) {
        Item* item = ControlItem(this);
        if (item == nullptr || item->widget == nullptr) {
            return false;
        }
        WEventData destroy;
        Raise(WEventId::Destroy, &destroy);
        item = ControlItem(this);
        if (item != nullptr && item->widget != nullptr) {
            gtk_widget_destroy(item->widget);
            item->widget = nullptr;
            item->control = nullptr;
        }
        impl_->dialog = nullptr;
        impl_->itemIndex = -1;
        return true;
    }
    if (!impl_->exists || impl_->destroying) {
        return false;
    }
    impl_->destroying = true;
    // The windows it owns go first, as they go with their owner.
    for (size_t i = topLevels.size(); i-- > 0;) {
        if (i < topLevels.size() && topLevels[i]->parent == this) {
            topLevels[i]->owner->Destroy();
        }
    }
    if (impl_->modalLoop != nullptr) {
        impl_->modalEnded = true;
        g_main_loop_quit(impl_->modalLoop);
    }
    gtk_widget_hide(impl_->window);
    WEventData destroy;
    Raise(WEventId::Destroy, &destroy);
    TearDown(impl_);
    impl_->destroying = false;
    return true;
}

// --- forms and dialogs -------------------------------------------------------------------------

bool WModelessDialog::Create(WWindow* parent, uint32_t templateId) {
    return MakeFromTemplate(this, parent, templateId);
}

bool WDialog::RunModal(WWindow* parent, uint32_t templateId) {
    if (impl_->exists || !gtkbackend::Ready()) {
        return false;
    }
    // Every enabled top-level window of the thread is disabled for the run.
    std::vector<Impl*> disabled;
    for (Impl* other : topLevels) {
        if (other->enabled) {
            other->enabled = false;
            disabled.push_back(other);
        }
    }
    impl_->modal = true;
    impl_->modalEnded = false;
    impl_->result = 0;
    const bool made = MakeFromTemplate(this, parent, templateId);
    if (made && !impl_->modalEnded) {
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        impl_->modalLoop = loop;
        g_main_loop_run(loop);
        impl_->modalLoop = nullptr;
        g_main_loop_unref(loop);
    }
    impl_->modal = false;
    // The disabled windows are enabled again before the box goes, so that the keyboard returns
    // to them.
    for (Impl* other : disabled) {
        if (IsTopLevel(other)) {
            other->enabled = true;
        }
    }
    if (impl_->exists) {
        Destroy();
    }
    if (made && parent != nullptr && IsTopLevel(parent->impl())) {
        gtk_window_present(GTK_WINDOW(parent->impl()->window));
    }
    return made;
}

void WDialog::EndDialog(int32_t result) {
    impl_->result = result;
    if (impl_->modal) {
        impl_->modalEnded = true;
        if (impl_->modalLoop != nullptr) {
            g_main_loop_quit(impl_->modalLoop);
        }
    } else if (impl_->exists) {
        Destroy();
    }
}

int32_t WDialog::Result() const {
    return impl_->result;
}

void WDialog::SetDefaultButton(WCommandButton* button) {
    SetDialogButton(impl_, &impl_->defaultButton, button, true);
}

void WDialog::SetCancelButton(WCommandButton* button) {
    SetDialogButton(impl_, &impl_->cancelButton, button, false);
}

WCommandButton* WDialog::DefaultButton() const {
    return impl_->defaultButton;
}
WCommandButton* WDialog::CancelButton() const {
    return impl_->cancelButton;
}

namespace gtkbackend {
void EndModalRuns() {
    for (Impl* impl : topLevels) {
        if (impl->modal && impl->modalLoop != nullptr) {
            impl->modalEnded = true;
            g_main_loop_quit(impl->modalLoop);
        }
    }
}
}  // namespace gtkbackend

// --- controls ----------------------------------------------------------------------------------

bool WControl::Attach(WWindow& dialog, uint32_t itemId) {
    Impl* target = dialog.impl();
    if (!IsTopLevel(target)) {
        return false;
    }
    for (size_t i = 0; i < target->items.size(); ++i) {
        Item& item = target->items[i];
        if (item.source.id == itemId && item.widget != nullptr) {
            if (impl_->dialog != nullptr) {
                Item* old = ControlItem(this);
                if (old != nullptr) {
                    old->control = nullptr;
                }
            }
            if (item.control != nullptr && item.control != this) {
                item.control->impl()->dialog = nullptr;
                item.control->impl()->itemIndex = -1;
            }
            item.control = this;
            impl_->dialog = &dialog;
            impl_->itemIndex = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

uint32_t WControl::ItemId() const {
    const Item* item = ControlItem(this);
    return item != nullptr ? item->source.id : 0;
}

const char* WControl::Text() const {
    const Item* item = ControlItem(this);
    return item != nullptr ? item->source.text : "";
}

void WCommandButton::SetPushed(bool pushed) {
    Item* item = ControlItem(this);
    if (item == nullptr || item->widget == nullptr) {
        return;
    }
    if (pushed) {
        gtk_widget_set_state_flags(item->widget, GTK_STATE_FLAG_ACTIVE, FALSE);
    } else {
        gtk_widget_unset_state_flags(item->widget, GTK_STATE_FLAG_ACTIVE);
    }
}

void WPictureBox::SetIcon(const WIcon& icon) {
    Item* item = ControlItem(this);
    if (item != nullptr && item->widget != nullptr &&
        item->source.classOrdinal == DialogClassStatic &&
        (item->source.style & SsTypeMask) == SsIcon) {
        SetItemIcon(*item, icon);
    }
}
