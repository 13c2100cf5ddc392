#include "CharacterTally.h"

#include <algorithm>

void CharacterTally::add(const QList<AlignedPair> &alignment)
{
    for (const AlignedPair &pair : alignment) {
        const QChar character = pair.op == AlignedPair::Extra ? pair.copied : pair.sent;
        Entry &entry = m_entries[character];
        entry.character = character;
        switch (pair.op) {
        case AlignedPair::Match: ++entry.sent; break;
        case AlignedPair::Substituted: ++entry.sent; ++entry.substituted; break;
        case AlignedPair::Missed: ++entry.sent; ++entry.missed; break;
        case AlignedPair::Extra: ++entry.extra; break;
        }
    }
}

QList<CharacterTally::Entry> CharacterTally::worstFirst() const
{
    QList<Entry> wrong;
    for (const Entry &entry : m_entries) {
        if (entry.errors() > 0)
            wrong.append(entry);
    }
    std::sort(wrong.begin(), wrong.end(), [](const Entry &a, const Entry &b) {
        if (a.errors() != b.errors())
            return a.errors() > b.errors();
        // Shares compared crosswise in integers; a character with an error
        // was always sent or slipped in, so neither count is 0.
        const qint64 left = qint64(a.errors()) * (b.sent + b.extra);
        const qint64 right = qint64(b.errors()) * (a.sent + a.extra);
        if (left != right)
            return left > right;
        return a.character < b.character;
    });
    return wrong;
}

CharacterTally::Entry CharacterTally::entry(QChar character) const
{
    Entry found = m_entries.value(character);
    found.character = character;
    return found;
}
