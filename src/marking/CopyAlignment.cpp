#include "CopyAlignment.h"

#include <algorithm>
#include <vector>

QList<AlignedPair> alignCopy(const QString &sent, const QString &copied)
{
    const qsizetype rows = sent.size() + 1;
    const qsizetype columns = copied.size() + 1;
    // cost[i * columns + j]: edits turning the first i sent characters into
    // the first j copied ones. Answers are short, so the whole table is kept
    // for the traceback.
    std::vector<int> cost(std::size_t(rows * columns));
    auto at = [&](qsizetype i, qsizetype j) -> int & { return cost[std::size_t(i * columns + j)]; };
    for (qsizetype i = 0; i < rows; ++i)
        at(i, 0) = int(i);
    for (qsizetype j = 0; j < columns; ++j)
        at(0, j) = int(j);
    for (qsizetype i = 1; i < rows; ++i) {
        for (qsizetype j = 1; j < columns; ++j) {
            const int diagonal = at(i - 1, j - 1) + (sent[i - 1] == copied[j - 1] ? 0 : 1);
            at(i, j) = std::min({diagonal, at(i - 1, j) + 1, at(i, j - 1) + 1});
        }
    }

    // Walking back from the end, the first step that keeps the cost wins.
    QList<AlignedPair> pairs;
    pairs.reserve(std::max(rows, columns));
    qsizetype i = rows - 1;
    qsizetype j = columns - 1;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0) {
            const bool same = sent[i - 1] == copied[j - 1];
            if (at(i, j) == at(i - 1, j - 1) + (same ? 0 : 1)) {
                --i;
                --j;
                pairs.append({same ? AlignedPair::Match : AlignedPair::Substituted, sent[i], copied[j]});
                continue;
            }
        }
        if (i > 0 && at(i, j) == at(i - 1, j) + 1) {
            --i;
            pairs.append({AlignedPair::Missed, sent[i], QChar()});
            continue;
        }
        --j;
        pairs.append({AlignedPair::Extra, QChar(), copied[j]});
    }
    std::reverse(pairs.begin(), pairs.end());
    return pairs;
}

int copyErrorCount(const QList<AlignedPair> &alignment)
{
    return int(std::count_if(alignment.begin(), alignment.end(),
                             [](const AlignedPair &pair) { return pair.op != AlignedPair::Match; }));
}
