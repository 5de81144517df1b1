// Windows, dialogs and controls of the headless backend, and the frames the software canvas
// draws into.
#include <cstring>

#include "shell/platform/headless/headless_internal.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/soft/soft_resources.h"

using headless::ModalRun;
using headless::Thread;
using headless::ThreadState;

namespace {

int32_t MulDiv(int32_t value, int32_t numerator, int32_t denominator) {
    const int64_t product = int64_t{value} * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / denominator
                                             : (product - half) / denominator);
}

int32_t TopFrame(const WWindow::Impl& impl) {
    return headless::FrameBorder + headless::CaptionHeight +
           (impl.menu != nullptr ? headless::MenuBarHeight : 0);
}

WRect ClientOnScreen(const WWindow::Impl& impl) {
    const int32_t width = impl.outer.width - 2 * headless::FrameBorder;
    const int32_t height = impl.outer.height - TopFrame(impl) - headless::FrameBorder;
    return WRect{impl.outer.x + headless::FrameBorder, impl.outer.y + TopFrame(impl),
                 width > 0 ? width : 0, height > 0 ? height : 0};
}

WRect ItemPixels(const ResDialogItem& item) {
    return WRect{MulDiv(item.x, headless::DialogBaseX, 4), MulDiv(item.y, headless::DialogBaseY, 8),
                 MulDiv(item.cx, headless::DialogBaseX, 4),
                 MulDiv(item.cy, headless::DialogBaseY, 8)};
}

void Register(WWindow* window) {
    ThreadState& t = Thread();
    if (t.windowCount < ThreadState::MaxWindows) {
        t.windows[t.windowCount++] = window;
    }
}

void Unregister(WWindow* window) {
    ThreadState& t = Thread();
    for (int i = 0; i < t.windowCount; ++i) {
        if (t.windows[i] == window) {
            for (int j = i; j + 1 < t.windowCount; ++j) {
                t.windows[j] = t.windows[j + 1];
            }
            t.windows[--t.windowCount] = nullptr;
            return;
        }
    }
}

// The controls of a dialog lose their windows with it; the objects stay with their owner.
void DetachControls(WWindow::Impl& impl) {
    for (WControl*& control : impl.controls) {
        if (control != nullptr) {
            control->impl()->exists = false;
            control->impl()->dialog = nullptr;
            control->impl()->itemIndex = -1;
            control = nullptr;
        }
    }
}

// What goes with a window whether it is destroyed or its object deleted.
void TearDown(WWindow* window) {
    WWindow::Impl& impl = *window->impl();
    DetachControls(impl);
    impl.menu = nullptr;
    impl.exists = false;
    impl.visible = false;
    impl.enabled = true;
    impl.defaultButton = nullptr;
    impl.cancelButton = nullptr;
    Unregister(window);
    headless::ForgetWindow(window);
}

}  // namespace

// --- WWindow ---------------------------------------------------------------------------------

WWindow::WWindow() : impl_(new Impl) {
    impl_->self = this;
}

WWindow::~WWindow() {
    if (impl_->kind == Impl::Kind::Control) {
        if (impl_->dialog != nullptr && impl_->itemIndex >= 0) {
            impl_->dialog->impl()->controls[impl_->itemIndex] = nullptr;
        }
    } else if (impl_->exists) {
        // The object goes with its window still there: the window goes silently, no event is
        // raised into an object that is being destroyed.
        TearDown(this);
    }
    if (impl_->run != nullptr) {
        impl_->run->objectGone = true;
        headless::EnableAgain(*impl_->run);
    }
    delete impl_;
}

bool WWindow::Exists() const {
    return impl_->exists;
}

WRect WWindow::GetClientRect() const {
    if (!impl_->exists) {
        return WRect{};
    }
    if (impl_->kind == Impl::Kind::Control) {
        const WRect r = ItemPixels(impl_->dialog->impl()->dialogTemplate.items[impl_->itemIndex]);
        return WRect{0, 0, r.width, r.height};
    }
    const WRect c = ClientOnScreen(*impl_);
    return WRect{0, 0, c.width, c.height};
}

