// The gadget layer on a web page: every control a page element made from the WindowLayout at
// its place, the user's actions queued by the page's listeners (page.js) and handed to the
// program one at a time. A page cannot block: the program's loop is the page's own, and
// WaitEvent only takes what is already queued.
#pragma once

#include <emscripten/val.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/window_layout.h"

namespace ui::web {

// The event type of a file the user picked for the gadget that asked.
inline constexpr int kEventFilePicked = 1024;

// What page.js reports (the first argument of loopsmith_report).
enum class PageEvent { Gadget = 0, Key = 1, Mouse = 2, Page = 3, File = 4 };

class WebGadgets : public Gadgets {
  public:
    // Builds the window into the page's #window element, hidden until ShowWindow.
    explicit WebGadgets(const WindowLayout& layout);
    ~WebGadgets() override;

    bool Built() const { return built_; }
    bool HasPendingEvent() const { return !events_.empty(); }
    int BeepCount() const { return beeps_; }
    // The page's element of a gadget (undefined for an unknown number).
    emscripten::val Element(int gadget) const;

    // The page's listeners report here.
    void Report(PageEvent kind, int gadget, int type, int key);
    // Whether a character typed into a field may land (0), is dropped (1) or dropped with the
    // error beep (2); positions in code points.
    int TypedCharVerdict(int gadget, char32_t ch, const std::string& text, int start,
                         int length);

    // What a page offers on top of a window: the clipboard, a file the user picks (its bytes
    // arrive with a File event of `gadget`), a download, the preferred languages, the address.
    void CopyToClipboard(const std::string& text);
    void PickFile(int gadget, const std::string& accept);
    std::string TakePickedFile();
    const std::string& PickedFileName() const { return pickedName_; }
    void SetPickedFile(std::string name, std::string bytes) {
        pickedName_ = std::move(name);
        picked_ = std::move(bytes);
    }
    void Download(const std::string& name, const std::string& bytes, const std::string& type);
    std::vector<std::string> PreferredLanguages() const;
    std::string Fragment() const;
    void SetFragment(const std::string& fragment);

    std::string Text(int gadget) const override;
    void SetText(int gadget, const std::string& text) override;
    int State(int gadget) const override;
    void SetState(int gadget, int state) override;
    int ItemCount(int gadget) const override;
    std::string ItemText(int gadget, int index) const override;
    void ClearItems(int gadget) override;
    void AddItem(int gadget, const std::string& text) override;
    void SetPageTitle(int panel, int page, const std::string& title) override;
    bool IsEnabled(int gadget) const override;
    void SetEnabled(int gadget, bool enabled) override;
    bool IsVisible(int gadget) const override;
    void SetVisible(int gadget, bool visible) override;
    bool IsReadOnly(int gadget) const override;
    void SetReadOnly(int gadget, bool readOnly) override;
    void Focus(int gadget) override;
    int FocusedGadget() const override;
    Color TextColor(int gadget) const override;
    void SetTextColor(int gadget, Color color) override;
    Color BackColor(int gadget) const override;
    void SetBackColor(int gadget, Color color) override;
    void SetToolTip(int gadget, const std::string& text) override;
    std::string ToolTip(int gadget) const override;
    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    void SetMessageButtonTexts(const std::string& yes, const std::string& no,
                               const std::string& ok) override;
    void Beep() override;
    void PostClick(int gadget) override;
    Event WaitEvent() override;
    void SetCursor(CursorShape shape) override;
    bool PointerInside(int gadget) const override;
    void OpenUrl(const std::string& url) override;
    void ShowWindow() override;

  private:
    struct Entry {
        GadgetLayout layout;
        emscripten::val element = emscripten::val::undefined();  // what has the data-gadget mark
        emscripten::val control = emscripten::val::undefined();  // what holds value and focus
        emscripten::val caption = emscripten::val::undefined();  // what holds the caption
        Color textColor, backColor;
        std::string toolTip;
        std::string rawText;  // output boxes: the text exactly as the program set it
        bool visible = true;
    };

    bool Build(const WindowLayout& layout);
    bool MakeElement(Entry& entry, emscripten::val parent);
    void MakeTabs(Entry& panel);
    void ShowPage(int page);
    void ApplyColors(const Entry& entry);
    Entry* Find(int gadget);
    const Entry* Find(int gadget) const;

    emscripten::val window_ = emscripten::val::undefined();
    std::map<int, Entry> entries_;
    int panel_ = -1;
    int page_ = 0;
    std::vector<int> pageContainers_, pageIcons_;
    int pagesMade_ = 0;
    std::deque<Event> events_;
    std::string picked_, pickedName_;
    std::string yes_ = "Yes", no_ = "No", ok_ = "OK";
    int beeps_ = 0;
    int focusWanted_ = -1;  // a focus asked for before the window was shown
    bool built_ = false;
};

// The face the page's entry points talk to: the one window of the page.
void SetCurrent(WebGadgets* gadgets);

}  // namespace ui::web
