#include "SavedValues.h"

#include <QStandardPaths>

std::unique_ptr<QSettings> openAppSettings()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/keylark.conf"), QSettings::IniFormat);
}

int savedInt(const QSettings &settings, const QString &key, int minimum, int maximum, int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toString().toInt(&ok);
    return ok && value >= minimum && value <= maximum ? value : fallback;
}

bool savedBool(const QSettings &settings, const QString &key, bool fallback)
{
    // QVariant would read any other non-empty text as true.
    const QString text = settings.value(key).toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return fallback;
}

int savedChoice(const QSettings &settings, const QString &key, const QStringList &choices, int fallback)
{
    const int index = choices.indexOf(settings.value(key).toString());
    return index >= 0 ? index : fallback;
}
