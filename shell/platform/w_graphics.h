// Bitmaps, icons and fonts from the executable's resources, and the window canvas.
#pragma once

#include <cstdint>

#include "shell/platform/w_geometry.h"

class WWindow;

// A bitmap resource of the executable, loaded by numeric id.
class WBitmap {
  public:
    WBitmap();
    WBitmap(const WBitmap&) = delete;
    WBitmap& operator=(const WBitmap&) = delete;
    ~WBitmap();

    bool Load(uint32_t resourceId);  // answers false (and stays empty) when it cannot
    void Release();
    bool Loaded() const;
    int32_t Width() const;  // 0 while empty
    int32_t Height() const;

    struct Impl;
    Impl* impl() const { return impl_; }

  private:
    Impl* impl_ = nullptr;
};

// An icon group of the executable.
class WIcon {
  public:
    WIcon();
    WIcon(const WIcon&) = delete;
    WIcon& operator=(const WIcon&) = delete;
    ~WIcon();

    bool Load(uint32_t groupId);
    bool Loaded() const;

    struct Impl;
    Impl* impl() const { return impl_; }

  private:
    Impl* impl_ = nullptr;
};

// A font made from a description "points.face[.CharSet=n]", e.g. "9.Arial.CharSet=0".
class WFont {
  public:
    WFont();
    WFont(const WFont&) = delete;
    WFont& operator=(const WFont&) = delete;
    ~WFont();

    bool Create(const char* description);
    bool Created() const;

    struct Impl;
    Impl* impl() const { return impl_; }

  private:
    Impl* impl_ = nullptr;
};

// A drawing surface that bitmap regions are blitted onto.
class WCanvas {
  public:
    WCanvas() = default;
    WCanvas(const WCanvas&) = delete;
    WCanvas& operator=(const WCanvas&) = delete;
    virtual ~WCanvas() = default;

    // Copies the source rectangle of the bitmap to the destination rectangle with the raster
    // operation. Without stretch pixels are copied 1:1: the destination's position and size and
    // the source's position are used, the source size is not. A width or height of 0 stands for
    // the bitmap's own. Answers whether the copy succeeded.
    virtual bool Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source,
                      bool stretch, WRop rop) = 0;
    // The same with source origin (0, 0).
    bool Blit(const WBitmap& bitmap, const WRect& destination, WRop rop) {
        return Blit(bitmap, destination, WRect{}, false, rop);
    }
};

// The canvas of a window's client area: binds to the window once and keeps its drawing
// context until it is released or destroyed.
class WDisplayCanvas : public WCanvas {
  public:
    WDisplayCanvas();
    ~WDisplayCanvas() override;

    bool Create(WWindow& window);
    void Release();
    bool Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source, bool stretch,
              WRop rop) override;
    using WCanvas::Blit;

    struct Impl;
    Impl* impl() const { return impl_; }

  private:
    Impl* impl_ = nullptr;
};