WRect WWindow::GetOuterRect() const {
    if (!impl_->exists) {
        return WRect{};
    }
    if (impl_->kind == Impl::Kind::Control) {
        const WRect dialog = ClientOnScreen(*impl_->dialog->impl());
        const WRect r = ItemPixels(impl_->dialog->impl()->dialogTemplate.items[impl_->itemIndex]);
        return WRect{dialog.x + r.x, dialog.y + r.y, r.width, r.height};
    }
    return impl_->outer;
}

void WWindow::SetOuterWidth(int32_t width) {
    if (impl_->exists && impl_->kind == Impl::Kind::TopLevel) {
        impl_->outer.width = width > 0 ? width : 0;
    }
}

void WWindow::SetOuterHeight(int32_t height) {
    if (impl_->exists && impl_->kind == Impl::Kind::TopLevel) {
        impl_->outer.height = height > 0 ? height : 0;
    }
}

void WWindow::Centre(WWindow* parent) {
    if (!impl_->exists || impl_->kind != Impl::Kind::TopLevel) {
        return;
    }
    const WRect area =
        parent != nullptr && parent->Exists() && parent->impl()->kind == Impl::Kind::TopLevel
            ? ClientOnScreen(*parent->impl())
            : headless::WorkAreaRect;
    const WRect placed = WCentreRect(impl_->outer, area, headless::WorkAreaRect);
    impl_->outer.x = placed.x;
    impl_->outer.y = placed.y;
}

void WWindow::SetIcons(const WIcon& icon) {
    impl_->icon = &icon;
}

void WWindow::SetFont(const WFont& font, bool /*redraw*/) {
    impl_->font = SoftFontDescription(font);
}

void WWindow::SetMenuBar(WMenu* menu) {
    // The outer size stays; the menu bar takes its height from the client area.
    if (impl_->exists && impl_->kind == Impl::Kind::TopLevel) {
        impl_->menu = menu;
    }
}

WMenu* WWindow::MenuBar() const {
    return impl_->menu;
}

void WWindow::Show() {
    if (impl_->exists) {
        impl_->visible = true;
    }
}

void WWindow::Enable(bool enable) {
    if (impl_->exists) {
        impl_->enabled = enable;
    }
}

bool WWindow::Enabled() const {
    return impl_->exists && impl_->enabled;
}

void WWindow::RequestClose() {
    if (impl_->exists) {
        headless::PostMessage(headless::Message{headless::Message::Kind::Close, this});
    }
}

bool WWindow::Destroy() {
    if (!impl_->exists || impl_->destroying || impl_->kind != Impl::Kind::TopLevel) {
        return false;
    }
    impl_->destroying = true;
    // Owned windows go first, as the system takes them down with their owner.
    ThreadState& t = Thread();
    for (int i = t.windowCount - 1; i >= 0; --i) {
        if (i < t.windowCount && t.windows[i]->impl()->owner == this) {
            t.windows[i]->Destroy();
        }
    }
    WEventData data;
    Raise(WEventId::Destroy, &data);
    // Destroying a modal dialog ends its run.
    if (impl_->run != nullptr) {
        impl_->run->ended = true;
        headless::EnableAgain(*impl_->run);
    }
    TearDown(this);
    impl_->destroying = false;
    return true;
}

// --- Dialogs ---------------------------------------------------------------------------------

