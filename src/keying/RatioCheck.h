#pragma once

#include <QString>
#include <QStringView>

// Whether a dash-to-dot ratio as typed can be rendered.
enum class RatioProblem {
    None,
    NotAnInteger,
    TooLong,   // some character would not fit the sample buffer
};

// Checks ratioText as the renderer reads it, for every character there is, at
// dotSamples per unit and spaceExtra extra units after each character.
RatioProblem CheckRatio(QStringView ratioText, int dotSamples, int spaceExtra);

// The same check at the slowest speed and the widest spacing the controls
// allow: a ratio that passes renders every character at every setting, so a
// text never stops half-way for it. When it fails and why is given, *why gets
// the message the renderer shows for that fault.
bool RatioRenderable(QStringView ratioText, QString *why = nullptr);

// The renderer's messages for a ratio it cannot use.
QString ratioNotIntegerText(QStringView ratioText);
QString ratioTooLongText(QStringView ratioText);
