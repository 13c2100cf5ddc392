// Times the call-sign scan on index pages of 40 000 and 80 000 anchors and
// prints the ratio of the two times: about 2 when the scan is linear.
#include "callsign/CallSignScan.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <tuple>
#include <vector>

namespace {

// About 63 bytes a row, as the real index pages have.
QByteArray makePage(int anchors, bool closed)
{
    QByteArray page = "<html><head><title>Index</title></head><body><table>\n";
    page.reserve(qsizetype(anchors) * 64 + 100);
    char call[8];
    for (int i = 0; i < anchors; ++i) {
        std::snprintf(call, sizeof call, "%c%c%d%c%c%c", "JKWD"[i % 4], 'A' + (i / 4) % 26, i % 10,
                      'A' + (i / 40) % 26, 'A' + (i / 1040) % 26, 'A' + i % 26);
        page += "<tr><td><a href=\"";
        page += QByteArray(call).toLower();
        page += ".log\">";
        page += call;
        page += closed ? "</a></td>" : "</b></td>";
        page += "<td>" + QByteArray::number(1000 + i % 9000) + "</td></tr>\n";
    }
    page += "</table></body></html>\n";
    return page;
}

// Wall clock and the processor time of this thread, in milliseconds: on a
// shared machine the wall clock also counts the time other programs held the
// processor, the thread's own time does not.
struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
};

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void scanOnce(const QByteArray &page, qsizetype &found, Times &times)
{
    const double cpuBegin = threadMilliseconds();
    const auto begin = std::chrono::steady_clock::now();
    const QStringList calls = scanCallSigns(page, CallSignFilter::DX);
    const auto end = std::chrono::steady_clock::now();
    times.cpu.push_back(threadMilliseconds() - cpuBegin);
    times.wall.push_back(std::chrono::duration<double, std::milli>(end - begin).count());
    found = calls.size();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// "wall clock: 5.12 ms (4.90-6.88)": the median and the range of the runs.
void printFigure(const char *what, const std::vector<double> &values, const char *unit)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("    %-22s %7.2f%s (%.2f-%.2f)\n", what, median(values), unit, *low, *high);
}

std::vector<double> ratios(const std::vector<double> &large, const std::vector<double> &small)
{
    std::vector<double> result;
    for (std::size_t run = 0; run < small.size(); ++run)
        result.push_back(large[run] / small[run]);
    return result;
}

// The two sizes take turns, so that a busy moment of the machine falls on both
// alike.
void measure(const char *what, bool closed, int runs)
{
    const QByteArray small = makePage(40000, closed);
    const QByteArray large = makePage(80000, closed);
    qsizetype foundSmall = 0;
    qsizetype foundLarge = 0;
    Times smallTimes;
    Times largeTimes;
    for (int run = 0; run <= runs; ++run) {
        scanOnce(small, foundSmall, smallTimes);
        scanOnce(large, foundLarge, largeTimes);
    }
    // The first pair only warmed the caches.
    for (Times *times : {&smallTimes, &largeTimes}) {
        times->wall.erase(times->wall.begin());
        times->cpu.erase(times->cpu.begin());
    }
    std::printf("%s\n", what);
    for (const auto &[anchors, page, times, found] :
         {std::tuple{40000, &small, &smallTimes, foundSmall}, std::tuple{80000, &large, &largeTimes, foundLarge}}) {
        std::printf("  %d anchors, %lld bytes, %lld call signs\n", anchors,
                    static_cast<long long>(page->size()), static_cast<long long>(found));
        printFigure("wall clock:", times->wall, " ms");
        printFigure("processor time:", times->cpu, " ms");
    }
    // Each run's pair taken alone, so a busy moment shows as a wide range.
    std::printf("  80000 / 40000 anchors\n");
    printFigure("ratio, wall clock:", ratios(largeTimes.wall, smallTimes.wall), "");
    printFigure("ratio, processor time:", ratios(largeTimes.cpu, smallTimes.cpu), "");
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
    std::printf("median of %d runs (range)\n", runs);
    measure("index page", true, runs);
    measure("anchors without end marker", false, runs);
    return 0;
}
