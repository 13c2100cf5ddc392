#pragma once

#include "plaintext/TextFolderList.h"

#include <QWidget>

class CharacterSequencer;
class MemoStore;
class PracticeRecorder;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QTimer;
class TfrmSpCode;
class UiDialogs;

// The "平文受信" tab: the memo and its sources (typing, the two pastes, a text
// file, a random file of a folder), the ticker and the rate meter.
class PlainTextPage : public QWidget
{
    Q_OBJECT

public:
    explicit PlainTextPage(UiDialogs &dialogs, QWidget *parent = nullptr);

    // The page sends through the window's sequencer, which exists from
    // start-up to shutdown.
    void attach(CharacterSequencer &sequencer);
    void detach();
    // Start-up state of the page's controls, the memo emptied; the random
    // folder is the working directory, and the folder box says so.
    void FormCreate();

    // Restores the ticker timing and the random folder an earlier run saved
    // in settings, then saves every change there.
    void keepSettingsIn(QSettings &settings);
    // Restores the memo an earlier run kept, then keeps every edit.
    void keepMemoIn(const QString &path);

    // Text runs go into the practice history from now on.
    void recordIn(PracticeRecorder &recorder) { m_recorder = &recorder; }

    // Start on this tab, after the Start handler's common head.
    void start();

    // The memo with CR LF line breaks, as a text file would hold it.
    QString memoText() const;
    void setMemoText(const QString &text);
    // Where the user types on this tab: the memo.
    QWidget *typingBox() const;
    TextFolderList &folderList() { return fllstMorseText; }

    // Event handlers, named after their control and event.
    void btnSpCodeListClick();
    void chkTextRandomClick();
    void btnClearClickClick();
    void btnReadTextClick();
    void btnFolderSelectClick();
    void mniN1Click();
    void mniN2Click();
    void tmrPerMinuteTimer();

    // What the sequencer shows and asks on this tab.
    bool tickerAfterSending() const;
    void setTickerVisible(bool visible);
    void appendTicker(QChar c);
    void clearTicker();
    void countTextChar();
    void plainTextRunEnded();
    void plainTextStopped();
    bool randomFileTicked() const;
    void showError(const QString &message);

signals:
    void statusChanged(int panel, const QString &text);
    void restoreButtonsRequested();

private:
    void createControls();
    void connectEvents();
    void pasteIntoMemo(const QString &text);

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

    // The text files of the random folder.
    TextFolderList fllstMorseText;

    UiDialogs &m_dialogs;
    CharacterSequencer *m_sequencer = nullptr;
    QSettings *m_saved = nullptr;
    MemoStore *m_memo = nullptr;
    PracticeRecorder *m_recorder = nullptr;
    QString m_source = QStringLiteral("memo");  // what the next run sends: the memo or a file's name
    quint32 start_tick = 0;
    int text_chars = 0;
    QString m_openDialogFolder;  // where the last file loaded came from; empty before
};
