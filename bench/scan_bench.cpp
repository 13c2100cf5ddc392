// Times the call-sign scan on index pages of 40 000 and 80 000 anchors and
// prints the ratio of the two times: about 2 when the scan is linear.
#include "callsign/CallSignScan.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

double milliseconds(const QByteArray &page, qsizetype &found)
{
    const auto begin = std::chrono::steady_clock::now();
    const QStringList calls = ScanCallSigns(page, CallSignFilter::DX);
    const auto end = std::chrono::steady_clock::now();
    found = calls.size();
    return std::chrono::duration<double, std::milli>(end - begin).count();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// "5.12 ms (4.90-6.88)": the median and the range of the runs.
void printTimes(int anchors, qsizetype bytes, const std::vector<double> &times, qsizetype found)
{
    const auto [low, high] = std::minmax_element(times.begin(), times.end());
    std::printf("  %d anchors, %8lld bytes: %8.2f ms (%.2f-%.2f) (%lld call signs)\n", anchors,
                static_cast<long long>(bytes), median(times), *low, *high, static_cast<long long>(found));
}

// The two sizes take turns, so that a busy moment of the machine falls on both
// alike; the median of each is reported.
void measure(const char *what, bool closed, int runs)
{
    const QByteArray small = makePage(40000, closed);
    const QByteArray large = makePage(80000, closed);
    qsizetype foundSmall = 0;
    qsizetype foundLarge = 0;
    std::vector<double> smallTimes;
    std::vector<double> largeTimes;
    milliseconds(small, foundSmall);
    milliseconds(large, foundLarge);
    for (int run = 0; run < runs; ++run) {
        smallTimes.push_back(milliseconds(small, foundSmall));
        largeTimes.push_back(milliseconds(large, foundLarge));
    }
    std::printf("%s\n", what);
    printTimes(40000, small.size(), smallTimes, foundSmall);
    printTimes(80000, large.size(), largeTimes, foundLarge);
    // Each run's pair taken alone, so a busy moment shows as a wide range.
    std::vector<double> ratios;
    for (std::size_t run = 0; run < smallTimes.size(); ++run)
        ratios.push_back(largeTimes[run] / smallTimes[run]);
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("  ratio: %.2f (%.2f-%.2f)\n", median(largeTimes) / median(smallTimes), *low, *high);
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
