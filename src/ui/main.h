#pragma once

#include "callsign/CallSignDrill.h"
#include "callsign/DrillView.h"
#include "keying/KeyingValues.h"
#include "plaintext/TextFolderList.h"
#include "sending/CharacterSequencer.h"
#include "sending/SendingView.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

class CallSignListReader;
class HttpClient;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTabWidget;
class QTreeWidget;
class SoundOutput;
class TfrmSpCode;
class UiDialogs;
class UpDownSpinner;

// The main window: owns every control and every event handler, and hands the
// work to the domain objects (sequencer, drill, list reader, text sources).
class TfrmMain : public QWidget, public SendingView, public DrillView
{
    Q_OBJECT

public:
    // Takes over output, http and dialogs.
    TfrmMain(SoundOutput *output, HttpClient *http, UiDialogs *dialogs, QWidget *parent = nullptr);
    ~TfrmMain() override;

    CharacterSequencer &sequencer() { return *m_sequencer; }
    const KeyingValues &keying() const { return m_keying; }
    const QStringList &callSigns() const { return lstCallSign; }
    const CallSignDrill &drill() const { return *m_drill; }
    QString statusText(int panel) const;
    QString memoText() const;
    void setMemoText(const QString &text);
    TextFolderList &folderList() { return fllstMorseText; }

    // Event handlers, named after their control and event.
    void FormCreate();
    void FormDestroy();
    void btnStartClick();
    void btnStopClick();
    void edtSpeedChange();
    void udPitchChanging(int newPosition);
    void cbbSpacingChange();
    void tbVolumeChange();
    bool edtCallInputKeyPress(QChar key);
    void chkCallStreamClick();
    void btnCallReadClick();
    void btnSpCodeListClick();
    void chkTextRandomClick();
    void btnClearClickClick();
    void btnReadTextClick();
    void btnFolderSelectClick();
    void mniN1Click();
    void mniN2Click();
    void tmrPerMinuteTimer();
    void RestoreButtons();

    // What the sequencer and the drill see of the window.
    int activeTab() const override;
    bool callStreamTicked() const override;
    bool tickerAfterSending() const override;
    QString callInputText() const override;
    void setCallInputText(const QString &text) override;
    void setTickerVisible(bool visible) override;
    void appendTicker(QChar c) override;
    void countTextChar() override;
    void restoreButtons() override;
    void setStartEnabled(bool enabled) override;
    void showSending() override;
    void clearTicker() override;
    void plainTextRunEnded() override;
    void plainTextStopped() override;
    bool randomFileTicked() const override;
    void startClicked() override;
    void showError(const QString &message) override;
    void showSoundWarning(const QString &message) override;
    Mode practiceMode() const override;
    int appendResultRow(const QString &input, const QString &call, const QString &speed,
                        const QString &verdict) override;
    void clearResults() override;
    void selectLastResultRow() override;
    void showScore(const QString &text) override;
    void setScoreVisible(bool visible) override;
    QString speedText() const override;
    int speedPosition() const override;
    void setSpeedPosition(int wpm) override;
    void setPitchPosition(int hz) override;
    void clearCallInput() override;
    void focusCallInput() override;
    void showNotice(const QString &text) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createSettingsGroup();
    void createCallSignTab(QWidget *page);
    void createPlainTextTab(QWidget *page);
    void connectEvents();
    void startPlainText();
    void pasteIntoMemo(const QString &text);
    void callListRead(const QStringList &callSigns);

    // Controls, by their names in the window layout.
    QTabWidget *PageControlMode;
    QWidget *TabSheetCall;
    QWidget *TabSheetPlain;
    QGroupBox *grp2;
    QPushButton *btnStart;
    QPushButton *btnStop;
    QStatusBar *stat1;
    QLabel *stat1Panel0;
    QLabel *stat1Panel1;
    QLineEdit *edtSpeed;
    UpDownSpinner *udSpeed;
    QLineEdit *edtPitch;
    UpDownSpinner *udPitch;
    QComboBox *cbbSpacing;
    QSlider *tbVolume;
    QLineEdit *edtRatio;
    UpDownSpinner *ud1;
    QTreeWidget *lvCallList;
    QLineEdit *edtCallInput;
    QGroupBox *GroupBox2;
    QRadioButton *rbCallDX;
    QRadioButton *rbCallJA;
    QComboBox *cbbCallList;
    QPushButton *btnCallRead;
    QGroupBox *GroupBox1;
    QRadioButton *rbModeNormal;
    QRadioButton *rbModeStep;
    QRadioButton *rbModeRandom;
    QCheckBox *chkCallStream;
    QFrame *PanelCount;
    QLabel *LabelCount;
    QPlainTextEdit *mmoCharacter;
    QFrame *Shape1;
    QLabel *lblChar;
    QCheckBox *chkMojiPosi;
    QCheckBox *chkTextRandom;
    QPushButton *btnReadText;
    QPushButton *btnClearClick;
    QPushButton *btnSpCodeList;
    QLineEdit *edtFolder;
    QPushButton *btnFolderSelect;
    QMenu *pm1;
    QTimer *tmrPerMinute;
    TfrmSpCode *frmSpCode;

    // The hidden lists: downloaded call signs and the text files of a folder.
    QStringList lstCallSign;
    TextFolderList fllstMorseText;

    std::unique_ptr<UiDialogs> m_dialogs;
    std::unique_ptr<SoundOutput> hWave_out;
    std::unique_ptr<TSineTable> sine_table;
    KeyingValues m_keying;
    std::unique_ptr<CharacterSequencer> m_sequencer;
    std::unique_ptr<CallSignDrill> m_drill;
    CallSignListReader *m_reader;

    quint32 start_tick = 0;
    int text_chars = 0;
    QString m_openDialogFolder;  // empty until the first confirmed choice
};
