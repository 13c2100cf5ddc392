#include "LessonText.h"

#include "morse/MorsePattern.h"

#include <QRandomGenerator>

namespace {

// One unit at 1 wpm lasts 1.2 s, so a minute holds 50 units per wpm.
constexpr qint64 kUnitsPerMinutePerWpm = 50;

} // namespace

QString drawGroup(QRandomGenerator &random, const QString &characters, const QString &newCharacters)
{
    // Every character is weighted alike in lesson 1, where both are new.
    const bool weighted = newCharacters.size() < characters.size();
    qint64 total = 0;
    for (const QChar c : characters)
        total += weighted && newCharacters.contains(c) ? kNewCharacterWeight : 1;
    QString group;
    for (int i = 0; i < kGroupSize && total > 0; ++i) {
        qint64 pick = random.bounded(total);
        for (const QChar c : characters) {
            pick -= weighted && newCharacters.contains(c) ? kNewCharacterWeight : 1;
            if (pick < 0) {
                group += c;
                break;
            }
        }
    }
    return group;
}

QString lessonText(const LessonPlan &plan)
{
    QRandomGenerator random(plan.seed);
    const qint64 budget = qint64(plan.minutes) * plan.wpm * kUnitsPerMinutePerWpm;
    const qint64 spaceUnits = textUnits(QStringLiteral(" "), plan.ratio, plan.spaceExtra);
    QString text;
    qint64 used = 0;
    while (!plan.characters.isEmpty()) {
        const QString group = drawGroup(random, plan.characters, plan.newCharacters);
        const qint64 units = textUnits(group, plan.ratio, plan.spaceExtra);
        // The first group plays however short the lesson.
        if (!text.isEmpty() && used + spaceUnits + units > budget)
            break;
        if (!text.isEmpty()) {
            text += u' ';
            used += spaceUnits;
        }
        text += group;
        used += units;
    }
    return text;
}

qint64 textUnits(const QString &text, int ratio, int spaceExtra)
{
    qint64 units = 0;
    for (const QChar c : text) {
        for (const char symbol : LookupMorsePattern(c.unicode()))
            units += symbol == '-' ? ratio + 1 : 2;  // a dot, or a gap inside the pattern, is two
        units += spaceExtra + 2;
    }
    return units;
}

double effectiveWpm(int wpm, int spaceExtra)
{
    const qint64 paris = textUnits(QStringLiteral("PARIS "), 3, 0);
    return double(wpm) * double(paris) / double(paris + 6 * spaceExtra);
}
