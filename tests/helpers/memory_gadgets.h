// Gadgets with no screen: plain state per gadget, a queue of user events, and a record of
// every message box and beep. Tests drive the whole program through it.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/window_layout.h"

namespace ui {

struct ShownMessage {
    std::string title;
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    std::vector<std::string> buttonTexts;  // as shown: Yes and No, or OK
};

class MemoryGadgets : public Gadgets {
  public:
    explicit MemoryGadgets(const WindowLayout& layout);

    std::string Text(int gadget) const override;
    std::string_view LineEnd() const override { return "\r\n"; }
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
    int FocusedGadget() const override { return focused_; }
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
    void Beep() override { ++beeps_; }
    void PostClick(int gadget) override;
    Event WaitEvent() override;
    void SetCursor(CursorShape shape) override { cursor_ = shape; }
    bool PointerInside(int gadget) const override { return gadget == pointerOver_; }
    void OpenUrl(const std::string& url) override { openedUrls_.push_back(url); }
    void ShowWindow() override { windowShown_ = true; }

    // --- What a user does. Each queues the events the real window would report. ---
    // Types the characters one by one through the field's input filter, length limit and
    // digits-only rule; each accepted character reports a text change.
    void Type(int gadget, const std::string& text);
    void PressKey(int key);  // a key going down, e.g. kKeyEnter
    void Click(int gadget);
    void Pick(int gadget, int index);         // combo box or list box selection change
    void DoubleClick(int gadget, int index);  // list box
    void SwitchPage(int page);                // the panel
    void MovePointer(int overGadget);         // -1 = over nothing
    void RequestClose();
    bool HasPendingEvent() const { return !events_.empty(); }

    // --- What a test reads back. ---
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    int Beeps() const { return beeps_; }
    CursorShape Cursor() const { return cursor_; }
    const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
    std::string PageTitle(int page) const;
    bool WindowShown() const { return windowShown_; }
    bool Exists(int gadget) const { return gadgets_.count(gadget) != 0; }
    // Answers to the next Yes/No questions, in order; without one, the default (No).
    void AnswerNextQuestions(std::vector<MessageAnswer> answers);

  private:
    struct Slot {
        GadgetLayout layout;
        std::string text;
        int state = 0;
        std::vector<std::string> items;
        bool enabled = true, visible = true, readOnly = false;
        Color textColor, backColor;
        std::string toolTip;
    };
    Slot* Find(int gadget);
    const Slot* Find(int gadget) const;

    std::map<int, Slot> gadgets_;
    std::vector<std::string> pageTitles_;
    int panel_ = -1;
    int focused_ = -1;
    std::deque<Event> events_;
    std::vector<ShownMessage> messages_;
    std::deque<MessageAnswer> answers_;
    std::string yesText_, noText_, okText_;
    std::vector<std::string> openedUrls_;
    int beeps_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
    int pointerOver_ = -1;
    bool windowShown_ = false;
};

}  // namespace ui
