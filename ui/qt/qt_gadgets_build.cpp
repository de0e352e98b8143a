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

QLabel* MakeLabel(const GadgetLayout& g, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQ(g.caption));
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

OutputBox* MakeOutputBox(const GadgetLayout& g, QWidget* parent) {
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
    if (!g.caption.empty())
        box->SetText(ToQ(g.caption));
    return box;
}

}  // namespace

QtGadgets::QtGadgets(const WindowLayout& layout) {
    RegisterImages();
    ++quietDepth_;
    built_ = Build(layout);
    --quietDepth_;
    QCoreApplication::instance()->installEventFilter(this);
}

QtGadgets::~QtGadgets() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool QtGadgets::Build(const WindowLayout& layout) {
    layout_ = layout;
    window_ = std::make_unique<MainWindowWidget>();
    window_->setWindowTitle(ToQ(layout.title));
    window_->setFixedSize(layout.clientWidth, layout.clientHeight);
    window_->setWindowIcon(Icon(1));
    window_->setMouseTracking(true);
    window_->onCloseRequest = [this] {
        closed_ = true;
        events_.push_back(Event::Close());
    };
    panelNumber_ = layout.panel;
    pageContainers_ = layout.pageContainers;
    pageIcons_ = layout.pageIcons;

    for (const GadgetLayout& g : layout.gadgets) {
        if (entries_.count(g.number))
            return false;  // numbers are unique
        QWidget* parent = nullptr;
        if (g.parent == kWindowParent) {
            parent = window_.get();
        } else if (const Entry* p = Find(g.parent)) {
            parent = p->widget;
        }
        if (!parent)
            return false;
        Entry& entry = entries_[g.number];
        entry.layout = g;
        entry.state = g.initialState;
        entry.textColor = g.textColor;
        QWidget* w = CreateWidget(entry, parent);
        if (!w)
            return false;
        entry.widget = w;
        owners_[w] = g.number;
        if (!g.toolTip.empty())
            w->setToolTip(ToQ(g.toolTip));
        if (g.kind == GadgetKind::Hyperlink || !(g.textColor == Color::Default())) {
            ApplyColors(entry);
        }
        ConnectUserSignals(entry);
    }
    return panel_ != nullptr || layout.panel < 0;
}

QIcon QtGadgets::Icon(int image) {
    QIcon& icon = icons_[image];  // the window and its first page share one
    if (icon.isNull())
        icon.addPixmap(LoadImage(image));
    return icon;
}

QWidget* QtGadgets::CreateWidget(Entry& entry, QWidget* parent) {
    const GadgetLayout& g = entry.layout;
    QWidget* w = nullptr;
    switch (g.kind) {
        case GadgetKind::Label:
            w = MakeLabel(g, parent);
            break;
        case GadgetKind::CheckBox: {
            auto* box = new QCheckBox(ToQ(g.caption), parent);
            box->setChecked(g.initialState != 0);
            w = box;
            break;
        }
        case GadgetKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            for (const std::string& item : g.items)
                combo->addItem(ToQ(item));
            combo->setCurrentIndex(g.initialState < combo->count() ? g.initialState : -1);
            w = combo;
            break;
        }
        case GadgetKind::Frame: {
            // Draws only: the gadgets inside it are its siblings, created after it. The title
            // sits on the top line, so the places inside leave room for it as they expect.
            auto* frame = new QGroupBox(ToQ(g.caption), parent);
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
            edit->setText(ToQ(g.caption));
            w = edit;
            break;
        }
        case GadgetKind::OutputBox:
            w = MakeOutputBox(g, parent);
            entry.rawText = g.caption;
            break;
        case GadgetKind::Button: {
            auto* button = new QPushButton(ToQ(g.caption), parent);
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
            for (const std::string& item : g.items)
                list->addItem(ToQ(item));
            if (g.initialState >= 0 && g.initialState < list->count()) {
                list->setCurrentRow(g.initialState);
            }
            w = list;
            break;
        }
        case GadgetKind::Panel: {
            if (panel_ || g.number != panelNumber_)
                return nullptr;  // one panel per window
            panel_ = new QTabWidget(parent);
            panel_->setIconSize(QSize(16, 16));
            w = panel_;
            break;
        }
        case GadgetKind::Container: {
            // A page of the panel; gadgets on the page are placed relative to it.
            if (!panel_ || parent != panel_)
                return nullptr;
            const int page = panel_->count();
            const Entry* panelEntry = Find(panelNumber_);
            if (!panelEntry || page >= static_cast<int>(panelEntry->layout.items.size()) ||
                page >= static_cast<int>(pageContainers_.size()) ||
                pageContainers_[page] != g.number) {
                return nullptr;
            }
            auto* container = new QWidget();
            container->setMouseTracking(true);
            const QString title = ToQ(panelEntry->layout.items[page]);
            const int image = page < static_cast<int>(pageIcons_.size()) ? pageIcons_[page] : 0;
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
            link->setText(ToQ(g.caption));
            link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            w = link;
            break;
        }
    }
    if (w)
        w->setGeometry(g.place.x, g.place.y, g.place.w, g.place.h);
    return w;
}

void QtGadgets::ConnectUserSignals(Entry& entry) {
    const int n = entry.layout.number;
    QWidget* w = entry.widget;
    auto report = [this, n](int type) { Report(Event::OnGadget(n, type)); };
    switch (entry.layout.kind) {
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
            // Report() stays quiet while the program itself turns the page.
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
