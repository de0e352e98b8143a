// Every caption of the Windows window measured as Windows draws it, GetTextExtentPoint32 in the
// control's own font, against its control: every shipped language and one of doubled captions,
// at 96, 120, 144 and 192 DPI; never a scroll arrow on the tabs.
#if defined(LOOPSMITH_CONTRACT_WIN32)
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "contract/faces.h"
#include "helpers/doubled_language.h"
#include "helpers/temp_folder.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace {

// The width of `text` in the control's font, and the face Windows draws that font in.
int TextWidth(HWND control, const std::wstring& text, std::wstring* face = nullptr) {
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, name);
    ReleaseDC(control, dc);
    if (face)
        *face = name;
    return size.cx;
}

// What does not fit, one line per control, and what lies outside the window (below it too with
// `wholeHeight`).
std::string Clipped(ui::win32::Win32Gadgets& g, int dpi, bool wholeHeight) {
    std::string report;
    RECT window{};
    GetClientRect(g.Window(), &window);
    for (const ui::GadgetLayout& l : MainWindowLayout().gadgets) {
        HWND h = g.Handle(l.number);
        using K = ui::GadgetKind;
        if (!g.IsVisible(l.number) || l.sunken || l.kind == K::Container || l.kind == K::Image ||
            l.kind == K::TextField || l.kind == K::OutputBox || l.kind == K::ListBox)
            continue;
        RECT r{};
        GetClientRect(h, &r);
        const std::wstring text = ui::win32::WindowText(h);
        // Beside the text: a check box's box, a button's bevel, a frame's title inset.
        const int margin[] = {0, 13 + 6, 0, 14, 0, 0, 8, 0, 0, 0, 0, 0};
        int need = TextWidth(h, text) + MulDiv(margin[static_cast<int>(l.kind)], dpi, 96);
        int have = r.right;
        if (l.kind == ui::GadgetKind::ComboBox) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            GetComboBoxInfo(h, &info);
            have = info.rcItem.right - info.rcItem.left;
            for (int i = 0; i < g.ItemCount(l.number) && !l.itemsMayOverflow; ++i)
                need = std::max(need, TextWidth(h, ui::win32::Wide(g.ItemText(l.number, i))));
        } else if (l.kind == K::Label && (GetWindowLongW(h, GWL_STYLE) & SS_ELLIPSISMASK) == 0) {
            // On more lines: every word within its width, every line within its height.
            RECT lines{0, 0, r.right, 0};
            HDC dc = GetDC(h);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &lines,
                      DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            ReleaseDC(h, dc);
            need = lines.right;
            if (lines.bottom > r.bottom)
                report += std::to_string(l.number) + " has lines below its place\n";
        } else if (l.kind == ui::GadgetKind::Panel) {
            SendMessageW(h, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
            need = r.right;
            HWND arrows = FindWindowExW(h, nullptr, UPDOWN_CLASSW, nullptr);
            if (arrows && IsWindowVisible(arrows))
                report += "the tabs have scroll arrows\n";
        }
        if (need > have) {
            report += std::to_string(l.number) + " \"" + ui::win32::Utf8(text) + "\" needs " +
                      std::to_string(need) + " px, has " + std::to_string(have) + "\n";
        }
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, g.Window(), reinterpret_cast<POINT*>(&r), 2);
        if (r.right > window.right || (wholeHeight && r.bottom > window.bottom))
            report += std::to_string(l.number) + " lies outside the window\n";
    }
    return report;
}

TEST(Win32Captions, FitEveryLanguageAtEveryScale) {
    testing_files::TempFolder folder;
    const std::filesystem::path shipped = std::filesystem::path(LOOPSMITH_BIN_DIR) / "Language";
    testing_files::WriteDoubledLanguage(folder.path() / "doubled.lng");
    Win32Face face;
    auto& g = static_cast<ui::win32::Win32Gadgets&>(face.Gadgets());
    AppState app(g, folder.path(), PortableLocations(folder.path()));
    std::wstring drawnIn;
    TextWidth(g.Handle(gadget::kCalculateButton), L"", &drawnIn);
    for (const std::filesystem::path& language :
         {std::filesystem::path(), shipped / "english.lng", shipped / "russian.lng",
          folder.path() / "doubled.lng"}) {
        ApplyLanguage(app, language);
        for (int dpi : {120, 144, 192, 96}) {
            g.ApplyDpi({dpi});
            // The 510-px client area and its title bar fit a 768-px desktop up to 120 DPI; at 144
            // the client area alone; at 192 the desktop cuts its bottom off whatever the captions.
            EXPECT_EQ(Clipped(g, dpi, dpi <= 144), "") << language << " at " << dpi;
            RECT outer{};
            GetWindowRect(g.Window(), &outer);
            EXPECT_LE(outer.right - outer.left, 1366) << language << " at " << dpi;
            EXPECT_TRUE(dpi > 120 || outer.bottom - outer.top <= 768) << language << " at " << dpi;
        }
        RECT client{};
        GetClientRect(g.Window(), &client);
        if (language.filename() == "doubled.lng") {
            EXPECT_GT(client.right, 392);
            // A screen a little too narrow for the cycles label's row: it takes more lines.
            RECT outer{};
            g.ApplyDpi({192});
            GetWindowRect(g.Window(), &outer);
            g.ApplyDpi({192}, outer.right - outer.left - 16);
            EXPECT_EQ(Clipped(g, 192, false), "");
            RECT label{};
            GetClientRect(g.Handle(gadget::kCyclesLabel), &label);
            EXPECT_GT(label.bottom, MulDiv(16, 192, 96));
            g.ApplyDpi({96});
        } else if (drawnIn == L"Tahoma") {  // the shipped languages and face: the size it had
            EXPECT_EQ(client.right, 392) << language;
            EXPECT_EQ(client.bottom, 510) << language;
        }
    }
}

}  // namespace
#endif
