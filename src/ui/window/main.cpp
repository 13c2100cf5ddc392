// KEYLARK's entry point: the style, the main window, the event loop.
#include "CommandLine.h"
#include "ui/style/DarkStyle.h"
#include "QtTranslations.h"
#include "QtUiDialogs.h"
#include "MainWindow.h"


#include "net/QtHttpClient.h"
#include "history/PracticeHistory.h"
#include "sending/pulse/PulseSoundOutput.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    if (const std::optional<int> answered = answerCommandLine(argc, argv))
        return *answered;
    QApplication app(argc, argv);
    DarkStyle::apply(app);
    installQtTranslations(app);

    int exitCode = 0;
    {
        TfrmMain frmMain(new PulseSoundOutput, new QtHttpClient, new QtUiDialogs);
        if (!frmMain.restorePosition()) {
            const QRect desktop = frmMain.screen()->availableGeometry();
            frmMain.move(desktop.center() - frmMain.rect().center());
        }
        frmMain.show();
        frmMain.openHistory(PracticeHistory::defaultFolder());
        exitCode = QApplication::exec();
    }
    return exitCode;
}
