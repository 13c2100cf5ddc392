#pragma once

#include "history/RecordsSummary.h"

#include <QDialog>

class PracticeHistory;
class QChartView;
class QLabel;
class QPushButton;
class QTreeWidget;
class UiDialogs;

// The 成績 window: accuracy and speed by day, the characters most often copied
// wrong, the best speed reached in Step mode, and the export of the history
// as CSV. It reads the history afresh each time it is shown and stays open
// beside the main window while practice goes on.
class RecordsWindow : public QDialog
{
    Q_OBJECT

public:
    // The history and the dialogs are the main window's and outlive this one.
    RecordsWindow(const PracticeHistory &history, UiDialogs &dialogs, QWidget *parent = nullptr);

    // Reads the history again and brings the window to the front.
    void showRecords();
    void reload();

    void btnExportCsvClick();

    // How many characters the chart shows; the list below it holds them all.
    static constexpr int kChartCharacters = 10;

private:
    void createControls();
    void showSummary(const RecordsSummary &summary);
    void showCourse();

    const PracticeHistory &m_history;
    UiDialogs &m_dialogs;

    QLabel *lblTotals;
    QLabel *lblBestStep;
    QLabel *lblCourse;
    QLabel *lblUnavailable;
    QPushButton *btnExportCsv;
    QPushButton *btnClose;
    QChartView *chartDays;
    QChartView *chartCharacters;
    QTreeWidget *lvCharacterErrors;
};
