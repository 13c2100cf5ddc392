#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

// The program's settings file, keylark.conf in the user's configuration
// folder (~/.config/KEYLARK/ on Linux).
std::unique_ptr<QSettings> openAppSettings();

// Reads of saved values. A value that is missing, unreadable or out of range
// gives the fallback, for that value alone: one bad line in the file never
// costs the user the rest of their settings.
int savedInt(const QSettings &settings, const QString &key, int minimum, int maximum, int fallback);
bool savedBool(const QSettings &settings, const QString &key, bool fallback);
// The index of the saved text among choices.
int savedChoice(const QSettings &settings, const QString &key, const QStringList &choices, int fallback);