bool WModelessDialog::Create(WWindow* parent, uint32_t templateId) {
    ThreadState& t = Thread();
    if (impl_->exists || impl_->kind == Impl::Kind::Control) {
        return false;
    }
    if (t.failNextCreate) {
        t.failNextCreate = false;
        return false;
    }
    ResBytes bytes;
    if (templateId > 0xFFFF ||
        !FindProgramResource(RtDialog, static_cast<uint16_t>(templateId), &bytes) ||
        !ParseDialogTemplate(bytes.data, bytes.size, &impl_->dialogTemplate)) {
        return false;
    }
    if (t.windowCount == ThreadState::MaxWindows) {
        return false;  // the window system refuses more windows
    }
    const ResDialogTemplate& tmpl = impl_->dialogTemplate;
    impl_->kind = Impl::Kind::TopLevel;
    impl_->templateId = templateId;
    impl_->owner = parent;
    impl_->exists = true;
    impl_->visible = false;
    impl_->enabled = true;
    impl_->menu = nullptr;
    impl_->icon = nullptr;
    impl_->font.clear();
    impl_->blits = 0;
    impl_->lastChanged = WRect{};
    // The template gives the client area in dialog units, placed relative to the owner's client
    // area (the screen without an owner).
    const int32_t clientWidth = MulDiv(tmpl.cx, headless::DialogBaseX, 4);
    const int32_t clientHeight = MulDiv(tmpl.cy, headless::DialogBaseY, 8);
    WRect origin{};
    if (parent != nullptr && parent->Exists() && parent->impl()->kind == Impl::Kind::TopLevel) {
        origin = ClientOnScreen(*parent->impl());
    }
    impl_->outer = WRect{
        origin.x + MulDiv(tmpl.x, headless::DialogBaseX, 4),
        origin.y + MulDiv(tmpl.y, headless::DialogBaseY, 8),
        clientWidth + 2 * headless::FrameBorder,
        clientHeight + headless::FrameBorder + headless::CaptionHeight + headless::FrameBorder};
    // The frame is made once with the window, black until something draws.
    impl_->pixels.assign(size_t{headless::FrameWidth} * headless::FrameHeight * 3, 0);
    impl_->surface = SoftSurface{headless::FrameWidth, headless::FrameHeight, impl_->pixels.data()};
    Register(this);

    WEventData data;
    Raise(WEventId::Create, &data);
    if (!impl_->exists) {
        return false;  // taken down again while it was made
    }
    if ((tmpl.style & WsVisible) != 0) {
        impl_->visible = true;
    }
    return true;
}

bool WDialog::RunModal(WWindow* parent, uint32_t templateId) {
    ThreadState& t = Thread();
    if (impl_->exists || impl_->run != nullptr || t.modalCount == ThreadState::MaxModal) {
        return false;
    }
    ModalRun run;
    run.dialog = this;
    // Every enabled top-level window of the thread is disabled for the run.
    for (int i = 0; i < t.windowCount && run.disabledCount < ModalRun::MaxDisabled; ++i) {
        if (t.windows[i]->Enabled()) {
            t.windows[i]->Enable(false);
            run.disabled[run.disabledCount++] = t.windows[i];
        }
    }
    t.modal[t.modalCount++] = &run;
    impl_->run = &run;
    impl_->result = 0;

    bool made = Create(parent, templateId);
    while (made && !run.ended && !run.objectGone) {
        if (t.loopFailed) {
            EndDialog(0);
            break;
        }
        headless::Message message;
        if (headless::TakeMessage(&message)) {
            headless::DispatchMessage(message);
            continue;
        }
        if (t.quitPending) {
            // The quit message ends the box; it stays posted for the loop outside.
            EndDialog(0);
            break;
        }
        if (!headless::Idle()) {
            t.loopFailed = true;
            EndDialog(0);
            break;
        }
    }
    // Take this run off the stack (runs end innermost first).
    for (int i = t.modalCount - 1; i >= 0; --i) {
        if (t.modal[i] == &run) {
            for (int j = i; j + 1 < t.modalCount; ++j) {
                t.modal[j] = t.modal[j + 1];
            }
            t.modal[--t.modalCount] = nullptr;
            break;
        }
    }
    headless::EnableAgain(run);
    if (t.loopDepth == 0 && t.modalCount == 0) {
        t.loopFailed = false;  // no loop is left to end
    }
    if (run.objectGone) {
        return made;  // the object is gone: nothing of it may be touched
    }
    impl_->run = nullptr;
    if (impl_->exists) {
        Destroy();
    }
    return made;
}

void WDialog::EndDialog(int32_t result) {
    impl_->result = result;
    if (impl_->run != nullptr) {
        // The run ends when its loop next looks; the window goes then, not under the handler
        // that is ending it.
        impl_->run->ended = true;
        headless::EnableAgain(*impl_->run);
    } else if (impl_->exists) {
        Destroy();
    }
}

int32_t WDialog::Result() const {
    return impl_->result;
}

