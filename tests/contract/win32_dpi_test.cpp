// The Windows window moved to a monitor of another scale: wine never says so, the test does.
#if defined(LOOPSMITH_CONTRACT_WIN32)
#include <gtest/gtest.h>

#include "app/gadget_ids.h"
#include "contract/faces.h"
#include "ui/win32/win32_gadgets.h"

TEST(Win32Dpi, ANewScaleLaysTheWindowOutAgainAndBack) {
    using namespace gadget;
    Win32Face face;
    auto& g = static_cast<ui::win32::Win32Gadgets&>(face.Gadgets());
    const ui::WindowLayout layout = MainWindowLayout();
    for (int dpi : {144, 96}) {
        RECT suggested{};
        GetWindowRect(g.Window(), &suggested);
        SendMessageW(g.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        auto scaled = [dpi](int px) { return MulDiv(px, dpi, 96); };
        RECT client{};
        GetClientRect(g.Window(), &client);
        EXPECT_EQ(client.right, scaled(layout.clientWidth)) << dpi;
        if (dpi == 96) {  // 1.5 times as tall does not fit wine's desktop, which caps the window
            EXPECT_EQ(client.bottom, layout.clientHeight);
        }
        for (const ui::GadgetLayout& l : layout.gadgets) {
            if (l.number != kCalculateButton && l.number != kTimeField && l.number != kOutputBox &&
                l.number != kLanguageLabel)
                continue;
            RECT r{};
            GetWindowRect(g.Handle(l.number), &r);
            MapWindowPoints(nullptr, GetParent(g.Handle(l.number)), reinterpret_cast<POINT*>(&r),
                            2);
            EXPECT_EQ(r.left, scaled(l.place.x)) << l.number << " at " << dpi;
            EXPECT_EQ(r.top, scaled(l.place.y)) << l.number << " at " << dpi;
            EXPECT_EQ(r.right - r.left, scaled(l.place.w)) << l.number << " at " << dpi;
            EXPECT_EQ(r.bottom - r.top, scaled(l.place.h)) << l.number << " at " << dpi;
        }
        LOGFONTW font{};
        GetObjectW(
            reinterpret_cast<HFONT>(SendMessageW(g.Handle(kCalculateButton), WM_GETFONT, 0, 0)),
            sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(8, dpi, 72)) << dpi;
    }
}
#endif
