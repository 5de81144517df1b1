// The window canvas of the software backends: blits into the window's frame and tells the
// backend which pixels changed.
#include "shell/platform/soft/soft_surface.h"

struct WDisplayCanvas::Impl {
    WWindow* window = nullptr;
};

WDisplayCanvas::WDisplayCanvas() : impl_(new Impl) {}
WDisplayCanvas::~WDisplayCanvas() {
    delete impl_;
}

bool WDisplayCanvas::Create(WWindow& window) {
    // The frame is looked up at every blit, so it may come and go with the window.
    impl_->window = &window;
    return true;
}

void WDisplayCanvas::Release() {
    impl_->window = nullptr;
}

bool WDisplayCanvas::Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source,
                          bool stretch, WRop rop) {
    if (impl_->window == nullptr) {
        return false;
    }
    SoftSurface* surface = SoftWindowSurface(*impl_->window);
    if (surface == nullptr) {
        return false;
    }
    WRect changed;
    const bool ok = SoftBlit(*surface, bitmap, destination, source, stretch, rop, &changed);
    if (changed.width > 0 && changed.height > 0) {
        SoftWindowChanged(*impl_->window, changed);
    }
    return ok;
}
