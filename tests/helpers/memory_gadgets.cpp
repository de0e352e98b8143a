#include "helpers/memory_gadgets.h"

#include "base/utf8.h"

namespace ui {

GadgetFrame::Control* MemoryGadgets::Reachable(int gadget, bool hidden) {
    Control* c = Find(gadget);
    return c && c->want.enabled && (hidden || c->want.visible) ? c : nullptr;
}

void MemoryGadgets::Focus(int gadget) {
    if (Find(gadget))
        focused_ = gadget;
}

std::string MemoryGadgets::PageTitle(int page) const {
    const Control* panel = Find(Layout().panel);
    if (!panel || page < 0 || page >= static_cast<int>(panel->want.items.size()))
        return "";
    return panel->want.items[static_cast<size_t>(page)];
}

MessageAnswer MemoryGadgets::RunMessageBox(const std::string& title, const std::string& text,
                                           MessageIcon icon, MessageButtons buttons) {
    // An empty caption stands for the toolkit's own.
    auto caption = [](const std::string& set, const char* own) {
        return set.empty() ? std::string(own) : set;
    };
    std::vector<std::string> shown = {caption(ButtonTexts().ok, "OK")};
    if (buttons == MessageButtons::YesNo)
        shown = {caption(ButtonTexts().yes, "Yes"), caption(ButtonTexts().no, "No")};
    messages_.push_back({title, text, icon, buttons, shown});
    if (buttons == MessageButtons::Ok || answers_.empty())
        return MessageAnswer::No;
    MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

void MemoryGadgets::AnswerNextQuestions(std::vector<MessageAnswer> answers) {
    answers_.assign(answers.begin(), answers.end());
}

void MemoryGadgets::Type(int gadget, const std::string& text) {
    Control* c = Reachable(gadget, true);
    if (!c || c->want.readOnly)
        return;
    std::string& field = c->want.text;
    for (char32_t ch : base::DecodeUtf8(text)) {
        // Typed at the end of the field, as a user who clicked into it.
        const int end = static_cast<int>(base::CountCodePoints(field));
        if (!LetTypedChar(*c, ch, field, end, 0))
            continue;
        if (ch == U'\b') {
            while (!field.empty() && (field.back() & 0xC0) == 0x80)
                field.pop_back();  // the continuation bytes of the last code point
            if (!field.empty())
                field.pop_back();
        } else {
            field += base::EncodeUtf8(ch);
        }
        Events().Report(Event::OnGadget(gadget, kEventTextChange));
    }
}

void MemoryGadgets::Paste(int gadget, const std::string& text) {
    Control* c = Reachable(gadget, true);
    if (!c || c->want.readOnly)
        return;
    const int end = static_cast<int>(base::CountCodePoints(c->want.text));
    if (const auto piece = LetPastedText(*c, c->want.text, end, 0, text)) {
        c->want.text += *piece;
        Events().Report(Event::OnGadget(gadget, kEventTextChange));
    }
}

void MemoryGadgets::PressKey(int key) {
    Events().Report(Event::KeyDown(key));
}

void MemoryGadgets::Click(int gadget) {
    Control* c = Reachable(gadget);
    if (!c)
        return;
    if (c->layout.kind == GadgetKind::CheckBox)
        c->want.state = c->want.state ? 0 : 1;
    Events().Report(Event::OnGadget(gadget, kEventClick));
}

void MemoryGadgets::Pick(int gadget, int index) {
    Control* c = Reachable(gadget);
    if (!c)
        return;
    SetState(gadget, index);
    const bool list = c->layout.kind == GadgetKind::ListBox;
    Events().Report(Event::OnGadget(gadget, list ? kEventClick : kEventSelectionChange));
}

void MemoryGadgets::DoubleClick(int gadget, int index) {
    if (!Reachable(gadget, true))
        return;
    SetState(gadget, index);
    Events().Report(Event::OnGadget(gadget, kEventDoubleClick));
}

void MemoryGadgets::SwitchPage(int page) {
    const int panel = Layout().panel;
    if (!Find(panel) || page == State(panel))
        return;
    SetState(panel, page);
    Events().Report(Event::OnGadget(panel, kEventClick));
}

void MemoryGadgets::MovePointer(int overGadget) {
    pointerOver_ = overGadget;
    Events().Report(Event::MouseMove());
}

void MemoryGadgets::RequestClose() {
    Events().Post(Event::Close());
}

}  // namespace ui
