// Windows over the Win32 dialog manager: forms and dialogs made from the executable's dialog
// templates, the dialog procedure that turns their messages into events, and the controls.
#include <cstring>

#include "shell/platform/w_graphics.h"
#include "shell/platform/w_menu.h"
#include "shell/platform/w_window.h"
#include "shell/platform/win32/win32_internal.h"

namespace {

// The property that ties a window handle to its platform object.
const wchar_t* const ObjectProperty = L"Vantorel.WWindow";

void Tie(HWND hwnd, WWindow* window) {
    SetPropW(hwnd, ObjectProperty, reinterpret_cast<HANDLE>(window));
}

void Untie(HWND hwnd, const WWindow* window) {
    if (hwnd != nullptr && IsWindow(hwnd) && win32::WindowFromHandle(hwnd) == window) {
        RemovePropW(hwnd, ObjectProperty);
    }
}

WRect ToWRect(const RECT& r) {
    return WRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// One level of the menu tree: a popup's entries or the menu bar's.
struct MenuLevel {
    const WPopupMenu* popup = nullptr;
    const WMenu* bar = nullptr;
    int Count() const { return popup != nullptr ? popup->Count() : bar->Count(); }
    const WMenuEntry& At(int i) const {
        return popup != nullptr ? popup->EntryAt(i) : bar->EntryAt(i);
    }
};

// The native menu built from the menu tree, level by level.
HMENU BuildNativeMenu(const MenuLevel& level) {
    HMENU menu = level.bar != nullptr ? CreateMenu() : CreatePopupMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    wchar_t text[128];
    for (int i = 0; i < level.Count(); ++i) {
        const WMenuEntry& entry = level.At(i);
        if (entry.popup != nullptr) {
            HMENU sub = BuildNativeMenu(MenuLevel{entry.popup, nullptr});
            win32::Utf8ToWide(entry.popup->Text(), text, 128);
            if (sub != nullptr &&
                !AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), text)) {
                DestroyMenu(sub);
            }
        } else if (entry.item != nullptr) {
            win32::Utf8ToWide(entry.item->Text(), text, 128);
            AppendMenuW(menu, MF_STRING, entry.item->CommandId(), text);
        } else {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
    }
    return menu;
}

HACCEL BuildAcceleratorTable(const WAcceleratorTable& table) {
    ACCEL entries[WAcceleratorTable::MaxEntries];
    int count = 0;
    for (int i = 0; i < table.Count() && count < WAcceleratorTable::MaxEntries; ++i) {
        const WAccelerator& a = table.At(i);
        BYTE flags = FVIRTKEY;
        if (a.control) {
            flags |= FCONTROL;
        }
        if (a.shift) {
            flags |= FSHIFT;
        }
        if (a.alt) {
            flags |= FALT;
        }
        entries[count].fVirt = flags;
        entries[count].key = static_cast<WORD>(a.virtualKey);
        entries[count].cmd = static_cast<WORD>(a.commandId);
        ++count;
    }
    return count == 0 ? nullptr : CreateAcceleratorTableW(entries, count);
}

// Gives back the native menu and accelerator table of the attached menu bar. A menu still
// attached when the window goes is destroyed with the window by the system.
void ReleaseMenuBar(WWindow::Impl& impl, bool windowAlive) {
    if (impl.nativeMenu != nullptr) {
        bool attached = impl.hwnd != nullptr && GetMenu(impl.hwnd) == impl.nativeMenu;
        if (attached && windowAlive) {
            SetMenu(impl.hwnd, nullptr);
            attached = false;
        }
        if (!attached) {
            DestroyMenu(impl.nativeMenu);
        }
        impl.nativeMenu = nullptr;
    }
    if (impl.accelerators != nullptr) {
        DestroyAcceleratorTable(impl.accelerators);
        impl.accelerators = nullptr;
    }
    impl.menu = nullptr;
}

void ReleaseFont(WWindow::Impl& impl) {
    if (impl.font != nullptr) {
        DeleteObject(impl.font);
        impl.font = nullptr;
    }
}

void EnableDisabledWindows(WWindow::Impl& impl) {
    for (int i = 0; i < impl.disabledCount; ++i) {
        if (IsWindow(impl.disabled[i])) {
            EnableWindow(impl.disabled[i], TRUE);
        }
    }
    impl.disabledCount = 0;
}

struct DisableContext {
    WWindow::Impl* impl;
    HWND owner;
};

BOOL CALLBACK DisableThreadWindow(HWND hwnd, LPARAM context) {
    auto* c = reinterpret_cast<DisableContext*>(context);
    // The owner is disabled and enabled again by the dialog manager itself, so that it gets
    // the activation back when the box ends.
    if (hwnd != c->owner && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        c->impl->disabledCount < WWindow::Impl::MaxDisabled) {
        EnableWindow(hwnd, FALSE);
        c->impl->disabled[c->impl->disabledCount++] = hwnd;
    }
    return TRUE;
}

INT_PTR OnCommand(WWindow* window, WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    WWindow::Impl* impl = window->impl();
    if (control != nullptr) {
        WWindow* source = win32::WindowFromHandle(control);
        // A pressed button (BN_CLICKED), or a click on a static that notifies clicks
        // (STN_CLICKED, the same code): the control raises its ClickEvent.
        if (source != nullptr && code == BN_CLICKED) {
            WEventData data;
            source->Raise(WEventId::Click, &data);
            return TRUE;
        }
        return FALSE;
    }
    // Esc in a dialog (and Enter when no default button is known) come without a control.
    if (id == IDCANCEL && impl->cancelButton != nullptr) {
        WEventData data;
        impl->cancelButton->Raise(WEventId::Click, &data);
        return TRUE;
    }
    if (id == IDOK && impl->defaultButton != nullptr) {
        WEventData data;
        impl->defaultButton->Raise(WEventId::Click, &data);
        return TRUE;
    }
    // A menu command or an accelerator (code 0 or 1).
    if (impl->menu != nullptr && impl->menu->Choose(id)) {
        return TRUE;
    }
    return FALSE;
}

// Kept on purpose: no key-up is made up when the window loses the keyboard, so a key released
// while another window (or the About box) has it stays held for the game.
INT_PTR OnKey(WWindow* window, WEventId event, WPARAM wParam, LPARAM lParam) {
    WKeyEventData data;
    data.virtualKey = static_cast<uint32_t>(wParam);
    data.autoRepeat = event == WEventId::KeyDown && (lParam & (1L << 30)) != 0;
    // Not handled: the dialog manager's default processing goes on (Alt+F4, Alt+letter).
    return window->Raise(event, &data) ? TRUE : FALSE;
}

INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* window = reinterpret_cast<WWindow*>(lParam);
        if (window == nullptr) {
            return TRUE;
        }
        window->impl()->hwnd = hwnd;
        window->impl()->initialised = true;
        Tie(hwnd, window);
        WEventData data;
        window->Raise(WEventId::Create, &data);
        return TRUE;  // the focus goes to the first control that takes it
    }
    WWindow* window = win32::WindowFromHandle(hwnd);
    if (window == nullptr || window->impl()->hwnd != hwnd) {
        return FALSE;  // before WM_INITDIALOG, or after the object let go of the window
    }
    WWindow::Impl* impl = window->impl();
    switch (message) {
        case WM_CLOSE: {
            WEventData data;
            if (window->Raise(WEventId::Close, &data)) {
                return TRUE;
            }
            // Default processing: the window goes.
            if (impl->kind == WWindow::Impl::Kind::Modal) {
                static_cast<WDialog*>(window)->EndDialog(0);
            } else {
                DestroyWindow(hwnd);
            }
            return TRUE;
        }
        case WM_DESTROY: {
            WEventData data;
            window->Raise(WEventId::Destroy, &data);
            return FALSE;
        }
        case WM_NCDESTROY:
            RemovePropW(hwnd, ObjectProperty);
            ReleaseMenuBar(*impl, false);
            impl->hwnd = nullptr;
            ReleaseFont(*impl);
            return FALSE;
        case WM_GETDLGCODE:
            // A form without controls has the focus itself: it wants every key as a key event,
            // so the dialog manager turns none of them into navigation or default commands.
            if (window->HasHandler(WEventId::KeyDown) || window->HasHandler(WEventId::KeyUp)) {
                SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, DLGC_WANTALLKEYS);
                return TRUE;
            }
            return FALSE;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return OnKey(window, WEventId::KeyDown, wParam, lParam);
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return OnKey(window, WEventId::KeyUp, wParam, lParam);
        case WM_PAINT: {
            if (!window->HasHandler(WEventId::Paint)) {
                return FALSE;
            }
            // The invalid region is validated whatever the handlers answer.
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            WPaintEventData data;
            window->Raise(WEventId::Paint, &data);
            EndPaint(hwnd, &paint);
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(window, wParam, lParam);
        default:
            return FALSE;
    }
}

}  // namespace

