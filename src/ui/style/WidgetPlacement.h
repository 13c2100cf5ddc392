#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>

// The window is laid out in fixed pixel positions; every control is named and
// placed in one step so that a page's layout reads like a list of controls.
template <typename T>
T *placed(T *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

inline QLabel *placedLabel(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                           int height)
{
    return placed(new QLabel(text, parent), name, left, top, width, height);
}

// A text colour that holds in read-only and disabled states alike.
inline void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
