// Times the records window opening over a large practice history: reading
// every answer, aligning each with its call sign, drawing both charts and the
// first paint. With --screenshot, renders the window over a few weeks of
// practice instead and saves the picture.
//   records_bench [RUNS] [--answers N] [--screenshot FILE]
#include "history/PracticeHistory.h"
#include "ui/style/DarkStyle.h"
#include "ui/records/RecordsWindow.h"

#include "fakes/RecordingUiDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Pairs a listener confuses by ear: one element more or less, or a dot for a dash.
const char *const kConfusions[] = {"HS", "H5", "S5", "B6", "V4", "UV", "DB", "KR", "QY", "GZ", "AW", "ER", "MO"};
const char *const kPrefixes[] = {"JA1", "JH1", "JR2", "JE3", "7K1", "JF6", "W1", "K2", "N4",
                                 "DL5", "G4", "VK2", "UA3", "OH2", "F5", "I2", "EA7", "PY2"};

class PracticeMaker
{
public:
    explicit PracticeMaker(unsigned seed) : m_random(seed) {}

    // total answers spread over days of practice ending yesterday.
    void fill(PracticeHistory &history, int days, int total)
    {
        const QDate first = QDate::currentDate().addDays(-days);
        for (int day = 0; day < days; ++day) {
            const double progress = double(day) / std::max(1, days - 1);
            const int answers = total / days + (day < total % days ? 1 : 0);
            QDateTime at(first.addDays(day), QTime(20, pick(0, 59)));
            for (int i = 0; i < answers; ++i) {
                at = at.addSecs(pick(6, 20));
                history.recordAnswer(makeAnswer(at, progress));
            }
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    QString callSign()
    {
        QString call = QLatin1String(kPrefixes[pick(0, std::size(kPrefixes) - 1)]);
        for (int i = pick(2, 3); i > 0; --i)
            call += QChar(u'A' + pick(0, 25));
        return call;
    }

    QString misheard(QString call)
    {
        const int at = pick(0, int(call.size()) - 1);
        switch (pick(0, 5)) {
        case 0:  // a character dropped
            call.remove(at, 1);
            break;
        case 1:  // a character added
            call.insert(at, QChar(u'A' + pick(0, 25)));
            break;
        default:  // a character heard as its look-alike
            for (const char *pair : kConfusions) {
                if (call[at] == QLatin1Char(pair[0]) || call[at] == QLatin1Char(pair[1])) {
                    call[at] = QLatin1Char(call[at] == QLatin1Char(pair[0]) ? pair[1] : pair[0]);
                    return call;
                }
            }
            call[at] = QChar(u'A' + pick(0, 25));
        }
        return call;
    }

    AnswerRecord makeAnswer(const QDateTime &at, double progress)
    {
        AnswerRecord answer;
        answer.at = at;
        answer.callSign = callSign();
        const int kind = pick(0, 9);
        answer.mode = kind < 6 ? PracticeMode::Step : kind < 9 ? PracticeMode::Normal : PracticeMode::Random;
        answer.wpm = answer.mode == PracticeMode::Step ? 20 + int(progress * 14) + pick(0, 2)
            : answer.mode == PracticeMode::Normal      ? 25
                                                        : 15 + pick(0, 24);
        answer.pitchHz = answer.mode == PracticeMode::Random ? 500 + 50 * pick(0, 19) : 700;
        answer.correct = !chance(0.28 - 0.16 * progress);
        answer.answer = answer.correct ? answer.callSign : misheard(answer.callSign);
        answer.correct = answer.answer == answer.callSign;
        answer.enterAfterMs = pick(300, 2500);
        return answer;
    }

    std::mt19937 m_random;
};

double openMilliseconds(const PracticeHistory &history)
{
    RecordingUiDialogs dialogs;
    QElapsedTimer timer;
    timer.start();
    RecordsWindow window(history, dialogs);
    window.showRecords();
    window.grab();  // the first paint, charts included
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DarkStyle::apply(app);
    int runs = 7;
    int answers = 100000;
    QString screenshot;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--answers") && i + 1 < args.size())
            answers = args[++i].toInt();
        else if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size())
            screenshot = args[++i];
        else
            runs = std::max(1, args[i].toInt());
    }

    QTemporaryDir folder;
    PracticeHistory history;
    if (!history.open(folder.path())) {
        std::fprintf(stderr, "%s\n", qPrintable(history.errorText()));
        return 1;
    }
    PracticeMaker maker(20240501);

    if (!screenshot.isEmpty()) {
        maker.fill(history, 24, 1300);
        RecordingUiDialogs dialogs;
        RecordsWindow window(history, dialogs);
        window.showRecords();
        return window.grab().save(screenshot) ? 0 : 1;
    }

    // A year of practice, a few hundred answers a day.
    QElapsedTimer writing;
    writing.start();
    maker.fill(history, 365, answers);
    const double writeSeconds = double(writing.elapsed()) / 1000;
    int stored = 0;
    history.readAnswers([&stored](const AnswerRecord &) { ++stored; });
    std::printf("history: %d answers, written one transaction each in %.1f s (%.0f us an answer)\n", stored,
                writeSeconds, writeSeconds * 1e6 / stored);

    // Start-up reads every page once (the damage check) before the first answer.
    QElapsedTimer opening;
    opening.start();
    history.close();
    if (!history.open(folder.path()))
        return 1;
    std::printf("opening the history at start-up: %lld ms\n", opening.elapsed());

    std::vector<double> times;
    openMilliseconds(history);  // warm the file cache and the fonts
    for (int run = 0; run < runs; ++run)
        times.push_back(openMilliseconds(history));
    std::sort(times.begin(), times.end());
    std::printf("records window opening, %d runs: median %.0f ms, range %.0f-%.0f ms\n", runs,
                times[times.size() / 2], times.front(), times.back());
    return 0;
}
