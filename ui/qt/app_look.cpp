#include "ui/qt/app_look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>

namespace ui::qt {

namespace {

// Fusion with narrower tab padding: the three page titles must fit the panel's width
// without scroll arrows.
class CompactStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

QFont ControlsFont() {
    // DejaVu's condensed face (fonts-dejavu-extra) at 11 px is as wide as the 8-point font
    // the places were made for; without it, the regular face one pixel smaller and set a
    // little tighter.
    QFont condensed(QStringLiteral("DejaVu Sans"));
    condensed.setPixelSize(11);
    condensed.setStretch(QFont::SemiCondensed);
    if (QFontInfo(condensed).styleName().contains(QStringLiteral("Condensed")))
        return condensed;
    QFont regular(QStringLiteral("DejaVu Sans"));
    regular.setStyleHint(QFont::SansSerif);
    regular.setPixelSize(10);
    regular.setLetterSpacing(QFont::PercentageSpacing, 96);
    return regular;
}

QFont OutputFont() {
    if (QFontDatabase::families().contains(QStringLiteral("Lucida Console"))) {
        return QFont(QStringLiteral("Lucida Console"), 10);
    }
    // The font database knows whether a family is fixed; asking a QFontInfo would load a
    // second font at start-up only to throw it away.
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontDatabase::isFixedPitch(f.family())) {
        f = QFont(QStringLiteral("DejaVu Sans Mono"));
        f.setStyleHint(QFont::Monospace);
    }
    f.setPointSize(10);
    return f;
}

QFont ScaledFont(const QFont& font, double scale) {
    if (scale == 1)
        return font;  // the very font: no second font engine at start-up
    QFont scaled = font;
    if (font.pixelSize() > 0) {
        // Pixel sizes are whole; a point size is not, and becomes pixels at the screen's DPI.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96;
        scaled.setPointSizeF(font.pixelSize() * scale * 72 / dpi);
    } else {
        scaled.setPointSizeF(font.pointSizeF() * scale);
    }
    return scaled;
}

void PrepareApplication() {
    // One style everywhere, so that what the tests measure is what the user sees.
    QApplication::setStyle(new CompactStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    QApplication::setFont(ControlsFont());
}

}  // namespace ui::qt
