// Gadgets with no screen: the frame's wanted state is all there is, plus a record of every
// message box and beep. Tests drive the whole program through it.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/gadget_frame.h"

namespace ui {

struct ShownMessage {
    std::string title;
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    std::vector<std::string> buttonTexts;  // as shown: Yes and No, or OK
};

class MemoryGadgets : public GadgetFrame {
  public:
    explicit MemoryGadgets(const WindowLayout& layout) : GadgetFrame(layout) {}

    void Focus(int gadget) override;
    int FocusedGadget() const override { return focused_; }
    // The queue as it stands: an empty one reads as the window closed, and later events
    // still arrive.
    Event WaitEvent() override { return Events().Take(); }
    bool PointerInside(int gadget) const override { return gadget == pointerOver_; }
    void OpenUrl(const std::string& url) override { openedUrls_.push_back(url); }
    void ShowWindow() override { windowShown_ = true; }

    // --- What a user does. Each queues the events the real window would report. ---
    // Types the characters one by one through the field's input filter, length limit and
    // digits-only rule; each accepted character reports a text change.
    void Type(int gadget, const std::string& text);
    // A paste at the end of the field, typed as a whole.
    void Paste(int gadget, const std::string& text);
    void PressKey(int key);  // a key going down, e.g. kKeyEnter
    void Click(int gadget);
    void Pick(int gadget, int index);         // combo box or list box selection change
    void DoubleClick(int gadget, int index);  // list box
    void SwitchPage(int page);                // the panel
    void MovePointer(int overGadget);         // -1 = over nothing
    void RequestClose();

    // --- What a test reads back. ---
    const std::vector<ShownMessage>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    int Beeps() const { return BeepCount(); }
    const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
    std::string PageTitle(int page) const;
    bool WindowShown() const { return windowShown_; }
    bool Exists(int gadget) const { return Find(gadget) != nullptr; }
    // Answers to the next Yes/No questions, in order; without one, the default (No).
    void AnswerNextQuestions(std::vector<MessageAnswer> answers);

  protected:
    // Nothing is ever made: every read and write is the wanted state's.
    void Push(Control&, Aspect) override {}
    std::string ReadText(const Control& control) const override { return control.want.text; }
    int ReadState(const Control& control) const override { return control.want.state; }
    bool PumpMessages() override { return false; }
    bool WindowOnScreen() const override { return windowShown_; }
    MessageAnswer RunMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                                MessageButtons buttons) override;
    void Ring() override {}
    void ShowCursor(CursorShape) override {}

  private:
    // The control a user can reach: there, enabled and (unless `hidden` is fine) shown.
    Control* Reachable(int gadget, bool hidden = false);

    int focused_ = -1;
    std::vector<ShownMessage> messages_;
    std::deque<MessageAnswer> answers_;
    std::vector<std::string> openedUrls_;
    int pointerOver_ = -1;
    bool windowShown_ = false;
};

}  // namespace ui
