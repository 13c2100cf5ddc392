// Saves ever-changing memos as fast as it can until it is killed: the other
// half of the test that a crash never leaves a broken memo file.
#include "plaintext/MemoStore.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString text;
    MemoStore store(QString::fromLocal8Bit(argv[1]), [&text] { return text; });
    for (int i = 0;; ++i) {
        // Each memo is one letter repeated; its length tells which letter.
        text = QString((i % 40 + 1) * 4096, QChar(u'A' + i % 26));
        store.edited();
        store.flush();
        if (i == 0) {
            std::puts("saving");
            std::fflush(stdout);
        }
    }
}
