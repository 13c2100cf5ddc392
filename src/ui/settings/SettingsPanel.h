#pragma once

#include "keying/KeyingValues.h"

#include <QGroupBox>

#include <memory>
#include <optional>

class QComboBox;
class QSettings;
class QLineEdit;
class QSlider;
class UpDownSpinner;

// The 設定 group: speed, pitch, spacing, volume and dash-to-dot ratio. It owns
// the keying values the sequencer renders with; each control's handler turns
// what it shows into those values, so a change applies from the next character.
class SettingsPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit SettingsPanel(QWidget *parent = nullptr);
    ~SettingsPanel() override;

    const KeyingValues &keying() const { return m_keying; }

    // Start-up: the keying values from what the controls show. The volume
    // draws its divisor from the random generator, so seed that first.
    void applyStartValues();

    // Event handlers, named after their control and event.
    void edtSpeedChange();
    void udPitchChanging(int newPosition);
    void cbbSpacingChange();
    void tbVolumeChange();

    QString speedText() const;
    int speedPosition() const;
    // Setting a spinner runs its change handler.
    void setSpeedPosition(int wpm);
    // A course lesson sends at a speed of its own: the keying values take wpm
    // until sendAtSetSpeed(), while the spinner, and what is saved of it, keep
    // the speed set here. Call both only with nothing queued to sound.
    void sendAtOwnSpeed(int wpm);
    void sendAtSetSpeed();
    void setPitchPosition(int hz);
    QString ratioText() const;
    // Whether the ratio in the box renders every character at every setting;
    // if not and why is given, *why says what is wrong with it.
    bool ratioRenderable(QString *why = nullptr) const;

signals:
    // A ratio typed or stepped to that renders every character.
    void ratioAccepted(const QString &ratio);

public:

    // Restores what an earlier run saved in settings, then saves every change
    // there. Without saved values the controls keep their start-up state.
    void keepSettingsIn(QSettings &settings);

    // Puts the group's boxes, top to bottom, between before and after in the
    // keyboard order.
    void orderTabsBetween(QWidget *before, QWidget *after);

signals:
    // The gap between characters has changed (what the course calls its
    // effective speed follows it).
    void spacingChanged();
    // The tone's pitch or level has changed.
    void toneChanged();
    // Any of the values characters are rendered with has changed.
    void keyingChanged();

private:
    void createControls();
    void connectEvents();
    void edtRatioChange();
    int speedSent() const;

    std::optional<int> m_ownSpeed;
    QLineEdit *edtSpeed;
    UpDownSpinner *udSpeed;
    QLineEdit *edtPitch;
    UpDownSpinner *udPitch;
    QComboBox *cbbSpacing;
    QSlider *tbVolume;
    QLineEdit *edtRatio;
    UpDownSpinner *ud1;

    std::unique_ptr<TSineTable> sine_table;
    KeyingValues m_keying;
};
