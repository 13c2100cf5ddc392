#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// A wrapping 32-bit millisecond tick count, the clock the rate meters use.
inline quint32 tickCount()
{
    static QElapsedTimer clock = [] { QElapsedTimer t; t.start(); return t; }();
    return quint32(clock.elapsed());
}
