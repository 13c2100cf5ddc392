// Times loading call-sign files from disk: a 300 000-line check-partial list,
// and the largest file accepted, plain text of 8 MB. Each load reads, decodes,
// recognises the format, collects and de-duplicates; the median and the range
// of the runs are printed.
#include "callsign/CallSignFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// Distinct call signs in the shapes a check-partial list holds.
QByteArray callSign(int i)
{
    static const char *const prefixes[] = {"JA", "K", "W", "DL", "G", "VK", "JH", "7K"};
    QByteArray call = prefixes[i % 8];
    call += char('0' + (i / 8) % 10);
    for (int rest = i / 80, letters = 0; letters < 3; ++letters, rest /= 26)
        call += char('A' + rest % 26);
    if (i % 50 == 0)
        call += "/P";
    return call;
}

QByteArray checkPartial(int lines)
{
    QByteArray text = "# Check-partial list for the benchmark\r\n# one call sign per line\r\n";
    for (int i = 0; i < lines; ++i)
        text += callSign(i) + "\r\n";
    return text;
}

QByteArray plainText(qint64 bytes)
{
    QByteArray text;
    for (int i = 0; text.size() < bytes - 80; ++i)
        text += "Worked " + callSign(i) + ", 599 25, (TNX QSO) and " + callSign(i + 7) + " de JA1ZZZ.\n";
    return text;
}

// "median (lowest-highest)" of the runs.
QByteArray summary(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return QByteArray::number(times[times.size() / 2], 'f', 1) + " ms (" + QByteArray::number(times.front(), 'f', 1)
        + "-" + QByteArray::number(times.back(), 'f', 1) + ")";
}

// Processor time shows the work alone when other programs share the machine;
// wall-clock time is what the user waits.
void measure(const char *what, const QString &path, int runs)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    qsizetype found = 0;
    for (int run = 0; run <= runs; ++run) {
        const auto begin = std::chrono::steady_clock::now();
        const std::clock_t cpuBegin = std::clock();
        const CallSignFileResult result = loadCallSignFile(path, CallSignFilter::DX);
        const std::clock_t cpuEnd = std::clock();
        const auto end = std::chrono::steady_clock::now();
        found = result.callSigns.size();
        // The first run warms the page cache and is not counted.
        if (run > 0) {
            wall.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
            cpu.push_back(1000.0 * double(cpuEnd - cpuBegin) / CLOCKS_PER_SEC);
        }
    }
    std::printf("%s (%lld bytes, %lld call signs):\n  processor time %s; wall clock %s\n", what,
                static_cast<long long>(QFile(path).size()), static_cast<long long>(found),
                summary(cpu).constData(), summary(wall).constData());
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    QTemporaryDir dir;
    const QString scp = dir.filePath(QStringLiteral("MASTER.SCP"));
    const QString text = dir.filePath(QStringLiteral("largest.txt"));
    if (!dir.isValid() || !write(scp, checkPartial(300000)) || !write(text, plainText(kMaxCallSignFileBytes))) {
        std::fprintf(stderr, "cannot write the benchmark files\n");
        return 1;
    }
    std::printf("%d runs each\n", runs);
    measure("check-partial list, 300 000 lines", scp, runs);
    measure("plain text at the size limit", text, runs);
    return 0;
}
