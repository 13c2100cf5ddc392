#pragma once

#include <QHash>
#include <QString>
#include <QVector>

#include <optional>

// One country of the country file: its zones and continent as the header line
// gives them. A main prefix written with a leading "*" is an entry of the
// European award list alone; it still counts as a country in the DX contest.
struct CtyCountry {
    QString name;
    int cqZone = 0;
    int ituZone = 0;
    QString continent;    // AF AN AS EU NA OC SA
    QString mainPrefix;   // without the "*"
    bool awardListOnly = false;
};

// What a call sign resolves to: its country and the zones and continent that
// hold for it, a prefix's own overrides applied.
struct CtyMatch {
    int country = -1;     // index into CtyDatabase::countries()
    int cqZone = 0;
    int ituZone = 0;
    QString continent;
};

// The countries, prefixes and exact call signs of a country file. A call is
// looked up as an exact entry ("=CALL") first, then by the longest prefix
// that begins it. A portable designator decides the country: DL/JA1ABC is
// Germany, N8BJQ/KH9 Wake Island, and a lone digit moves the call to that
// area (JA1ABC/3 is looked up as JA3ABC). /P, /M, /A and /QRP say nothing of
// the place; a maritime mobile (/MM) has no country at all.
class CtyDatabase
{
public:
    // Reads the file's text; nullopt when it holds no country or is damaged,
    // and then *error (when given) says where and how.
    static std::optional<CtyDatabase> parse(const QString &text, QString *error = nullptr);

    const QVector<CtyCountry> &countries() const { return m_countries; }
    std::optional<CtyMatch> lookup(const QString &callSign) const;

private:
    std::optional<CtyMatch> lookupPlain(const QString &call) const;

    QVector<CtyCountry> m_countries;
    QHash<QString, CtyMatch> m_exact;
    QHash<QString, CtyMatch> m_prefixes;
    int m_longestPrefix = 0;
};

// The country file of the hamradio-files package, read at run time.
inline constexpr const char *kCtyDatPath = "/usr/share/hamradio-files/cty.dat";

struct CtyLoadResult {
    std::optional<CtyDatabase> database;
    QString error;  // Japanese, for a message box; empty when database is set
};

// Reads a country file; a file that is missing, unreadable or damaged gives
// the reason and the contests that need the file stay unavailable.
CtyLoadResult loadCtyFile(const QString &path);
