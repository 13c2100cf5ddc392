#include "RecordsCharts.h"

#include "ui/style/DarkStyle.h"
#include "ui/style/UiFonts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// The speed line keeps to the silver of the window's score panel, so the gold
// stays with the accuracy and the errors.
const QColor kSilver(0xC0, 0xC0, 0xC0);

QChart *darkChart(const QString &title)
{
    const QPalette palette = DarkStyle::darkPalette();
    auto *chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(palette.color(QPalette::Window));
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundBrush(palette.color(QPalette::Base));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitle(title);
    chart->setTitleFont(uiFont(UiFace::MeiryoUi, 14, true));
    chart->setTitleBrush(DarkStyle::gold);
    chart->legend()->setFont(uiFont(UiFace::MeiryoUi, 12));
    chart->legend()->setLabelColor(palette.color(QPalette::WindowText));
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

void styleAxis(QAbstractAxis *axis, const QColor &labels)
{
    const QPalette palette = DarkStyle::darkPalette();
    axis->setLabelsFont(uiFont(UiFace::MeiryoUi, 11));
    axis->setLabelsColor(labels);
    axis->setTitleFont(uiFont(UiFace::MeiryoUi, 11));
    axis->setTitleBrush(labels);
    axis->setLinePenColor(palette.color(QPalette::Light));
    axis->setGridLineColor(palette.color(QPalette::Midlight));
}

QLineSeries *dayLine(const QString &name, const QColor &color)
{
    auto *line = new QLineSeries;
    line->setName(name);
    line->setPen(QPen(color, 2));
    line->setPointsVisible(true);
    return line;
}

qint64 noonOf(const QDate &date)
{
    return QDateTime(date, QTime(12, 0)).toMSecsSinceEpoch();
}

} // namespace

namespace RecordsCharts {

QChart *days(const QList<RecordsSummary::Day> &days)
{
    QChart *chart = darkChart(QStringLiteral("日ごとの正解率と速度"));
    QLineSeries *accuracy = dayLine(QStringLiteral("正解率 (%)"), DarkStyle::gold);
    QLineSeries *speed = dayLine(QStringLiteral("平均速度 (wpm)"), kSilver);
    double fastest = 0;
    for (const RecordsSummary::Day &day : days) {
        accuracy->append(double(noonOf(day.date)), day.accuracyPercent());
        speed->append(double(noonOf(day.date)), day.meanWpm());
        fastest = std::max(fastest, day.meanWpm());
    }
    chart->addSeries(accuracy);
    chart->addSeries(speed);

    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("M/d"));
    // A single day still gets a span, so its point sits in the middle.
    const QDate first = days.isEmpty() ? QDate::currentDate() : days.first().date;
    const QDate last = days.isEmpty() ? first : days.last().date;
    time->setRange(QDateTime(first.addDays(-1), QTime(12, 0)), QDateTime(last.addDays(1), QTime(12, 0)));
    time->setTickCount(int(std::clamp<qint64>(first.daysTo(last) + 3, 3, 8)));
    styleAxis(time, DarkStyle::darkPalette().color(QPalette::WindowText));
    chart->addAxis(time, Qt::AlignBottom);

    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setLabelFormat(QStringLiteral("%d"));
    percent->setTitleText(QStringLiteral("%"));
    styleAxis(percent, DarkStyle::gold);
    chart->addAxis(percent, Qt::AlignLeft);

    auto *wpm = new QValueAxis;
    // Whole steps of 10 wpm (5 below 20): 0/10/20/30, never 0/7/15/22/30.
    const double wpmTop = std::max(10.0, std::ceil((fastest + 5) / 10) * 10);
    wpm->setRange(0, wpmTop);
    wpm->setTickCount(int(wpmTop / (wpmTop <= 20 ? 5 : 10)) + 1);
    wpm->setLabelFormat(QStringLiteral("%d"));
    wpm->setTitleText(QStringLiteral("wpm"));
    styleAxis(wpm, kSilver);
    wpm->setGridLineVisible(false);
    chart->addAxis(wpm, Qt::AlignRight);

    accuracy->attachAxis(time);
    accuracy->attachAxis(percent);
    speed->attachAxis(time);
    speed->attachAxis(wpm);
    return chart;
}

QChart *worstCharacters(const QList<CharacterTally::Entry> &worstFirst, int shown)
{
    QChart *chart = darkChart(QStringLiteral("誤りの多い文字"));
    chart->legend()->hide();
    const QList<CharacterTally::Entry> top = worstFirst.mid(0, shown);

    auto *errors = new QBarSet(QStringLiteral("誤り"));
    errors->setColor(DarkStyle::gold);
    errors->setBorderColor(DarkStyle::gold.darker(130));
    errors->setLabelColor(DarkStyle::darkPalette().color(QPalette::WindowText));
    QStringList characters;
    int most = 0;
    for (const CharacterTally::Entry &entry : top) {
        *errors << entry.errors();
        characters << QString(entry.character);
        most = std::max(most, entry.errors());
    }
    auto *series = new QBarSeries;
    series->append(errors);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);

    auto *names = new QBarCategoryAxis;
    names->append(characters);
    styleAxis(names, DarkStyle::darkPalette().color(QPalette::WindowText));
    names->setLabelsFont(uiFont(UiFace::MsGothic, 15, true));
    names->setGridLineVisible(false);
    chart->addAxis(names, Qt::AlignBottom);
    series->attachAxis(names);

    auto *count = new QValueAxis;
    // Room above the tallest bar for its label.
    count->setRange(0, std::max(5, int(std::ceil(most * 1.15))));
    count->applyNiceNumbers();
    count->setLabelFormat(QStringLiteral("%d"));
    styleAxis(count, DarkStyle::darkPalette().color(QPalette::WindowText));
    chart->addAxis(count, Qt::AlignLeft);
    series->attachAxis(count);
    return chart;
}

} // namespace RecordsCharts
