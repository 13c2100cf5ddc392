#include "RatioCheck.h"

#include "AudioTypes.h"
#include "CharacterLength.h"
#include "KeyingValues.h"
#include "morse/MorsePattern.h"

#include <algorithm>
#include <vector>

namespace {

// Each character's length is a straight line in the ratio: dashes * ratio +
// the rest. The distinct lines over all code units are few; the longest
// character at a given ratio lies on one of them.
struct Line {
    std::int64_t dashes;
    std::int64_t rest;
    bool operator==(const Line &) const = default;
};

const std::vector<Line> &characterLines()
{
    static const std::vector<Line> lines = [] {
        std::vector<Line> found;
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            const MorsePattern pattern = LookupMorsePattern(char16_t(c));
            const Line line{std::count(pattern.begin(), pattern.end(), '-'),
                            CharacterUnits(char16_t(c), 0, 0)};
            if (std::find(found.begin(), found.end(), line) == found.end())
                found.push_back(line);
        }
        return found;
    }();
    return lines;
}

} // namespace

RatioProblem CheckRatio(QStringView ratioText, int dotSamples, int spaceExtra)
{
    bool isInteger = false;
    const std::int64_t ratio = std::max(ratioText.toInt(&isInteger), 0);
    if (!isInteger)
        return RatioProblem::NotAnInteger;
    for (const Line &line : characterLines()) {
        const std::int64_t units = line.dashes * ratio + line.rest + spaceExtra;
        if (units * dotSamples > kBufferSamples)
            return RatioProblem::TooLong;
    }
    return RatioProblem::None;
}

bool RatioRenderable(QStringView ratioText, QString *why)
{
    const RatioProblem problem = CheckRatio(ratioText, kMaxDotSamples, kMaxSpaceExtra);
    if (why && problem == RatioProblem::NotAnInteger)
        *why = ratioNotIntegerText(ratioText);
    if (why && problem == RatioProblem::TooLong)
        *why = ratioTooLongText(ratioText);
    return problem == RatioProblem::None;
}

QString ratioNotIntegerText(QStringView ratioText)
{
    return QStringLiteral("'%1' は整数ではありません").arg(ratioText);
}

QString ratioTooLongText(QStringView ratioText)
{
    return QStringLiteral("符号比率 '%1' では文字が長すぎて送出できません").arg(ratioText);
}
