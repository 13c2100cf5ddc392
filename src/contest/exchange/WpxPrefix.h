#pragma once

#include <QString>

// The prefix a call counts as in the prefix contest: its start up to and
// including the last digit before the suffix (JA1ABC → JA1, HG19ABC → HG19);
// a portable designator replaces it (N8BJQ/KH9 → KH9, JA1ABC/2 → JA2); a
// designator or call without a digit gets a 0 after its first two letters
// (PA/N8BJQ → PA0). /P, /M, /MM, /A and /QRP are no prefixes.
QString wpxPrefix(const QString &callSign);
