#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One step of lining up what was copied with what was sent.
struct AlignedPair
{
    enum Op {
        Match,        // sent and copied alike
        Substituted,  // sent one character, copied another in its place
        Missed,       // sent, nothing copied for it
        Extra,        // copied, nothing sent there
    };

    Op op = Match;
    QChar sent;    // null for Extra
    QChar copied;  // null for Missed

    friend bool operator==(const AlignedPair &, const AlignedPair &) = default;
};

// Lines up copied with sent character by character along a shortest edit
// (Levenshtein distance, every edit costing one), so that a character left out
// or slipped in costs one error instead of shifting every character after it.
// Where several shortest edits exist, the choice is made walking back from the
// end, preferring a match or substitution, then a missed character, then an
// extra one: "DL5XC" for "DL5ABC" is A missed and B copied as X.
// Characters are UTF-16 code units compared exactly: the caller folds case if
// case does not matter.
QList<AlignedPair> alignCopy(const QString &sent, const QString &copied);

// The number of pairs that are not a match: the edit distance.
int copyErrorCount(const QList<AlignedPair> &alignment);
