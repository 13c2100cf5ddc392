#pragma once

#include "marking/CopyAlignment.h"

#include <QList>
#include <QString>

// A lesson's copy for the result box: what was sent, with the characters
// copied wrong in red and the missed ones dimmed and underlined, over what
// was typed, with every character that is not what was sent in red.
QString markedCopyHtml(const QList<AlignedPair> &alignment);
