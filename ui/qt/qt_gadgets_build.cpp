// Building the window: every gadget from its description, at its place, in creation order.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "ui/qt/app_look.h"
#include "ui/qt/gadget_widgets.h"
#include "ui/qt/qt_gadgets.h"
#include "ui/qt/qt_text.h"

// Resources of a static library must be registered by hand; the macro cannot stand inside a
// namespace.
static void RegisterImages() {
    Q_INIT_RESOURCE(loopsmith);
}

namespace ui::qt {

namespace {

// The pictures are PNG files among the resources. Naming the format spares the toolkit
// loading every image plugin to ask it first.
QPixmap LoadImage(int image) {
    QImageReader reader(QStringLiteral(":/images/image%1.png").arg(image), "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QLabel* MakeLabel(const GadgetLayout& g, const std::string& caption, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQ(caption));
    const int lineHeight = label->fontMetrics().height();
    const bool multiLine = g.sunken || g.place.h >= 2 * lineHeight;
    label->setWordWrap(multiLine);
    Qt::Alignment align = g.alignRight ? Qt::AlignRight : Qt::AlignLeft;
    label->setAlignment(align | (multiLine ? Qt::AlignTop : Qt::AlignVCenter));
    if (g.sunken) {
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setMargin(3);
    }
    return label;
}

OutputBox* MakeOutputBox(const GadgetLayout& g, const std::string& text, QWidget* parent) {
    auto* box = new OutputBox(parent);
    box->setReadOnly(true);
    // The user copies the code from here, selecting with the mouse or the keyboard.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Code lines must keep their columns: no wrapping, scroll sideways when needed.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (g.fixedFont)
        box->SetFontWhenNeeded(OutputFont);
    if (!text.empty())
        box->SetText(ToQ(text));
    return box;
}

}  // namespace

QtGadgets::QtGadgets(const WindowLayout& layout) : GadgetFrame(layout) {
    RegisterImages();
    {
        EventQueue::Hush hush(Events());
        built_ = LayoutSound() && Build();
    }
    QCoreApplication::instance()->installEventFilter(this);
}

QtGadgets::~QtGadgets() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool QtGadgets::Build() {
    const WindowLayout& layout = Layout();
    window_ = std::make_unique<MainWindowWidget>();
    window_->setWindowTitle(ToQ(layout.title));
    window_->setFixedSize(layout.clientWidth, layout.clientHeight);
    window_->setWindowIcon(Icon(1));
    window_->setMouseTracking(true);
    window_->onCloseRequest = [this] { Events().ReportClose(); };

    for (const GadgetLayout& g : layout.gadgets) {
        QWidget* parent = g.parent == kWindowParent ? window_.get() : Widget(g.parent);
        Control& control = *Find(g.number);
        QWidget* w = parent ? CreateWidget(control, parent) : nullptr;
        if (!w)
            return false;
        widgets_[g.number] = w;
        owners_[w] = g.number;
        Made(control);
        ConnectUserSignals(control, w);
    }
    return true;
}

QIcon QtGadgets::Icon(int image) {
    QIcon& icon = icons_[image];  // the window and its first page share one
    if (icon.isNull())
        icon.addPixmap(LoadImage(image));
    return icon;
}

QWidget* QtGadgets::CreateWidget(const Control& control, QWidget* parent) {
    const GadgetLayout& g = control.layout;
    const ControlState& s = control.want;
    QWidget* w = nullptr;
    switch (g.kind) {
        case GadgetKind::Label:
            w = MakeLabel(g, s.text, parent);
            break;
        case GadgetKind::CheckBox: {
            auto* box = new QCheckBox(ToQ(s.text), parent);
            box->setChecked(s.state != 0);
            w = box;
            break;
        }
        case GadgetKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            for (const std::string& item : s.items)
                combo->addItem(ToQ(item));
            combo->setCurrentIndex(s.state);
            w = combo;
            break;
        }
        case GadgetKind::Frame: {
            // Draws only: the gadgets inside it are its siblings, created after it. The title
            // sits on the top line, so the places inside leave room for it as they expect.
            auto* frame = new QGroupBox(ToQ(s.text), parent);
            frame->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                " margin-top: 6px; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
            w = frame;
            break;
        }
        case GadgetKind::TextField: {
            // No setMaxLength: the limit is for typing only, text set by the program is kept.
            auto* edit = new QLineEdit(parent);
            edit->setText(ToQ(s.text));
            w = edit;
            break;
        }
        case GadgetKind::OutputBox:
            w = MakeOutputBox(g, s.text, parent);
            break;
        case GadgetKind::Button: {
            auto* button = new QPushButton(ToQ(s.text), parent);
            button->setAutoDefault(false);
            // Only the look: Enter reaches the event loop as a key, never as this click.
            button->setDefault(g.isDefault);
            w = button;
            break;
        }
        case GadgetKind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            for (const std::string& item : s.items)
                list->addItem(ToQ(item));
            if (s.state >= 0)
                list->setCurrentRow(s.state);
            w = list;
            break;
        }
        case GadgetKind::Panel: {
            panel_ = new QTabWidget(parent);
            panel_->setIconSize(QSize(16, 16));
            w = panel_;
            break;
        }
        case GadgetKind::Container: {
            // A page of the panel (the layout check has put them in order); gadgets on the
            // page are placed relative to it.
            const int page = panel_->count();
            auto* container = new QWidget();
            container->setMouseTracking(true);
            const QString title = ToQ(Find(Layout().panel)->want.items[page]);
            const std::vector<int>& icons = Layout().pageIcons;
            const int image = page < static_cast<int>(icons.size()) ? icons[page] : 0;
            if (image > 0) {
                panel_->addTab(container, Icon(image), title);
            } else {
                panel_->addTab(container, title);
            }
            return container;  // placed by the panel
        }
        case GadgetKind::Image: {
            auto* label = new ClickLabel(parent);
            // Decoded when first seen: the banner sits on a page the window does not open on.
            label->SetPictureWhenShown([image = g.image] { return LoadImage(image); });
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case GadgetKind::Hyperlink: {
            auto* link = new ClickLabel(parent);
            link->setTextFormat(Qt::PlainText);
            link->setText(ToQ(s.text));
            link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            w = link;
            break;
        }
    }
    if (w)
        w->setGeometry(g.place.x, g.place.y, g.place.w, g.place.h);
    return w;
}

void QtGadgets::ConnectUserSignals(const Control& control, QWidget* w) {
    const int n = control.layout.number;
    auto report = [this, n](int type) { Events().Report(Event::OnGadget(n, type)); };
    switch (control.layout.kind) {
        case GadgetKind::CheckBox:
        case GadgetKind::Button:
            connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, this,
                    [report] { report(kEventClick); });
            break;
        case GadgetKind::ComboBox:
            connect(static_cast<QComboBox*>(w), &QComboBox::activated, this,
                    [report] { report(kEventSelectionChange); });
            break;
        case GadgetKind::TextField:
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textEdited, this,
                    [report] { report(kEventTextChange); });
            break;
        case GadgetKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            connect(list, &QListWidget::itemClicked, this, [report] { report(kEventClick); });
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [report] { report(kEventDoubleClick); });
            break;
        }
        case GadgetKind::Panel:
            // The queue stays quiet while the program itself turns the page.
            connect(panel_, &QTabWidget::currentChanged, this, [report] { report(kEventClick); });
            break;
        case GadgetKind::Image:
        case GadgetKind::Hyperlink:
            connect(static_cast<ClickLabel*>(w), &ClickLabel::clicked, this,
                    [report] { report(kEventClick); });
            break;
        case GadgetKind::Label:
        case GadgetKind::Frame:
        case GadgetKind::OutputBox:
        case GadgetKind::Container:
            break;
    }
}

}  // namespace ui::qt