namespace win32 {

WWindow* WindowFromHandle(HWND hwnd) {
    if (hwnd == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<WWindow*>(GetPropW(hwnd, ObjectProperty));
}

bool PreTranslate(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    WWindow* window = WindowFromHandle(root);
    if (window == nullptr || window->impl()->hwnd != root) {
        return false;
    }
    WWindow::Impl* impl = window->impl();
    if (impl->accelerators != nullptr && GetActiveWindow() == root &&
        TranslateAcceleratorW(root, impl->accelerators, &message)) {
        return true;
    }
    if (impl->kind == WWindow::Impl::Kind::Modeless && IsDialogMessageW(root, &message)) {
        return true;
    }
    return false;
}

}  // namespace win32

// --- WWindow ---

WWindow::WWindow() : impl_(new Impl) {}

WWindow::~WWindow() {
    if (impl_->deletedDuringRun != nullptr) {
        *impl_->deletedDuringRun = true;
    }
    HWND hwnd = impl_->hwnd;
    if (hwnd != nullptr && IsWindow(hwnd)) {
        // The object goes first: no event reaches it any more.
        Untie(hwnd, this);
        if (impl_->kind == Impl::Kind::Control) {
            // The dialog owns its items.
        } else {
            ReleaseMenuBar(*impl_, true);
            EnableDisabledWindows(*impl_);
            if (impl_->kind == Impl::Kind::Modal && impl_->running) {
                ::EndDialog(hwnd, 0);
            } else {
                DestroyWindow(hwnd);
            }
            ReleaseFont(*impl_);
        }
    }
    delete impl_;
}

bool WWindow::Exists() const {
    return impl_->hwnd != nullptr && IsWindow(impl_->hwnd);
}

WRect WWindow::GetClientRect() const {
    RECT r{};
    if (!Exists() || !::GetClientRect(impl_->hwnd, &r)) {
        return WRect{};
    }
    return ToWRect(r);
}

WRect WWindow::GetOuterRect() const {
    RECT r{};
    if (!Exists() || !GetWindowRect(impl_->hwnd, &r)) {
        return WRect{};
    }
    return ToWRect(r);
}

void WWindow::SetOuterWidth(int32_t width) {
    const WRect outer = GetOuterRect();
    if (Exists()) {
        SetWindowPos(impl_->hwnd, nullptr, 0, 0, width, outer.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WWindow::SetOuterHeight(int32_t height) {
    const WRect outer = GetOuterRect();
    if (Exists()) {
        SetWindowPos(impl_->hwnd, nullptr, 0, 0, outer.width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WWindow::Centre(WWindow* parent) {
    if (!Exists() || IsIconic(impl_->hwnd) || IsZoomed(impl_->hwnd)) {
        return;
    }
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const WRect workArea = ToWRect(work);
    WRect area = workArea;
    if (parent != nullptr && parent->Exists()) {
        RECT client{};
        ::GetClientRect(parent->impl()->hwnd, &client);
        POINT topLeft{0, 0};
        ClientToScreen(parent->impl()->hwnd, &topLeft);
        area = WRect{topLeft.x, topLeft.y, client.right, client.bottom};
    }
    const WRect placed = WCentreRect(GetOuterRect(), area, workArea);
    SetWindowPos(impl_->hwnd, nullptr, placed.x, placed.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WWindow::SetIcons(const WIcon& icon) {
    if (!Exists() || icon.impl() == nullptr) {
        return;
    }
    SendMessageW(impl_->hwnd, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(icon.impl()->largeIcon));
    SendMessageW(impl_->hwnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(icon.impl()->smallIcon));
}

void WWindow::SetFont(const WFont& font, bool redraw) {
    if (!Exists() || font.impl() == nullptr || font.impl()->font == nullptr) {
        return;
    }
    // The window keeps its own copy, so the font object may go before the window does.
    HFONT own = CreateFontIndirectW(&font.impl()->description);
    if (own == nullptr) {
        return;
    }
    SendMessageW(impl_->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(own), redraw ? TRUE : FALSE);
    if (impl_->font != nullptr) {
        DeleteObject(impl_->font);
    }
    impl_->font = own;
}

void WWindow::SetMenuBar(WMenu* menu) {
    if (!Exists()) {
        return;
    }
    ReleaseMenuBar(*impl_, true);
    if (menu != nullptr) {
        // The native menu is built from the menu tree, which was loaded from the menu resource;
        // the accelerator table likewise from the table loaded with it.
        impl_->nativeMenu = BuildNativeMenu(MenuLevel{nullptr, menu});
        impl_->accelerators = BuildAcceleratorTable(menu->Accelerators());
        impl_->menu = menu;
        SetMenu(impl_->hwnd, impl_->nativeMenu);
    }
    DrawMenuBar(impl_->hwnd);
}

WMenu* WWindow::MenuBar() const {
    return impl_->menu;
}

void WWindow::Show() {
    if (Exists()) {
        ShowWindow(impl_->hwnd, SW_SHOW);
    }
}

void WWindow::Enable(bool enable) {
    if (Exists()) {
        EnableWindow(impl_->hwnd, enable ? TRUE : FALSE);
    }
}

bool WWindow::Enabled() const {
    return Exists() && IsWindowEnabled(impl_->hwnd);
}

void WWindow::RequestClose() {
    if (Exists()) {
        PostMessageW(impl_->hwnd, WM_CLOSE, 0, 0);
    }
}

bool WWindow::Destroy() {
    if (!Exists() || impl_->kind == Impl::Kind::Control) {
        return false;
    }
    if (impl_->kind == Impl::Kind::Modal) {
        // A modal box is ended; the dialog manager destroys it when its loop returns.
        static_cast<WDialog*>(this)->EndDialog(impl_->result);
        return true;
    }
    return DestroyWindow(impl_->hwnd) != FALSE;
}

// --- WModelessDialog ---

bool WModelessDialog::Create(WWindow* parent, uint32_t templateId) {
    if (Exists()) {
        return false;
    }
    impl_->kind = Impl::Kind::Modeless;
    impl_->initialised = false;
    HWND owner = parent != nullptr ? parent->impl()->hwnd : nullptr;
    HWND hwnd = CreateDialogParamW(win32::ModuleInstance(), MAKEINTRESOURCEW(templateId), owner,
                                   &DialogProcedure, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr && IsWindow(hwnd);
}

// --- WDialog ---

bool WDialog::RunModal(WWindow* parent, uint32_t templateId) {
    if (Exists()) {
        return false;
    }
    impl_->kind = Impl::Kind::Modal;
    impl_->initialised = false;
    impl_->running = true;
    impl_->result = 0;
    impl_->defaultButton = nullptr;
    impl_->cancelButton = nullptr;
    HWND owner = parent != nullptr ? parent->impl()->hwnd : nullptr;
    // Every other enabled top-level window of the thread is disabled for the run.
    DisableContext context{impl_, owner};
    EnumThreadWindows(GetCurrentThreadId(), &DisableThreadWindow,
                      reinterpret_cast<LPARAM>(&context));
    bool deleted = false;
    impl_->deletedDuringRun = &deleted;
    const INT_PTR ended = DialogBoxParamW(win32::ModuleInstance(), MAKEINTRESOURCEW(templateId),
                                          owner, &DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (deleted) {
        // Gone with its owner during the run; its destructor enabled the windows again.
        return ended != -1;
    }
    impl_->deletedDuringRun = nullptr;
    EnableDisabledWindows(*impl_);
    impl_->running = false;
    impl_->defaultButton = nullptr;
    impl_->cancelButton = nullptr;
    return impl_->initialised;
}

void WDialog::EndDialog(int32_t result) {
    if (!Exists()) {
        return;
    }
    impl_->result = result;
    // Enabled again before the box goes, so that the activation returns to them.
    EnableDisabledWindows(*impl_);
    if (impl_->kind == Impl::Kind::Modal && impl_->running) {
        ::EndDialog(impl_->hwnd, result);
    } else {
        DestroyWindow(impl_->hwnd);
    }
}

int32_t WDialog::Result() const {
    return impl_->result;
}

void WDialog::SetDefaultButton(WCommandButton* button) {
    impl_->defaultButton = button;
    if (Exists() && button != nullptr) {
        SendMessageW(impl_->hwnd, DM_SETDEFID, button->ItemId(), 0);
    }
}

void WDialog::SetCancelButton(WCommandButton* button) {
    impl_->cancelButton = button;
}

WCommandButton* WDialog::DefaultButton() const {
    return impl_->defaultButton;
}

WCommandButton* WDialog::CancelButton() const {
    return impl_->cancelButton;
}

// --- Controls ---

bool WControl::Attach(WWindow& dialog, uint32_t itemId) {
    if (!dialog.Exists()) {
        return false;
    }
    HWND item = GetDlgItem(dialog.impl()->hwnd, static_cast<int>(itemId));
    if (item == nullptr) {
        return false;
    }
    Untie(impl_->hwnd, this);
    impl_->kind = Impl::Kind::Control;
    impl_->hwnd = item;
    impl_->itemId = itemId;
    Tie(item, this);
    return true;
}

uint32_t WControl::ItemId() const {
    return impl_->itemId;
}

const char* WControl::Text() const {
    impl_->text[0] = '\0';
    if (Exists()) {
        wchar_t wide[256];
        if (GetWindowTextW(impl_->hwnd, wide, 256) >= 0) {
            win32::WideToUtf8(wide, impl_->text, static_cast<int>(sizeof impl_->text));
        }
    }
    return impl_->text;
}

void WCommandButton::SetPushed(bool pushed) {
    if (Exists()) {
        SendMessageW(impl_->hwnd, BM_SETSTATE, pushed ? TRUE : FALSE, 0);
    }
}

void WPictureBox::SetIcon(const WIcon& icon) {
    if (Exists() && icon.impl() != nullptr) {
        SendMessageW(impl_->hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon.impl()->largeIcon), 0);
    }
}
