#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The special-code chart: a picture of the key characters that stand for
// prosigns and two-kana signs, shown modally over the main window. Only its OK
// button closes it; it then stays alive, hidden, until it is shown again.
class TfrmSpCode : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSpCode(QWidget *parent = nullptr);

    // Escape and the window manager's close request end up here; the chart
    // has no cancel, so both are ignored.
    void reject() override;

private:
    void btnOKClick();

    QLabel *img1;
    QPushButton *btnOK;
};
