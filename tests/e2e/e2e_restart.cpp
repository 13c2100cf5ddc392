// A practice closed and started again: what the user made comes back, also
// with the network gone.
#include "E2eSession.h"

#include "history/PracticeHistory.h"
#include "ui/settings/UpDownSpinner.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace e2e {
namespace {

int restartKeepsWork(const Options &o)
{
    const QString memo = QStringLiteral("CQ DE JA1ABC");
    {
        Session s(o);
        s.window->openHistory(PracticeHistory::defaultFolder());
        s.child<UpDownSpinner>("udSpeed")->setPosition(30);
        s.selectTab(kPlainTextTab);
        s.window->plainTextPage().setMemoText(memo);
        s.selectTab(kCallSignTab);
        auto *years = s.child<QComboBox>("cbbCallList");
        years->setCurrentIndex(years->findText(QStringLiteral("2017 CQ WW DX CW")));
        s.window->callSignPage().btnCallReadClick();
        require(waitFor([&] { return !s.reading(); }, 15000), QStringLiteral("the list did not arrive"));
        require(!s.window->callSignPage().callSigns().isEmpty(), QStringLiteral("empty call-sign list"));
        s.window->btnStartClick();
        auto *input = s.child<QLineEdit>("edtCallInput");
        for (int answer = 0; answer < 3; ++answer) {
            const QString sent = s.window->sequencer().send_text;
            require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("a call sign did not end"));
            QTest::keyClicks(input, sent);
            QTest::keyClick(input, Qt::Key_Return);
        }
        s.window->btnStopClick();
        require(waitFor([&] { return s.idle(); }, 5000), QStringLiteral("Stop did not end the drill"));
        s.closeWindow();
    }

    // The network is gone: every request now meets a closed port.
    qputenv("http_proxy", "http://127.0.0.1:9");
    {
        Session s(o);
        s.window->openHistory(PracticeHistory::defaultFolder());
        report("memo", s.window->plainTextPage().memoText());
        report("dot_samples", s.window->keying().dot_samples);
        report("status", s.window->statusText(0));
        require(s.window->plainTextPage().memoText() == memo, QStringLiteral("the memo did not come back"));
        require(s.window->keying().dot_samples == 9600 / 30, QStringLiteral("the speed did not come back"));
        s.selectTab(kCallSignTab);
        s.window->btnStartClick();
        const QString sent = s.window->sequencer().send_text;
        report("sent", sent);
        require(s.keyDown() && s.window->callSignPage().callSigns().contains(sent),
                QStringLiteral("Start did not play a call sign of the kept list"));
        require(waitFor([&] { return !s.keyDown(); }, 20000), QStringLiteral("the call sign did not end"));
        s.window->btnStopClick();
        s.selectTab(kPlainTextTab);
        s.window->btnStartClick();
        require(s.keyDown(), QStringLiteral("the kept memo did not sound"));
        require(waitFor([&] { return s.idle(); }, 20000), QStringLiteral("the memo did not end"));
        s.closeWindow();
    }
    PracticeHistory history;
    require(history.open(PracticeHistory::defaultFolder()), QStringLiteral("the history cannot be opened"));
    int answers = 0;
    history.readAnswers([&](const AnswerRecord &) { ++answers; });
    report("answers", answers);
    require(answers == 3, QStringLiteral("the history holds %1 answers").arg(answers));
    return 0;
}

} // namespace

void addRestartScenarios(QHash<QString, Scenario> &scenarios)
{
    scenarios.insert(QStringLiteral("restart-keeps-work"), restartKeepsWork);
}

} // namespace e2e
