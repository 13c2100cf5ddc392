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
        // The share of the character's appearances, sent or slipped in, that
        // were wrong: errors over (sent + extra), so always 0-100; 0 for a
        // character never seen.
        double errorPercent() const
        {
            const int seen = sent + extra;
            return seen > 0 ? 100.0 * errors() / seen : 0.0;
        }
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    void add(const QList<AlignedPair> &alignment);

    // The characters with at least one error, worst first: most errors, then
    // the higher error share (errorPercent()), then in character order.
    QList<Entry> worstFirst() const;
    Entry entry(QChar character) const;
    // Every character sent or copied, in no particular order.
    QList<Entry> entries() const { return m_entries.values(); }

private:
    QHash<QChar, Entry> m_entries;
};
