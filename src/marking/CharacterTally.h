#pragma once

#include "CopyAlignment.h"

#include <QHash>
#include <QList>

// How often each character was copied wrong, from many aligned answers.
// Substituted and missed characters count against the character that was
// sent; an extra character counts against the character that was copied,
// since nothing was sent there. Each error counts once.
class CharacterTally
{
public:
    struct Entry
    {
        QChar character;
        int sent = 0;         // times it was sent
        int substituted = 0;  // sent, copied as another character
        int missed = 0;       // sent, not copied
        int extra = 0;        // copied where nothing was sent

        int errors() const { return substituted + missed + extra; }
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    void add(const QList<AlignedPair> &alignment);

    // The characters with at least one error, worst first: most errors, then
    // the higher share of the times sent, then in character order.
    QList<Entry> worstFirst() const;
    Entry entry(QChar character) const;
    // Every character sent or copied, in no particular order.
    QList<Entry> entries() const { return m_entries.values(); }

private:
    QHash<QChar, Entry> m_entries;
};
