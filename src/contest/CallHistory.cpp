#include "CallHistory.h"

#include "ContestTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// A call sign: letters, digits and "/", with at least one letter and one digit.
bool looksLikeCall(const QString &field)
{
    bool letter = false, digit = false;
    for (const QChar c : field) {
        if (c >= u'A' && c <= u'Z')
            letter = true;
        else if (c.isDigit() && c.unicode() < 128)
            digit = true;
        else if (c != u'/')
            return false;
    }
    return letter && digit;
}

bool isBinary(const QByteArray &bytes)
{
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return true;
    }
    return false;
}

} // namespace

QString CallHistory::value(const QString &callSign, const QString &column) const
{
    const auto row = m_rows.constFind(callSign.toUpper());
    qsizetype index = -1;
    for (qsizetype i = 0; i < m_columns.size() && index < 0; ++i) {
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            index = i;
    }
    if (row == m_rows.constEnd() || index < 0 || index >= row->size())
        return {};
    return row->at(index);
}

QString CallHistory::exchange(const QString &callSign) const
{
    const auto row = m_rows.constFind(callSign.toUpper());
    return row == m_rows.constEnd() || row->isEmpty() ? QString() : row->first();
}

bool CallHistory::parse(const QString &text, QString *error)
{
    m_columns = {QStringLiteral("Exch1")};
    m_order.clear();
    m_rows.clear();
    const QStringList lines = text.split(u'\n');
    bool sawOrder = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u',');
        for (QString &f : fields)
            f = f.trimmed();
        if (fields[0].compare(QStringLiteral("!!Order!!"), Qt::CaseInsensitive) == 0) {
            if (sawOrder || !m_order.isEmpty() || fields.size() < 3
                || fields[1].compare(QStringLiteral("Call"), Qt::CaseInsensitive) != 0) {
                *error = callHistoryHeaderText();
                return false;
            }
            sawOrder = true;
            m_columns = fields.mid(2);
            continue;
        }
        fields[0] = fields[0].toUpper();
        if (fields.size() < 2 || !looksLikeCall(fields[0])) {
            *error = callHistoryRowText(i + 1);
            return false;
        }
        QStringList values = fields.mid(1);
        while (values.size() < m_columns.size())
            values << QString();
        if (!m_rows.contains(fields[0]))
            m_order << fields[0];
        m_rows.insert(fields[0], values);
    }
    if (m_rows.isEmpty()) {
        *error = contestFileEmptyText();
        return false;
    }
    return true;
}

CallHistoryResult loadCallHistoryFile(const QString &path)
{
    CallHistoryResult result;
    const QFileInfo info(path);
    result.fileName = info.fileName();
    auto refuse = [&](const QString &what) {
        result.error = contestFileError(result.fileName, what);
        return result;
    };
    if (!info.exists())
        return refuse(contestFileMissingText());
    if (info.isDir())
        return refuse(contestFileUnreadableText(QString()));
    if (info.size() > kMaxCallHistoryBytes)
        return refuse(contestFileTooLargeText(kMaxCallHistoryBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(contestFileUnreadableText(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return refuse(contestFileEmptyText());
    if (isBinary(bytes))
        return refuse(contestFileBinaryText());
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    QString why;
    if (!result.history.parse(text, &why))
        return refuse(why);
    result.ok = true;
    return result;
}
