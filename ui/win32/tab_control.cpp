// The panel: a tab control whose pages are borderless child windows over its display area.
#include <iterator>

#include "ui/win32/controls.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/wide_text.h"

namespace ui::win32 {

HWND CreatePanel(HWND parent, int id, const Rect& px) {
    // A control parent, so that Tab walks on into the controls of the shown page.
    return MakeChild(WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                     WS_EX_CONTROLPARENT, parent, id, px);
}

HWND CreatePage(HWND panel, int id, const Rect& px, bool visible, ControlOwner* owner) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    return CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", style, px.x, px.y, px.w, px.h,
                           panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(),
                           owner);
}

void AddPanelPage(HWND panel, const std::wstring& title, int iconIndex) {
    TCITEMW item{};
    item.mask = TCIF_TEXT | (iconIndex >= 0 ? TCIF_IMAGE : 0);
    item.pszText = const_cast<wchar_t*>(title.c_str());
    item.iImage = iconIndex;
    const int count = static_cast<int>(SendMessageW(panel, TCM_GETITEMCOUNT, 0, 0));
    SendMessageW(panel, TCM_INSERTITEMW, count, reinterpret_cast<LPARAM>(&item));
}

HIMAGELIST CreatePageIcons(const std::vector<int>& images, int size) {
    HIMAGELIST list =
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, static_cast<int>(images.size()));
    for (int image : images) {
        auto icon = static_cast<HICON>(LoadImageW(Instance(),
                                                  MAKEINTRESOURCEW(LOOPSMITH_IMAGE_BASE + image),
                                                  IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        if (icon) {
            ImageList_AddIcon(list, icon);
            DestroyIcon(icon);
        }
    }
    return list;
}

void SetPageTitles(HWND panel, const std::vector<std::string>& titles) {
    const int count = static_cast<int>(SendMessageW(panel, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < count && page < static_cast<int>(titles.size()); ++page) {
        std::wstring wide = Wide(titles[static_cast<size_t>(page)]);
        wchar_t current[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = current;
        item.cchTextMax = static_cast<int>(std::size(current));
        if (wide.size() < std::size(current) - 1 &&
            SendMessageW(panel, TCM_GETITEMW, static_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(&item)) &&
            wide == current) {
            continue;  // no repaint for the title it has
        }
        item.pszText = wide.data();
        SendMessageW(panel, TCM_SETITEMW, static_cast<WPARAM>(page),
                     reinterpret_cast<LPARAM>(&item));
        InvalidateRect(panel, nullptr, TRUE);  // a shorter title leaves the old one drawn
    }
}

int ShownPage(HWND panel) {
    return static_cast<int>(SendMessageW(panel, TCM_GETCURSEL, 0, 0));
}

void ChoosePage(HWND panel, int page) {
    SendMessageW(panel, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
}

}  // namespace ui::win32
