// Every caption of the Windows window measured as Windows draws it, GetTextExtentPoint32 in the
// control's own font, against its control: every shipped language and one of doubled captions,
// at 96, 120, 144 and 192 DPI. Never a scroll arrow on the tabs.
#if defined(LOOPSMITH_CONTRACT_WIN32)
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "contract/faces.h"
#include "helpers/doubled_language.h"
#include "helpers/temp_folder.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_gadgets.h"

namespace {

int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

// Whether the control's font is drawn in Tahoma, the face Windows dialogs were made for (a
// prefix without it draws a wider one).
bool ShownInTahoma(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return lstrcmpiW(face, L"Tahoma") == 0;
}

// What does not fit, one line per control; with `inside`, also what lies outside the window.
std::string Clipped(ui::win32::Win32Gadgets& g, int dpi, bool inside) {
    std::string report;
    auto scaled = [dpi](int px) { return MulDiv(px, dpi, 96); };
    RECT window{};
    GetClientRect(g.Window(), &window);
    for (const ui::GadgetLayout& l : MainWindowLayout().gadgets) {
        HWND h = g.Handle(l.number);
        if (!h || !g.IsVisible(l.number) || l.kind == ui::GadgetKind::Container)
            continue;
        RECT r{};
        GetClientRect(h, &r);
        int need = 0, have = r.right;
        const std::wstring text = ui::win32::WindowText(h);
        switch (l.kind) {
            case ui::GadgetKind::Label:
            case ui::GadgetKind::Hyperlink:
                need = l.sunken ? 0 : TextWidth(h, text);
                break;
            case ui::GadgetKind::CheckBox:
                need = TextWidth(h, text) + scaled(13 + 6);
                break;
            case ui::GadgetKind::Button:
                need = TextWidth(h, text) + scaled(8);
                break;
            case ui::GadgetKind::Frame:
                need = TextWidth(h, text) + scaled(14);
                break;
            case ui::GadgetKind::ComboBox: {
                if (l.itemsMayOverflow)
                    break;
                COMBOBOXINFO info{sizeof(info)};
                GetComboBoxInfo(h, &info);
                have = info.rcItem.right - info.rcItem.left;
                for (int i = 0; i < g.ItemCount(l.number); ++i)
                    need = std::max(need, TextWidth(h, ui::win32::Wide(g.ItemText(l.number, i))));
                break;
            }
            case ui::GadgetKind::Panel: {
                RECT last{};
                SendMessageW(h, TCM_GETITEMRECT, SendMessageW(h, TCM_GETITEMCOUNT, 0, 0) - 1,
                             reinterpret_cast<LPARAM>(&last));
                need = last.right;
                HWND arrows = FindWindowExW(h, nullptr, UPDOWN_CLASSW, nullptr);
                if (arrows && IsWindowVisible(arrows))
                    report += "the tabs have scroll arrows\n";
                break;
            }
            default:
                break;
        }
        if (need > have) {
            report += std::to_string(l.number) + " \"" + ui::win32::Utf8(text) + "\" needs " +
                      std::to_string(need) + " px, has " + std::to_string(have) + "\n";
        }
        MapWindowPoints(h, g.Window(), reinterpret_cast<POINT*>(&r), 2);
        if (inside && (r.right > window.right || r.bottom > window.bottom))
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
    AppState app(g, folder.path());
    RECT before{};
    GetClientRect(g.Window(), &before);
    SCOPED_TRACE(ShownInTahoma(g.Handle(gadget::kCalculateButton)) ? "in Tahoma" : "another face");
    for (const std::filesystem::path& language :
         {std::filesystem::path(), shipped / "english.lng", shipped / "russian.lng",
          folder.path() / "doubled.lng"}) {
        ApplyLanguage(app, language);
        const bool doubled = language.filename() == "doubled.lng";
        for (int dpi : {120, 144, 192, 96}) {
            g.ApplyDpi({dpi});
            // A 1366 x 768 desktop holds the whole window up to 120 DPI; above, its height.
            EXPECT_EQ(Clipped(g, dpi, dpi <= 120), "") << language << " at " << dpi;
        }
        RECT client{};
        GetClientRect(g.Window(), &client);
        if (doubled)
            EXPECT_GT(client.right, before.right);
        else if (ShownInTahoma(g.Handle(gadget::kCalculateButton)))
            EXPECT_EQ(client.right, 392) << language;  // shipped languages and fonts: as ever
    }
}

}  // namespace
#endif
