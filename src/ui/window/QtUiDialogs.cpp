#include "QtUiDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

QString errorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

void QtUiDialogs::notice(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, QApplication::applicationDisplayName(), text);
}

void QtUiDialogs::error(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Critical, QApplication::applicationDisplayName(), errorBoxText(text));
}

void QtUiDialogs::warning(QWidget *parent, const QString &title, const QString &text)
{
    showBox(parent, QMessageBox::Warning, title, text);
}

QString QtUiDialogs::openTextFile(QWidget *parent, const QString &initialFolder)
{
    QFileDialog dialog(parent, QString(), initialFolder, QStringLiteral("テキスト (*.txt)"));
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name that does not exist is the program's to test
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtUiDialogs::openCallSignFile(QWidget *parent, const QString &initialFolder)
{
    const QString folder = initialFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
                                                   : initialFolder;
    // Loggers write MASTER.SCP and their logs in capitals as often as not.
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("コールサインのファイル"), folder,
        QStringLiteral("コールサインのファイル (*.scp *.SCP *.log *.LOG *.cbr *.CBR *.txt *.TXT);;"
                       "すべてのファイル (*)"));
}

QString QtUiDialogs::chooseFolder(QWidget *parent)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("フォルダの選択"), desktop,
                                             QFileDialog::ShowDirsOnly);
}

QString QtUiDialogs::saveCsvFile(QWidget *parent, const QString &suggestedPath)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("CSV に書き出す"), suggestedPath,
                                        QStringLiteral("CSV (*.csv)"));
}

QString QtUiDialogs::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}