void WDialog::SetDefaultButton(WCommandButton* button) {
    impl_->defaultButton = button;
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

// --- Controls --------------------------------------------------------------------------------

bool WControl::Attach(WWindow& dialog, uint32_t itemId) {
    WWindow::Impl& d = *dialog.impl();
    if (!d.exists || d.kind != Impl::Kind::TopLevel || impl_->kind == Impl::Kind::TopLevel) {
        return false;
    }
    for (int i = 0; i < d.dialogTemplate.itemCount; ++i) {
        if (d.dialogTemplate.items[i].id == itemId) {
            if (impl_->dialog != nullptr && impl_->itemIndex >= 0) {
                impl_->dialog->impl()->controls[impl_->itemIndex] = nullptr;
            }
            if (d.controls[i] != nullptr && d.controls[i] != this) {
                d.controls[i]->impl()->exists = false;
                d.controls[i]->impl()->dialog = nullptr;
                d.controls[i]->impl()->itemIndex = -1;
            }
            d.controls[i] = this;
            impl_->kind = Impl::Kind::Control;
            impl_->dialog = &dialog;
            impl_->itemIndex = i;
            impl_->exists = true;
            impl_->visible = (d.dialogTemplate.items[i].style & WsVisible) != 0;
            return true;
        }
    }
    return false;
}

uint32_t WControl::ItemId() const {
    if (impl_->dialog == nullptr || impl_->itemIndex < 0) {
        return 0;
    }
    return impl_->dialog->impl()->dialogTemplate.items[impl_->itemIndex].id;
}

const char* WControl::Text() const {
    if (impl_->dialog == nullptr || impl_->itemIndex < 0) {
        return "";
    }
    return impl_->dialog->impl()->dialogTemplate.items[impl_->itemIndex].text;
}

void WCommandButton::SetPushed(bool pushed) {
    impl_->pushed = pushed;
}

void WPictureBox::SetIcon(const WIcon& icon) {
    impl_->pictureIcon = &icon;
}

// --- The software canvas's frames ------------------------------------------------------------

SoftSurface* SoftWindowSurface(WWindow& window) {
    WWindow::Impl& impl = *window.impl();
    if (!impl.exists || impl.kind != WWindow::Impl::Kind::TopLevel) {
        return nullptr;
    }
    return &impl.surface;
}

void SoftWindowChanged(WWindow& window, const WRect& area) {
    WWindow::Impl& impl = *window.impl();
    ++impl.blits;
    impl.lastChanged = area;
}

// --- Driver queries on windows ---------------------------------------------------------------

namespace headless {

WindowInfo Describe(const WWindow& window) {
    const WWindow::Impl& impl = *window.impl();
    WindowInfo info;
    info.exists = impl.exists;
    info.visible = impl.visible;
    info.enabled = window.Enabled();
    info.name = window.Name();
    if (!impl.exists || impl.kind != WWindow::Impl::Kind::TopLevel) {
        info.outer = window.GetOuterRect();
        info.client = window.GetClientRect();
        return info;
    }
    info.templateId = impl.templateId;
    info.caption = impl.dialogTemplate.caption;
    info.style = impl.dialogTemplate.style;
    info.outer = impl.outer;
    info.client = window.GetClientRect();
    info.clientOnScreen = ClientOnScreen(impl);
    info.owner = impl.owner;
    info.menu = impl.menu;
    info.icon = impl.icon;
    info.font = impl.font;
    info.defaultButton = impl.defaultButton;
    info.cancelButton = impl.cancelButton;
    info.blits = impl.blits;
    info.lastChanged = impl.lastChanged;
    for (int i = 0; i < impl.dialogTemplate.itemCount; ++i) {
        const ResDialogItem& item = impl.dialogTemplate.items[i];
        ItemInfo entry;
        entry.id = item.id;
        entry.classOrdinal = item.classOrdinal;
        entry.className = item.className;
        entry.text = item.text;
        entry.style = item.style;
        entry.rect = ItemPixels(item);
        entry.control = impl.controls[i];
        info.items.push_back(entry);
    }
    return info;
}

const ResDialogTemplate* WindowTemplate(const WWindow& window) {
    const WWindow::Impl& impl = *window.impl();
    return impl.exists && impl.kind == WWindow::Impl::Kind::TopLevel ? &impl.dialogTemplate
                                                                     : nullptr;
}

bool ButtonPushed(const WCommandButton& button) {
    return button.impl()->pushed;
}

const WIcon* PictureIcon(const WPictureBox& picture) {
    return picture.impl()->pictureIcon;
}

const SoftSurface* Frame(const WWindow& window) {
    return SoftWindowSurface(const_cast<WWindow&>(window));
}

bool WriteFrame(const WWindow& window, const char* path) {
    const SoftSurface* frame = Frame(window);
    return frame != nullptr && WriteSurfacePpm(*frame, path);
}

}  // namespace headless
