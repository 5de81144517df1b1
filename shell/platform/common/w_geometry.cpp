// The centring rule of windows and dialogs.
#include "shell/platform/w_geometry.h"

WRect WCentreRect(const WRect& window, const WRect& area, const WRect& workArea) {
    int32_t left = area.x + (area.width - window.width) / 2;
    int32_t top = area.y + (area.height - window.height) / 2;
    // Pulled back so that the right and bottom edges stay inside the work area...
    if (left + window.width > workArea.x + workArea.width) {
        left = workArea.x + workArea.width - window.width;
    }
    if (top + window.height > workArea.y + workArea.height) {
        top = workArea.y + workArea.height - window.height;
    }
    // ...but never past the top-left corner of the screen.
    if (left < 0) {
        left = 0;
    }
    if (top < 0) {
        top = 0;
    }
    return WRect{left, top, window.width, window.height};
}
