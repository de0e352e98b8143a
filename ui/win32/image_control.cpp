// The banner: a static that shows a bitmap resource and reports clicks (SS_NOTIFY); a tab stop,
// framed while focused.
#include "ui/win32/controls.h"
#include "ui/win32/resource_ids.h"

namespace ui::win32 {

HWND CreateImage(HWND parent, int id, const Rect& px) {
    HWND image = MakeChild(L"STATIC", L"", SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL | WS_TABSTOP,
                           0, parent, id, px);
    if (image)
        AddFocusFrame(image);
    return image;
}

void ScaleImage(HWND image, int imageNumber, int width, int height) {
    // Loaded at the size it is shown at: stretched once, not on every paint.
    auto bitmap = static_cast<HBITMAP>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(LOOPSMITH_IMAGE_BASE + imageNumber), IMAGE_BITMAP,
                   width, height, LR_DEFAULTCOLOR));
    auto old = reinterpret_cast<HBITMAP>(
        SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old && old != bitmap)
        DeleteObject(old);
}

}  // namespace ui::win32
