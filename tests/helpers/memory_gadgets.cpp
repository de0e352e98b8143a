#include "helpers/memory_gadgets.h"

#include "base/utf8.h"
#include "ui/input_filter.h"

namespace ui {

MemoryGadgets::MemoryGadgets(const WindowLayout& layout) : panel_(layout.panel) {
    for (const GadgetLayout& g : layout.gadgets) {
        Slot s;
        s.layout = g;
        s.textColor = g.textColor;
        if (g.kind == GadgetKind::Panel) {
            pageTitles_ = g.items;
        } else if (g.kind == GadgetKind::ComboBox || g.kind == GadgetKind::ListBox) {
            s.items = g.items;
            s.state = -1;
            if (g.initialState >= 0 && g.initialState < static_cast<int>(g.items.size())) {
                s.state = g.initialState;
            }
        } else {
            s.text = g.caption;
            s.state = g.initialState;
        }
        s.toolTip = g.toolTip;
        gadgets_[g.number] = std::move(s);
    }
}

MemoryGadgets::Slot* MemoryGadgets::Find(int gadget) {
    auto it = gadgets_.find(gadget);
    return it == gadgets_.end() ? nullptr : &it->second;
}

const MemoryGadgets::Slot* MemoryGadgets::Find(int gadget) const {
    auto it = gadgets_.find(gadget);
    return it == gadgets_.end() ? nullptr : &it->second;
}

std::string MemoryGadgets::Text(int gadget) const {
    const Slot* s = Find(gadget);
    if (!s)
        return "";
    if (s->layout.kind == GadgetKind::ListBox || s->layout.kind == GadgetKind::ComboBox) {
        return ItemText(gadget, s->state);
    }
    return s->text;
}

void MemoryGadgets::SetText(int gadget, const std::string& text) {
    if (Slot* s = Find(gadget))
        s->text = text;
}

int MemoryGadgets::State(int gadget) const {
    const Slot* s = Find(gadget);
    return s ? s->state : 0;
}

void MemoryGadgets::SetState(int gadget, int state) {
    Slot* s = Find(gadget);
    if (!s)
        return;
    if (s->layout.kind == GadgetKind::ComboBox || s->layout.kind == GadgetKind::ListBox) {
        // Like the platform's controls: an index outside the items leaves no selection.
        s->state = (state >= 0 && state < static_cast<int>(s->items.size())) ? state : -1;
    } else if (s->layout.kind == GadgetKind::Panel) {
        if (state >= 0 && state < static_cast<int>(pageTitles_.size()))
            s->state = state;
    } else {
        s->state = state;
    }
}

int MemoryGadgets::ItemCount(int gadget) const {
    const Slot* s = Find(gadget);
    return s ? static_cast<int>(s->items.size()) : 0;
}

std::string MemoryGadgets::ItemText(int gadget, int index) const {
    const Slot* s = Find(gadget);
    if (!s || index < 0 || index >= static_cast<int>(s->items.size()))
        return "";
    return s->items[index];
}

void MemoryGadgets::ClearItems(int gadget) {
    if (Slot* s = Find(gadget)) {
        s->items.clear();
        s->state = -1;
    }
}

void MemoryGadgets::AddItem(int gadget, const std::string& text) {
    if (Slot* s = Find(gadget))
        s->items.push_back(text);
}

void MemoryGadgets::SetPageTitle(int panel, int page, const std::string& title) {
    if (panel == panel_ && page >= 0 && page < static_cast<int>(pageTitles_.size())) {
        pageTitles_[page] = title;
    }
}

std::string MemoryGadgets::PageTitle(int page) const {
    if (page < 0 || page >= static_cast<int>(pageTitles_.size()))
        return "";
    return pageTitles_[page];
}

bool MemoryGadgets::IsEnabled(int gadget) const {
    const Slot* s = Find(gadget);
    return s && s->enabled;
}

void MemoryGadgets::SetEnabled(int gadget, bool enabled) {
    if (Slot* s = Find(gadget))
        s->enabled = enabled;
}

bool MemoryGadgets::IsVisible(int gadget) const {
    const Slot* s = Find(gadget);
    return s && s->visible;
}

void MemoryGadgets::SetVisible(int gadget, bool visible) {
    if (Slot* s = Find(gadget))
        s->visible = visible;
}

bool MemoryGadgets::IsReadOnly(int gadget) const {
    const Slot* s = Find(gadget);
    return s && s->readOnly;
}

void MemoryGadgets::SetReadOnly(int gadget, bool readOnly) {
    if (Slot* s = Find(gadget))
        s->readOnly = readOnly;
}

void MemoryGadgets::Focus(int gadget) {
    if (Find(gadget))
        focused_ = gadget;
}

Color MemoryGadgets::TextColor(int gadget) const {
    const Slot* s = Find(gadget);
    return s ? s->textColor : Color{};
}

void MemoryGadgets::SetTextColor(int gadget, Color color) {
    if (Slot* s = Find(gadget))
        s->textColor = color;
}

Color MemoryGadgets::BackColor(int gadget) const {
    const Slot* s = Find(gadget);
    return s ? s->backColor : Color{};
}

void MemoryGadgets::SetBackColor(int gadget, Color color) {
    if (Slot* s = Find(gadget))
        s->backColor = color;
}

void MemoryGadgets::SetToolTip(int gadget, const std::string& text) {
    if (Slot* s = Find(gadget))
        s->toolTip = text;
}

std::string MemoryGadgets::ToolTip(int gadget) const {
    const Slot* s = Find(gadget);
    return s ? s->toolTip : "";
}

MessageAnswer MemoryGadgets::ShowMessage(const std::string& title, const std::string& text,
                                         MessageIcon icon, MessageButtons buttons) {
    // An empty caption stands for the toolkit's own.
    auto caption = [](const std::string& set, const char* own) {
        return set.empty() ? std::string(own) : set;
    };
    std::vector<std::string> shown = {caption(okText_, "OK")};
    if (buttons == MessageButtons::YesNo)
        shown = {caption(yesText_, "Yes"), caption(noText_, "No")};
    messages_.push_back({title, text, icon, buttons, shown});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers_.empty())
        return MessageAnswer::No;
    MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

void MemoryGadgets::SetMessageButtonTexts(const std::string& yes, const std::string& no,
                                          const std::string& ok) {
    yesText_ = yes;
    noText_ = no;
    okText_ = ok;
}

void MemoryGadgets::AnswerNextQuestions(std::vector<MessageAnswer> answers) {
    answers_.assign(answers.begin(), answers.end());
}

void MemoryGadgets::PostClick(int gadget) {
    events_.push_back(Event::OnGadget(gadget, kEventClick));
}

Event MemoryGadgets::WaitEvent() {
    if (events_.empty())
        return Event::Close();
    Event e = events_.front();
    events_.pop_front();
    return e;
}

void MemoryGadgets::Type(int gadget, const std::string& text) {
    Slot* s = Find(gadget);
    if (!s || !s->enabled || s->readOnly)
        return;
    for (char32_t ch : base::DecodeUtf8(text)) {
        // Typed at the end of the field, as a user who clicked into it.
        const int end = static_cast<int>(base::CountCodePoints(s->text));
        const FilterVerdict v = TypedCharVerdict(s->layout, ch, s->text, end, 0);
        if (v == FilterVerdict::DiscardWithBeep)
            ++beeps_;
        if (v == FilterVerdict::PassAsPoint)
            ch = U'.';
        else if (v != FilterVerdict::Pass)
            continue;
        if (ch == U'\b') {
            if (!s->text.empty())
                s->text = base::DropLastCodePoint(s->text);
        } else {
            s->text += base::EncodeUtf8(ch);
        }
        events_.push_back(Event::OnGadget(gadget, kEventTextChange));
    }
}

void MemoryGadgets::PressKey(int key) {
    events_.push_back(Event::KeyDown(key));
}

void MemoryGadgets::Click(int gadget) {
    Slot* s = Find(gadget);
    if (!s || !s->enabled || !s->visible)
        return;
    if (s->layout.kind == GadgetKind::CheckBox)
        s->state = s->state ? 0 : 1;
    events_.push_back(Event::OnGadget(gadget, kEventClick));
}

void MemoryGadgets::Pick(int gadget, int index) {
    Slot* s = Find(gadget);
    if (!s || !s->enabled || !s->visible)
        return;
    SetState(gadget, index);
    int type = s->layout.kind == GadgetKind::ListBox ? kEventClick : kEventSelectionChange;
    events_.push_back(Event::OnGadget(gadget, type));
}

void MemoryGadgets::DoubleClick(int gadget, int index) {
    Slot* s = Find(gadget);
    if (!s || !s->enabled)
        return;
    SetState(gadget, index);
    events_.push_back(Event::OnGadget(gadget, kEventDoubleClick));
}

void MemoryGadgets::SwitchPage(int page) {
    Slot* s = Find(panel_);
    if (!s || page == s->state)
        return;
    SetState(panel_, page);
    events_.push_back(Event::OnGadget(panel_, kEventClick));
}

void MemoryGadgets::MovePointer(int overGadget) {
    pointerOver_ = overGadget;
    events_.push_back(Event::MouseMove());
}

void MemoryGadgets::RequestClose() {
    events_.push_back(Event::Close());
}

}  // namespace ui
