// Each face of the gadget layer with what a user does to it, behind one shape, so that one
// typed suite holds them all to the same contract: the in-memory double everywhere, the Qt
// face offscreen on Linux, the Windows API face under wine.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "helpers/memory_gadgets.h"

enum class BoxAction { Enter, Escape, ClickYes };

// What a face showed in its last message box: its buttons' captions.
struct SeenBox {
    bool shown = false;
    std::vector<std::string> buttons;
};

class MemoryFace {
  public:
    MemoryFace() : g_(MainWindowLayout()) {}
    ui::Gadgets& Gadgets() { return g_; }
    void Type(int gadget, const std::string& text) { g_.Type(gadget, text); }
    void Paste(int gadget, const std::string& text) { g_.Paste(gadget, text); }
    void Click(int gadget) { g_.Click(gadget); }
    void NextItem(int combo) { g_.Pick(combo, g_.State(combo) + 1); }
    void NextPage() { g_.SwitchPage(g_.State(MainWindowLayout().panel) + 1); }
    void SelectAll(int) {}  // the double types at the end; it has no selection
    bool HasSelection() const { return false; }
    void Pump() {}
    bool HasPendingEvent() const { return g_.HasPendingEvent(); }
    int Beeps() const { return g_.Beeps(); }
    void AnswerNextBox(BoxAction action) {
        if (action == BoxAction::ClickYes)
            g_.AnswerNextQuestions({ui::MessageAnswer::Yes});
    }
    SeenBox LastBox() const {
        if (g_.Messages().empty())
            return {};
        return {true, g_.Messages().back().buttonTexts};
    }

  private:
    ui::MemoryGadgets g_;
};

#if defined(LOOPSMITH_CONTRACT_QT)
namespace ui::qt {
class QtGadgets;
}
class QtFace {
  public:
    QtFace();
    ~QtFace();
    ui::Gadgets& Gadgets();
    void Type(int gadget, const std::string& text);
    // Through the clipboard and the face's own paste command, at the caret.
    void Paste(int gadget, const std::string& text);
    void Click(int gadget);
    void NextItem(int combo);
    void NextPage();
    void SelectAll(int field);
    bool HasSelection() const { return true; }
    void Pump();
    bool HasPendingEvent() const;
    int Beeps() const;
    void AnswerNextBox(BoxAction action);
    SeenBox LastBox() const { return seen_; }

  private:
    std::unique_ptr<ui::qt::QtGadgets> g_;
    SeenBox seen_;
};
#endif

#if defined(LOOPSMITH_CONTRACT_WIN32)
namespace ui::win32 {
class Win32Gadgets;
}
class Win32Face {
  public:
    Win32Face();
    ~Win32Face();
    ui::Gadgets& Gadgets();
    void Type(int gadget, const std::string& text);
    // Through the clipboard and the face's own paste command, at the caret.
    void Paste(int gadget, const std::string& text);
    void Click(int gadget);
    void NextItem(int combo);
    void NextPage();
    void SelectAll(int field);
    bool HasSelection() const { return true; }
    void Pump();
    bool HasPendingEvent() const;
    int Beeps() const;
    void AnswerNextBox(BoxAction action);
    SeenBox LastBox() const;

  private:
    std::unique_ptr<ui::win32::Win32Gadgets> g_;
};
#endif

#if defined(LOOPSMITH_CONTRACT_WEB)
namespace ui::web {
class WebGadgets;
}
class WebFace {
  public:
    WebFace();
    ~WebFace();
    ui::Gadgets& Gadgets();
    void Type(int gadget, const std::string& text);
    // Through the clipboard and the face's own paste command, at the caret.
    void Paste(int gadget, const std::string& text);
    void Click(int gadget);
    void NextItem(int combo);
    void NextPage();
    void SelectAll(int field);
    bool HasSelection() const { return true; }
    void Pump();
    bool HasPendingEvent() const;
    int Beeps() const;
    void AnswerNextBox(BoxAction action);
    SeenBox LastBox() const;

  private:
    std::unique_ptr<ui::web::WebGadgets> g_;
};
#endif
