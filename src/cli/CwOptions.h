#pragma once

#include "conditions/BandConditions.h"
#include "keying/KeyingValues.h"

#include <QString>
#include <QStringList>

#include <optional>

// What keylark-cw was asked to do, with every value checked.
struct CwOptions {
    int wpm = 25;
    int freq = 700;          // already rounded to 50 Hz as the pitch spinner does
    QString ratio = QStringLiteral("3");
    int spacingIndex = 0;
    int volume = 4;
    std::optional<unsigned int> seed;  // also seeds the band conditions
    BandConditions conditions;          // all off unless asked for
    QString outputPath;      // empty: play through the sound device
    QString text;            // empty with readStdin
    bool readStdin = false;
};

struct CwParseResult {
    std::optional<CwOptions> options;
    QString error;           // one line, for stderr
    bool helpShown = false;
    bool versionShown = false;
};

// Parses the command line (arguments without the program name).
CwParseResult ParseCwOptions(const QStringList &arguments);

QString CwUsage();
QString CwVersion();

// The keying values for the options, with the sine table built into table
// (seeded first when a seed was given).
KeyingValues CwKeying(const CwOptions &options, TSineTable &table);
