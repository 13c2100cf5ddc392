#include "RecordsWindow.h"

#include "history/CourseProgress.h"

#include "ui/style/DarkStyle.h"
#include "RecordsCharts.h"
#include "ui/window/UiDialogs.h"
#include "ui/style/UiFonts.h"
#include "ui/style/WidgetPlacement.h"

#include "history/HistoryCsv.h"
#include "history/PracticeHistory.h"

#include <QChartView>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

#include <utility>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeWidget>

namespace {

QString count(qint64 n)
{
    return QLocale(QLocale::Japanese).toString(n);
}

QString percent(qint64 part, qint64 whole)
{
    return whole > 0 ? QString::number(100.0 * double(part) / double(whole), 'f', 1) + u'%' : QStringLiteral("—");
}

// A new chart goes in; the view lets go of the old one without deleting it.
void replaceChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace

RecordsWindow::RecordsWindow(const PracticeHistory &history, UiDialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_history(history)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmRecords"));
    setWindowTitle(QStringLiteral("成績"));
    setFont(uiFont(UiFace::MeiryoUi, 13));
    resize(860, 640);
    createControls();
    connect(btnExportCsv, &QPushButton::clicked, this, &RecordsWindow::btnExportCsvClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void RecordsWindow::createControls()
{
    lblTotals = new QLabel(this);
    lblTotals->setObjectName(QStringLiteral("lblTotals"));
    lblTotals->setFont(uiFont(UiFace::MeiryoUi, 15, true));
    lblBestStep = new QLabel(this);
    lblBestStep->setObjectName(QStringLiteral("lblBestStep"));
    lblBestStep->setFont(uiFont(UiFace::MeiryoUi, 15, true));
    setTextColor(lblBestStep, DarkStyle::gold);
    lblCourse = new QLabel(this);
    lblCourse->setObjectName(QStringLiteral("lblCourse"));
    lblCourse->setFont(uiFont(UiFace::MeiryoUi, 13));
    lblUnavailable = new QLabel(this);
    lblUnavailable->setObjectName(QStringLiteral("lblUnavailable"));
    lblUnavailable->setWordWrap(true);
    lblUnavailable->setAlignment(Qt::AlignCenter);

    btnExportCsv = new QPushButton(QStringLiteral("CSV に書き出す"), this);
    btnExportCsv->setObjectName(QStringLiteral("btnExportCsv"));
    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    chartDays = new QChartView(this);
    chartDays->setObjectName(QStringLiteral("chartDays"));
    chartCharacters = new QChartView(this);
    chartCharacters->setObjectName(QStringLiteral("chartCharacters"));
    for (QChartView *view : {chartDays, chartCharacters}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumHeight(250);
    }

    lvCharacterErrors = new QTreeWidget(this);
    lvCharacterErrors->setObjectName(QStringLiteral("lvCharacterErrors"));
    lvCharacterErrors->setRootIsDecorated(false);
    lvCharacterErrors->setHeaderLabels({QStringLiteral("文字"), QStringLiteral("誤り"), QStringLiteral("取り違え"),
                                        QStringLiteral("抜け"), QStringLiteral("余分"), QStringLiteral("送信"),
                                        QStringLiteral("誤り率")});
    lvCharacterErrors->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvCharacterErrors->header()->setDefaultAlignment(Qt::AlignCenter);
    // Every caption whole: the columns make room for their headers, and the
    // list scrolls sideways rather than clip one.
    lvCharacterErrors->header()->setStretchLastSection(false);
    lvCharacterErrors->header()->setMinimumSectionSize(
        lvCharacterErrors->header()->fontMetrics().horizontalAdvance(QStringLiteral("取り違え")) + 16);
    lvCharacterErrors->headerItem()->setToolTip(
        6, QStringLiteral("誤り率は、その文字の誤り（取り違え・抜け・余分）の数を、送信された回数と余分に打たれた回数の"
                          "合計で割った割合で、0〜100% に収まります。"));

    auto *header = new QGridLayout;
    header->addWidget(lblTotals, 0, 0);
    header->addWidget(lblBestStep, 1, 0);
    header->addWidget(lblCourse, 2, 0);
    header->addWidget(btnExportCsv, 0, 1, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    header->setColumnStretch(0, 1);

    auto *lower = new QHBoxLayout;
    lower->addWidget(chartCharacters, 1);
    lower->addWidget(lvCharacterErrors, 1);

    auto *footer = new QHBoxLayout;
    footer->addStretch();
    footer->addWidget(btnClose);

    auto *page = new QVBoxLayout(this);
    page->addLayout(header);
    page->addWidget(lblUnavailable);
    page->addWidget(chartDays, 1);
    page->addLayout(lower, 1);
    page->addLayout(footer);
}

void RecordsWindow::showRecords()
{
    reload();
    show();
    raise();
    activateWindow();
}

void RecordsWindow::reload()
{
    RecordsSummary summary;
    const bool read = m_history.readAnswers([&summary](const AnswerRecord &answer) { summary.add(answer); });
    lblUnavailable->setVisible(!read);
    if (!read) {
        lblUnavailable->setText(m_history.errorText().isEmpty() ? QStringLiteral("練習履歴は開かれていません。")
                                                                : m_history.errorText());
    }
    btnExportCsv->setEnabled(read);
    showSummary(summary);
    showCourse();
}

void RecordsWindow::showCourse()
{
    // The course keeps its tables in the same file; each course shows the
    // lesson reached and the score of the last lesson played.
    CourseProgress progress;
    QStringList parts;
    if (m_history.available() && progress.open(m_history.database())) {
        const std::pair<CourseKind, QString> courses[] = {{CourseKind::International, QStringLiteral("欧文")},
                                                          {CourseKind::Wabun, QStringLiteral("和文")}};
        for (const auto &[kind, name] : courses) {
            const QList<CourseLessonRecord> lessons = progress.lessons(kind);
            if (lessons.isEmpty())
                continue;
            const CourseLessonRecord &last = lessons.constLast();
            parts << QStringLiteral("%1 レッスン %2（前回 %3%）")
                         .arg(name)
                         .arg(progress.lessonReached(kind))
                         .arg(last.sent > 0 ? last.correct * 100 / last.sent : 0);
        }
    }
    lblCourse->setText(QStringLiteral("コース　") + (parts.isEmpty() ? QStringLiteral("まだ練習していません")
                                                                       : parts.join(QStringLiteral("　"))));
}

void RecordsWindow::showSummary(const RecordsSummary &summary)
{
    const QList<RecordsSummary::Day> days = summary.days();
    lblTotals->setText(QStringLiteral("解答 %1 件　正解 %2 件（%3）　練習した日 %4 日")
                           .arg(count(summary.answers()), count(summary.correct()),
                                percent(summary.correct(), summary.answers()), count(days.size())));
    const RecordsSummary::BestStep best = summary.bestStep();
    lblBestStep->setText(best.wpm > 0 ? QStringLiteral("ステップの最高速度　%1 wpm（%2）")
                                            .arg(best.wpm)
                                            .arg(best.at.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm")))
                                      : QStringLiteral("ステップの最高速度　まだありません"));

    const QList<CharacterTally::Entry> worst = summary.characters().worstFirst();
    replaceChart(chartDays, RecordsCharts::days(days));
    replaceChart(chartCharacters, RecordsCharts::worstCharacters(worst, kChartCharacters));

    lvCharacterErrors->clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(worst.size());
    for (const CharacterTally::Entry &entry : worst) {
        auto *row = new QTreeWidgetItem({QString(entry.character), count(entry.errors()), count(entry.substituted),
                                         count(entry.missed), count(entry.extra), count(entry.sent),
                                         entry.sent + entry.extra > 0
                                             ? QString::number(entry.errorPercent(), 'f', 1) + u'%'
                                             : QStringLiteral("—")});
        for (int column = 0; column < row->columnCount(); ++column)
            row->setTextAlignment(column, column == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
    }
    lvCharacterErrors->addTopLevelItems(rows);
}

void RecordsWindow::btnExportCsvClick()
{
    // The documents folder, or the home folder where a desktop has none.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QString name = QStringLiteral("keylark-history-%1.csv")
                             .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    const QString path = m_dialogs.saveCsvFile(this, QDir(folder).filePath(name));
    if (path.isEmpty())
        return;
    QString error;
    qsizetype rows = 0;
    if (!exportHistoryCsv(m_history, path, &error, &rows)) {
        m_dialogs.error(this, QStringLiteral("CSV に書き出せません（%1）").arg(error));
        return;
    }
    m_dialogs.notice(this, QStringLiteral("%1 件の記録を「%2」に書き出しました。")
                               .arg(count(rows), QDir::toNativeSeparators(path)));
}
