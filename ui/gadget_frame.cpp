#include "ui/gadget_frame.h"

#include "ui/input_filter.h"
#include "ui/layout_check.h"

namespace ui {

namespace {

// Setting the text of these moves the caret and drops the selection, so it is never skipped.
bool HasCaret(GadgetKind kind) {
    return kind == GadgetKind::TextField || kind == GadgetKind::OutputBox;
}

}  // namespace

GadgetFrame::GadgetFrame(const WindowLayout& layout) : layout_(layout) {
    sound_ = IsSoundLayout(layout);
    if (!sound_)
        return;
    for (const GadgetLayout& g : layout.gadgets)
        controls_[g.number] = {g, ControlState::From(g), false};
}

GadgetFrame::Control* GadgetFrame::Find(int gadget) {
    auto it = controls_.find(gadget);
    return it == controls_.end() ? nullptr : &it->second;
}

const GadgetFrame::Control* GadgetFrame::Find(int gadget) const {
    auto it = controls_.find(gadget);
    return it == controls_.end() ? nullptr : &it->second;
}

int GadgetFrame::PageOf(const Control& control) const {
    return ui::PageOf(layout_, control.layout);
}

void GadgetFrame::Change(Control& control, Aspect aspect) {
    if (!control.made)
        return;
    // The toolkit may report the program's own change as if the user had made it.
    EventQueue::Hush hush(events_);
    Push(control, aspect);
}

void GadgetFrame::Made(Control& control) {
    control.made = true;
    const ControlState& s = control.want;
    if (!s.enabled)
        Change(control, Aspect::Enabled);
    if (!s.visible)
        Change(control, Aspect::Visible);
    if (s.readOnly)
        Change(control, Aspect::ReadOnly);
    if (s.textColor != Color::Default() || s.backColor != Color::Default() ||
        control.layout.hoverColor != Color::Default()) {
        Change(control, Aspect::Colors);
    }
    if (!s.toolTip.empty())
        Change(control, Aspect::ToolTip);
}

std::string GadgetFrame::Text(int gadget) const {
    const Control* c = Find(gadget);
    if (!c)
        return "";
    if (HasItems(c->layout.kind))
        return ItemText(gadget, State(gadget));
    if (c->made && UserEditsText(c->layout.kind))
        return ReadText(*c);
    return c->want.text;
}

void GadgetFrame::SetText(int gadget, const std::string& text) {
    Control* c = Find(gadget);
    if (!c || !HoldsText(c->layout.kind))
        return;
    if (c->want.text == text && !HasCaret(c->layout.kind))
        return;  // each change costs the toolkit a redraw, and wine a round trip
    c->want.text = text;
    Change(*c, Aspect::Text);
}

int GadgetFrame::State(int gadget) const {
    const Control* c = Find(gadget);
    if (!c)
        return 0;
    if (c->made && UserChangesState(c->layout.kind))
        return ReadState(*c);
    return c->want.state;
}

void GadgetFrame::SetState(int gadget, int state) {
    Control* c = Find(gadget);
    if (!c)
        return;
    const int count = static_cast<int>(c->want.items.size());
    switch (c->layout.kind) {
        case GadgetKind::CheckBox:
            c->want.state = state != 0 ? 1 : 0;
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            // Like the platforms' controls: an index outside the items leaves no selection.
            c->want.state = state >= 0 && state < count ? state : -1;
            break;
        case GadgetKind::Panel:
            if (state < 0 || state >= count)
                return;
            c->want.state = state;
            break;
        default:
            c->want.state = state;
            return;
    }
    Change(*c, Aspect::State);
}

int GadgetFrame::ItemCount(int gadget) const {
    const Control* c = Find(gadget);
    return c && HasItems(c->layout.kind) ? static_cast<int>(c->want.items.size()) : 0;
}

std::string GadgetFrame::ItemText(int gadget, int index) const {
    if (index < 0 || index >= ItemCount(gadget))
        return "";
    return Find(gadget)->want.items[static_cast<size_t>(index)];
}

void GadgetFrame::ClearItems(int gadget) {
    Control* c = Find(gadget);
    if (!c || !HasItems(c->layout.kind))
        return;
    c->want.items.clear();
    c->want.state = -1;
    Change(*c, Aspect::Items);
}

void GadgetFrame::AddItem(int gadget, const std::string& text) {
    Control* c = Find(gadget);
    if (!c || !HasItems(c->layout.kind))
        return;
    c->want.items.push_back(text);
    Change(*c, Aspect::Items);
}

void GadgetFrame::SetPageTitle(int panel, int page, const std::string& title) {
    Control* c = Find(panel);
    if (!c || c->layout.kind != GadgetKind::Panel || page < 0 ||
        page >= static_cast<int>(c->want.items.size()) ||
        c->want.items[static_cast<size_t>(page)] == title) {
        return;
    }
    c->want.items[static_cast<size_t>(page)] = title;
    Change(*c, Aspect::Items);
}

bool GadgetFrame::IsEnabled(int gadget) const {
    const Control* c = Find(gadget);
    return c && c->want.enabled;
}

void GadgetFrame::SetEnabled(int gadget, bool enabled) {
    Control* c = Find(gadget);
    if (!c || c->want.enabled == enabled)
        return;
    c->want.enabled = enabled;
    Change(*c, Aspect::Enabled);
}

bool GadgetFrame::IsVisible(int gadget) const {
    // The gadget's own flag: a gadget on a page not shown is still visible in this sense.
    const Control* c = Find(gadget);
    return c && c->want.visible;
}

void GadgetFrame::SetVisible(int gadget, bool visible) {
    Control* c = Find(gadget);
    if (!c || c->want.visible == visible)
        return;
    c->want.visible = visible;
    Change(*c, Aspect::Visible);
}

bool GadgetFrame::IsReadOnly(int gadget) const {
    const Control* c = Find(gadget);
    return c && c->want.readOnly;
}

void GadgetFrame::SetReadOnly(int gadget, bool readOnly) {
    Control* c = Find(gadget);
    if (!c || c->want.readOnly == readOnly)
        return;
    c->want.readOnly = readOnly;
    Change(*c, Aspect::ReadOnly);
}

Color GadgetFrame::TextColor(int gadget) const {
    const Control* c = Find(gadget);
    return c ? c->want.textColor : Color{};
}

void GadgetFrame::SetTextColor(int gadget, Color color) {
    if (Control* c = Find(gadget)) {
        c->want.textColor = color;
        Change(*c, Aspect::Colors);
    }
}

Color GadgetFrame::BackColor(int gadget) const {
    const Control* c = Find(gadget);
    return c ? c->want.backColor : Color{};
}

void GadgetFrame::SetBackColor(int gadget, Color color) {
    if (Control* c = Find(gadget)) {
        c->want.backColor = color;
        Change(*c, Aspect::Colors);
    }
}

void GadgetFrame::SetToolTip(int gadget, const std::string& text) {
    if (Control* c = Find(gadget)) {
        c->want.toolTip = text;
        Change(*c, Aspect::ToolTip);
    }
}

std::string GadgetFrame::ToolTip(int gadget) const {
    const Control* c = Find(gadget);
    return c ? c->want.toolTip : "";
}

MessageAnswer GadgetFrame::ShowMessage(const std::string& title, const std::string& text,
                                       MessageIcon icon, MessageButtons buttons) {
    MessageAnswer answer = MessageAnswer::Ok;
    {
        EventQueue::Hush hush(events_);  // what happens while the box is open is the box's
        answer = RunMessageBox(title, text, icon, buttons);
    }
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == MessageAnswer::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void GadgetFrame::SetMessageButtonTexts(const std::string& yes, const std::string& no,
                                        const std::string& ok) {
    buttonTexts_ = {yes, no, ok};
}

void GadgetFrame::Beep() {
    ++beeps_;
    Ring();
}

void GadgetFrame::PostClick(int gadget) {
    // The program's own request: queued even while it is busy, behind what is already there.
    events_.Post(Event::OnGadget(gadget, kEventClick));
}

Event GadgetFrame::WaitEvent() {
    while (events_.Empty()) {
        // A closed or never shown window can send nothing more: do not wait forever.
        if (events_.Closed() || !WindowOnScreen())
            return Event::Close();
        if (!PumpMessages()) {
            events_.MarkClosed();
            break;
        }
    }
    return events_.Take();
}

void GadgetFrame::SetCursor(CursorShape shape) {
    cursor_ = shape;
    ShowCursor(shape);
}

bool GadgetFrame::LetTypedChar(const Control& field, char32_t& ch, const std::string& text,
                               int selectionStart, int selectionLength) {
    if (field.layout.kind != GadgetKind::TextField || field.want.readOnly)
        return true;
    if ((ch < 0x20 && ch != U'\b' && ch != U'\r' && ch != U'\n') || ch == 0x7F)
        return true;
    switch (TypedCharVerdict(field.layout, ch, text, selectionStart, selectionLength)) {
        case FilterVerdict::Pass:
            return true;
        case FilterVerdict::PassAsPoint:
            ch = U'.';
            return true;
        case FilterVerdict::Discard:
            return false;
        case FilterVerdict::DiscardWithBeep:
            Beep();
            return false;
    }
    return true;
}

std::optional<std::string> GadgetFrame::LetPastedText(const Control& field, const std::string& text,
                                                      int selectionStart, int selectionLength,
                                                      std::string_view pasted) {
    std::optional<std::string> piece =
        PastedTextVerdict(field.layout, text, selectionStart, selectionLength, pasted);
    if (!piece)
        Beep();
    return piece;
}

}  // namespace ui
