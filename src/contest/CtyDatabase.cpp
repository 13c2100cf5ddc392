#include "CtyDatabase.h"

#include "ContestTexts.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A country file holds about 350 countries in some 330 KB; a file many times
// that size is not one.
constexpr qint64 kMaxCtyBytes = 8 * 1024 * 1024;

bool isContinent(const QString &c)
{
    static const QStringList known{QStringLiteral("AF"), QStringLiteral("AN"), QStringLiteral("AS"), QStringLiteral("EU"), QStringLiteral("NA"), QStringLiteral("OC"), QStringLiteral("SA")};
    return known.contains(c);
}

// The number between open and close in token, removed from it; -1 when absent
// or not a number.
int takeOverride(QString &token, QChar open, QChar close)
{
    const qsizetype from = token.indexOf(open);
    if (from < 0)
        return -1;
    const qsizetype to = token.indexOf(close, from + 1);
    if (to < 0)
        return -2;
    bool ok = false;
    const int value = token.mid(from + 1, to - from - 1).toInt(&ok);
    token.remove(from, to - from + 1);
    return ok ? value : -2;
}

QString takeContinent(QString &token)
{
    const qsizetype from = token.indexOf(u'{');
    if (from < 0)
        return {};
    const qsizetype to = token.indexOf(u'}', from + 1);
    if (to < 0)
        return QStringLiteral("?");
    const QString continent = token.mid(from + 1, to - from - 1);
    token.remove(from, to - from + 1);
    return continent;
}

void dropPart(QString &token, QChar open, QChar close)
{
    const qsizetype from = token.indexOf(open);
    const qsizetype to = from < 0 ? -1 : token.indexOf(close, from + 1);
    if (to > from)
        token.remove(from, to - from + 1);
}

bool plainDesignator(const QString &part)
{
    return part == QStringLiteral("P") || part == QStringLiteral("M") || part == QStringLiteral("A") || part == QStringLiteral("QRP");
}

} // namespace

std::optional<CtyDatabase> CtyDatabase::parse(const QString &text, QString *error)
{
    CtyDatabase db;
    int line = 1;
    qsizetype pos = 0;
    auto fail = [&](int at) -> std::optional<CtyDatabase> {
        if (error)
            *error = ctyDamagedText(at);
        return std::nullopt;
    };
    auto skipSpace = [&] {
        while (pos < text.size() && text[pos].isSpace()) {
            if (text[pos] == u'\n')
                ++line;
            ++pos;
        }
    };

    while (true) {
        skipSpace();
        if (pos >= text.size())
            break;
        const int headerLine = line;
        QStringList fields;
        for (int f = 0; f < 8; ++f) {
            const qsizetype colon = text.indexOf(u':', pos);
            const qsizetype newline = text.indexOf(u'\n', pos);
            if (colon < 0 || (newline >= 0 && newline < colon))
                return fail(headerLine);
            fields << text.mid(pos, colon - pos).trimmed();
            pos = colon + 1;
        }
        CtyCountry country;
        bool cqOk = false, ituOk = false;
        country.name = fields[0];
        country.cqZone = fields[1].toInt(&cqOk);
        country.ituZone = fields[2].toInt(&ituOk);
        country.continent = fields[3];
        country.mainPrefix = fields[7];
        if (country.mainPrefix.startsWith(u'*')) {
            country.awardListOnly = true;
            country.mainPrefix.remove(0, 1);
        }
        if (!cqOk || !ituOk || country.cqZone < 1 || country.cqZone > 40 || country.ituZone < 1
            || country.ituZone > 90 || !isContinent(country.continent) || country.mainPrefix.isEmpty())
            return fail(headerLine);
        const int index = int(db.m_countries.size());
        db.m_countries.append(country);

        const qsizetype end = text.indexOf(u';', pos);
        if (end < 0)
            return fail(headerLine);
        const QString list = text.mid(pos, end - pos);
        line += int(list.count(u'\n'));
        pos = end + 1;
        for (QString token : list.split(u',')) {
            token = token.trimmed();
            if (token.isEmpty())
                return fail(line);
            CtyMatch match{index, country.cqZone, country.ituZone, country.continent};
            const int cq = takeOverride(token, u'(', u')');
            const int itu = takeOverride(token, u'[', u']');
            const QString continent = takeContinent(token);
            dropPart(token, u'<', u'>');
            dropPart(token, u'~', u'~');
            if (cq == -2 || itu == -2 || (!continent.isEmpty() && !isContinent(continent)))
                return fail(line);
            if (cq > 0)
                match.cqZone = cq;
            if (itu > 0)
                match.ituZone = itu;
            if (!continent.isEmpty())
                match.continent = continent;
            const bool exact = token.startsWith(u'=');
            if (exact)
                token.remove(0, 1);
            if (token.isEmpty() || token.contains(u' '))
                return fail(line);
            if (exact) {
                db.m_exact.insert(token.toUpper(), match);
            } else {
                db.m_prefixes.insert(token.toUpper(), match);
                db.m_longestPrefix = std::max(db.m_longestPrefix, int(token.size()));
            }
        }
    }
    if (db.m_countries.isEmpty()) {
        if (error)
            *error = ctyEmptyText();
        return std::nullopt;
    }
    return db;
}

std::optional<CtyMatch> CtyDatabase::lookupPlain(const QString &call) const
{
    if (const auto it = m_exact.constFind(call); it != m_exact.constEnd())
        return *it;
    for (qsizetype n = std::min<qsizetype>(call.size(), m_longestPrefix); n > 0; --n) {
        if (const auto it = m_prefixes.constFind(call.left(n)); it != m_prefixes.constEnd())
            return *it;
    }
    return std::nullopt;
}

std::optional<CtyMatch> CtyDatabase::lookup(const QString &callSign) const
{
    const QString call = callSign.trimmed().toUpper();
    if (call.isEmpty())
        return std::nullopt;
    if (const auto it = m_exact.constFind(call); it != m_exact.constEnd())
        return *it;

    QStringList parts = call.split(u'/', Qt::SkipEmptyParts);
    if (parts.contains(QStringLiteral("MM")))
        return std::nullopt;
    while (parts.size() > 1 && plainDesignator(parts.last()))
        parts.removeLast();
    if (parts.isEmpty())
        return std::nullopt;
    if (parts.size() == 1)
        return lookupPlain(parts[0]);

    // The home call is the longer part; the other says where it is.
    const QString home = parts[0].size() >= parts[1].size() ? parts[0] : parts[1];
    const QString where = parts[0].size() >= parts[1].size() ? parts[1] : parts[0];
    if (where.size() == 1 && where[0].isDigit()) {
        QString moved = home;
        for (qsizetype i = moved.size() - 1; i >= 0; --i) {
            if (moved[i].isDigit()) {
                moved[i] = where[0];  // the area digit, the last before the suffix
                break;
            }
        }
        return lookupPlain(moved);
    }
    return lookupPlain(where);
}

CtyLoadResult loadCtyFile(const QString &path)
{
    CtyLoadResult result;
    const QString shown = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.exists()) {
        result.error = contestFileError(shown, contestFileMissingText());
        return result;
    }
    if (QFileInfo(path).size() > kMaxCtyBytes) {
        result.error = contestFileError(shown, contestFileTooLargeText(kMaxCtyBytes));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = contestFileError(shown, contestFileUnreadableText(file.errorString()));
        return result;
    }
    const QByteArray bytes = file.readAll();
    QString why;
    result.database = CtyDatabase::parse(QString::fromLatin1(bytes), &why);
    if (!result.database)
        result.error = contestFileError(shown, why);
    return result;
}
