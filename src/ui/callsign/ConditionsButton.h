#pragma once

#include "conditions/BandConditions.h"

#include <QToolButton>

class QCheckBox;
class QMenu;
class QSettings;
class QSpinBox;

// The band's conditions for the call-sign drill and stream, chosen from a
// small menu under one button on the call-sign tab: noise with its
// signal-to-noise ratio, fading with its depth, a second station. The button
// reads in gold while any of them is on.
class ConditionsButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ConditionsButton(QWidget *parent = nullptr);

    BandConditions conditions() const;
    void setConditions(const BandConditions &conditions);

    // Restores what an earlier run saved in settings, then saves every change
    // there. Each saved value out of range falls back alone.
    void keepSettingsIn(QSettings &settings);

signals:
    void conditionsChanged(const BandConditions &conditions);

private:
    QWidget *createForm();
    void changed();

    QMenu *m_menu;
    QCheckBox *chkNoise;
    QSpinBox *spnSnr;
    QCheckBox *chkQsb;
    QSpinBox *spnQsbDepth;
    QCheckBox *chkQrm;
};
