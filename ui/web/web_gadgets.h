// The gadget layer on a web page: every control a page element made from the window's layout
// at its place, the user's actions queued by the page's listeners (page.js) and handed to the
// program one at a time. A page cannot block: the program's loop is the page's own, and
// WaitEvent only takes what is already queued.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/gadget_frame.h"
#include "ui/window_layout.h"

namespace ui::web {

// The event type of a file the user picked for the gadget that asked.
inline constexpr int kEventFilePicked = 1024;
// The address's fragment changed under the page (a link pasted into the address bar, history),
// reported with gadget -1.
inline constexpr int kEventAddressChanged = 1025;

// What page.js reports (the first argument of loopsmith_report).
enum class PageEvent { Gadget = 0, Key = 1, Mouse = 2, Page = 3, File = 4, Address = 5 };

class WebGadgets : public GadgetFrame {
  public:
    // The window goes into the page's #window element when first shown, made from the
    // controls' state at that moment.
    explicit WebGadgets(const WindowLayout& layout);
    ~WebGadgets() override;

    // Whether the window can be made: a sound layout and a place for it in the page.
    bool Buildable() const;
    // While held, showing the window only marks it to be shown: the program's start-up then
    // changes the controls' state alone, and the page makes the window once, with every
    // caption and item in place, when the hold ends (or when a message box needs it behind).
    void HoldWindow(bool hold);

    // The page's listeners report here.
    void Report(PageEvent kind, int gadget, int type, int key);
    // Whether a character typed into a field may land; beeps when the rule says so.
    bool LetTyped(int gadget, char32_t& ch, const std::string& text, int start, int length);
    // Whether a paste into the field is typing by the number fields' rule.
    bool HasPasteRule(int gadget) const;
    // A text pasted or dropped into a field: what goes in, or nothing (with the beep).
    std::optional<std::string> LetPasted(int gadget, const std::string& text, int start, int length,
                                         const std::string& pasted);
    // What the beep says to a screen reader, in the page's language.
    void SetRefusalText(const std::string& text) { refusalText_ = text; }

    // What a page offers on top of a window: the clipboard, a file the user picks (its name
    // and bytes arrive with a kEventFilePicked event of `gadget`), a download, the browser's
    // preferred languages, the address's fragment.
    // Once copied, the button `gadget` shows `done` for a moment and the page announces it.
    void CopyToClipboard(const std::string& text, int gadget, const std::string& done);
    // A file beyond `maxBytes` arrives empty, unread.
    void PickFile(int gadget, const std::string& accept, double maxBytes);
    void SetPickedFile(std::string name, std::string bytes);
    const std::string& PickedFileName() const { return pickedName_; }
    std::string TakePickedFile();
    void Download(const std::string& name, const std::string& bytes, const std::string& type);
    std::vector<std::string> PreferredLanguages() const;
    std::string Fragment() const;
    void SetFragment(const std::string& fragment);

    // For screen readers: a control's own name, in place of its label's; the page's language
    // (a BCP 47 tag); and a note said aloud once (a live region), what a beep says to the eye.
    void SetAccessibleName(int gadget, const std::string& name);
    void SetPageLanguage(const std::string& tag);
    void Announce(const std::string& text);

    // A text area shows its lines with "\n" (and turns "\r\n" into it): the program writes so.
    std::string_view LineEnd() const override { return "\n"; }
    void Focus(int gadget) override;
    int FocusedGadget() const override;
    bool PointerInside(int gadget) const override;
    void OpenUrl(const std::string& url) override;
    void ShowWindow() override;
    // Lets the page draw and answer before the program goes on: a long piece of work in parts,
    // none of which holds the page for long.
    void YieldToPage();
    // Puts the items added since on the page; due before the page is next drawn.
    void ShowPendingItems() const;

  protected:
    void Push(Control& control, Aspect aspect) override;
    std::string ReadText(const Control& control) const override;
    int ReadState(const Control& control) const override;
    bool PumpMessages() override;
    bool WindowOnScreen() const override;
    MessageAnswer RunMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                                MessageButtons buttons) override;
    void Ring() override;
    void ShowCursor(CursorShape shape) override;

  private:
    bool Build();
    // Makes the window if need be and shows it, focused as asked meanwhile.
    void Reveal();
    void PushItems(const Control& control);
    void ShowItems(int gadget) const;
    void ShowPage(int page);
    // A gadget the page has elements for.
    bool Shown(int gadget) const;

    // How many options each select has on the page: new items are only added.
    mutable std::map<int, std::size_t> optionsShown_;
    mutable std::set<int> itemsDue_;  // lists whose options lag behind their items
    std::map<int, std::string> names_;
    int page_ = 0;
    std::string picked_, pickedName_;
    std::string refusalText_;
    int focusWanted_ = -1;  // a focus asked for before the window was shown
    bool built_ = false;
    bool shown_ = false;
    bool held_ = false;
    bool showWanted_ = false;
};

// The face the page's entry points talk to: the one window of the page.
void SetCurrent(WebGadgets* gadgets);

}  // namespace ui::web
