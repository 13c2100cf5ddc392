#pragma once

#include "ui/callsign/CallSignPage.h"
#include "ui/window/MainWindow.h"
#include "plaintext/MemoStore.h"
#include "ui/plaintext/PlainTextPage.h"

#include "fakes/RecordingUiDialogs.h"
#include "fakes/ScriptedHttpClient.h"
#include "fakes/ScriptedSoundOutput.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include <memory>

// The whole window with scripted sound, HTTP and dialogs, for the widget tests
// of its rooms; controls are found by their object names.
struct WindowFixture
{
    // A window as on the very first start (no settings or memo saved yet),
    // or as the next start after an earlier window was closed.
    void make(int openResult = 0, bool firstStart = true)
    {
        QStandardPaths::setTestModeEnabled(true);
        if (firstStart) {
            QFile::remove(settingsPath());
            QFile::remove(MemoStore::defaultPath());
            QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).removeRecursively();
        }
        output = new ScriptedSoundOutput;
        output->openResult = openResult;
        http = new ScriptedHttpClient;
        dialogs = new RecordingUiDialogs;
        window = std::make_unique<TfrmMain>(output, http, dialogs);
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }

    void playAll()
    {
        while (!output->pending.isEmpty())
            output->playOldest();
    }

    // Reads the call-sign list the scripted server answers with page.
    void readList(const QByteArray &page)
    {
        QTest::mouseClick(child<QPushButton>("btnCallRead"), Qt::LeftButton);
        http->deliver(page);
        http->finish();
        QTRY_COMPARE(child<QPushButton>("btnCallRead")->text(), u"読込"_qs);
    }

    void startOnPlainTextTab(const QString &memo)
    {
        child<QTabWidget>("PageControlMode")->setCurrentIndex(1);
        window->plainTextPage().setMemoText(memo);
        QTest::mouseClick(child<QPushButton>("btnStart"), Qt::LeftButton);
    }

    static QString settingsPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/keylark.conf");
    }

    ScriptedSoundOutput *output = nullptr;
    ScriptedHttpClient *http = nullptr;
    RecordingUiDialogs *dialogs = nullptr;
    std::unique_ptr<TfrmMain> window;
};
