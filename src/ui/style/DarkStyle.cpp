#include "DarkStyle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolTip>

DarkStyle::DarkStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void DarkStyle::apply(QApplication &app)
{
    QApplication::setStyle(new DarkStyle);
    app.setPalette(darkPalette());
    // Tool tips keep a palette of their own, taken from the desktop theme.
    QToolTip::setPalette(darkPalette());

    // The application name, not the display name: Qt appends a display name to
    // every window title, which would double it in the main window's caption.
    QCoreApplication::setApplicationName(QStringLiteral("KEYLARK"));
    QGuiApplication::setDesktopFileName(QStringLiteral("keylark"));
}

QPalette DarkStyle::darkPalette()
{
    const QColor surface(0x2D, 0x2D, 0x30);
    const QColor field(0x1E, 0x1E, 0x1E);
    const QColor button(0x3A, 0x3A, 0x3D);
    const QColor text(0xE8, 0xE8, 0xE8);
    const QColor dimText(0x80, 0x80, 0x80);

    QPalette p;
    p.setColor(QPalette::Window, surface);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, field);
    p.setColor(QPalette::AlternateBase, QColor(0x27, 0x27, 0x29));
    p.setColor(QPalette::ToolTipBase, QColor(0x3C, 0x3C, 0x3F));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dimText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(0xFF, 0x60, 0x60));
    p.setColor(QPalette::Link, QColor(0xE8, 0xC5, 0x5A));
    p.setColor(QPalette::LinkVisited, QColor(0xB8, 0x96, 0x30));
    p.setColor(QPalette::Highlight, gold);
    p.setColor(QPalette::HighlightedText, QColor(0x1A, 0x1A, 0x1A));

    // Fusion shades bevels and frames from these.
    p.setColor(QPalette::Light, QColor(0x55, 0x55, 0x5A));
    p.setColor(QPalette::Midlight, QColor(0x46, 0x46, 0x4A));
    p.setColor(QPalette::Mid, QColor(0x32, 0x32, 0x35));
    p.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x22));
    p.setColor(QPalette::Shadow, QColor(0x0A, 0x0A, 0x0A));

    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dimText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x6E, 0x5E, 0x2A));
    p.setColor(QPalette::Disabled, QPalette::Base, surface);
    return p;
}

namespace {

// Fusion draws the tick and the radio dot in the option's text colour. The
// option is copied as its own type: a sliced copy would not be drawn at all.
template <typename Option>
bool drawGilded(const QProxyStyle &style, QStyle::PrimitiveElement element, const QStyleOption *option,
                QPainter *painter, const QWidget *widget)
{
    const auto *typed = qstyleoption_cast<const Option *>(option);
    if (!typed)
        return false;
    Option gilded(*typed);
    gilded.palette.setColor(QPalette::Text, DarkStyle::gold.lighter(115));
    style.QProxyStyle::drawPrimitive(element, &gilded, painter, widget);
    return true;
}

// Fusion outlines a check box in a shade of the window colour, which on a
// menu's darker ground is all but gone: an enabled box gets a light edge of its
// own, except while keyboard focus gives it the gold one.
void outlineCheckBox(const QStyleOption *option, QPainter *painter)
{
    const QStyle::State focused = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    if (!(option->state & QStyle::State_Enabled) || (option->state & focused) == focused)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(0.5, 0.5);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(DarkStyle::checkBoxEdge, 1));
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace

void DarkStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    const bool marked = (option->state & (State_On | State_NoChange)) && (option->state & State_Enabled);
    // A list shows nothing of its focus while no row is current: its frame
    // turns gold, as a line edit's does.
    if (element == PE_Frame && (option->state & State_HasFocus) && qobject_cast<const QAbstractItemView *>(widget)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->save();
        painter->setPen(QPen(gold, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    if (element == PE_IndicatorCheckBox) {
        if (!(marked && drawGilded<QStyleOptionButton>(*this, element, option, painter, widget)))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        outlineCheckBox(option, painter);
        return;
    }
    if (marked && element == PE_IndicatorRadioButton) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        // Fusion's own dot is translucent and comes out a muddy brown; cover
        // it with a solid one.
        const QRectF circle = QRectF(option->rect).adjusted(1, 1, -1, -1);
        const qreal radius = circle.width() / 4.0;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(gold.lighter(110));
        painter->drawEllipse(circle.center(), radius, radius);
        painter->restore();
        return;
    }
    if (marked && element == PE_IndicatorItemViewItemCheck
        && drawGilded<QStyleOptionViewItem>(*this, element, option, painter, widget))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void DarkStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                            const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_TabBarTabShape || !(option->state & State_Selected))
        return;
    const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option);
    if (!tab)
        return;

    // A gold bar along the tab's outer edge marks the page on show.
    constexpr int thickness = 3;
    const QRect r = option->rect.adjusted(2, 2, -2, -2);
    QRect bar;
    switch (tab->shape) {
    case QTabBar::RoundedSouth:
    case QTabBar::TriangularSouth:
        bar = QRect(r.left(), r.bottom() - thickness + 1, r.width(), thickness);
        break;
    case QTabBar::RoundedWest:
    case QTabBar::TriangularWest:
        bar = QRect(r.left(), r.top(), thickness, r.height());
        break;
    case QTabBar::RoundedEast:
    case QTabBar::TriangularEast:
        bar = QRect(r.right() - thickness + 1, r.top(), thickness, r.height());
        break;
    default:
        bar = QRect(r.left(), r.top(), r.width(), thickness);
        break;
    }
    painter->fillRect(bar, gold);
}

void DarkStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                   const QWidget *widget) const
{
    // Fusion draws a group box title in the window text colour and ignores the
    // title colour hint, so the colour goes in through the palette.
    if (control == CC_GroupBox && (option->state & State_Enabled)) {
        if (const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option)) {
            QStyleOptionGroupBox gilded(*box);
            gilded.palette.setColor(QPalette::WindowText, gold);
            QProxyStyle::drawComplexControl(control, &gilded, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}
