#pragma once

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

class QApplication;

// The program's look: Fusion on dark grey surfaces with gold accents (selection,
// focus frames (a focused list's frame too), the selected tab, group-box titles, ticked check boxes and
// chosen radio buttons). The accents are drawn by the style rather than by a
// style sheet so that the colours the main window gives single controls (the
// yellow call-sign box, the silver score, the white ticker) are left alone.
class DarkStyle : public QProxyStyle
{
    Q_OBJECT

public:
    static inline const QColor gold{0xD4, 0xAF, 0x37};
    // The edge of an enabled check box, light enough to show on a menu.
    static inline const QColor checkBoxEdge{0x9A, 0x9A, 0xA0};

    DarkStyle();

    // Installs the style and palette for the whole application, dialogs and
    // message boxes included, and names the application "KEYLARK" (the text
    // message boxes and untitled windows fall back to).
    static void apply(QApplication &app);

    static QPalette darkPalette();

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
};
