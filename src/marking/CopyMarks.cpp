#include "CopyMarks.h"

#include "CopyAlignment.h"

CopyMarks markCopyErrors(const QString &sent, const QString &copied)
{
    CopyMarks marks;
    int s = 0;  // position in sent
    int c = 0;  // position in copied
    for (const AlignedPair &pair : alignCopy(sent, copied)) {
        switch (pair.op) {
        case AlignedPair::Match:
            ++s;
            ++c;
            break;
        case AlignedPair::Substituted:
            marks.sent << s++;
            marks.copied << c++;
            break;
        case AlignedPair::Missed:
            marks.sent << s++;
            break;
        case AlignedPair::Extra:
            marks.copied << c++;
            break;
        }
    }
    return marks;
}
