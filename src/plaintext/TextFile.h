#pragma once

#include <QByteArray>
#include <QString>

// Files larger than this are refused rather than read: a practice text is a few
// kilobytes, and putting a file into the memo and preparing it for sending
// blocks the window for about 0.1 s per megabyte (50 MB froze it for 16 s).
inline constexpr qint64 kMaxTextFileBytes = 4 * 1024 * 1024;

// What loading a text file gave. The loader never touches the memo: the caller
// replaces the memo's text only when the load succeeded, so a failed load
// leaves the user's text as it was.
struct TextFileResult
{
    enum Status {
        Loaded,
        // No file of that name; the window answers with its fixed notice.
        NotFound,
        // The file exists but could not be read (or is too large).
        Failed,
    };

    Status status = Failed;
    // The decoded text with CR LF line breaks; empty unless Loaded.
    QString text;
    // The file's full path, in the platform's notation.
    QString path;
    // Why the file could not be read, in the system's words.
    QString reason;

    bool ok() const { return status == Loaded; }
    // The text of the error box: the full path and the reason.
    QString errorMessage() const;
};

// Turns every CR or LF that is not part of a CR LF pair into CR LF, so that
// "\n", "\r" and "\r\n" line ends all become "\r\n".
QString normalizeLineBreaks(const QString &text);

// The text of a file's bytes. A byte-order mark decides the encoding, tested in
// the order EF BB BF (UTF-8), FF FE (UTF-16 LE), FE FF (UTF-16 BE), and is not
// part of the text. Without a mark the bytes are read as UTF-8 when they are
// valid UTF-8, otherwise as code page 932 (Shift_JIS), the legacy encoding of
// Japanese text files. Bytes that cannot be decoded become U+FFFD. Line breaks
// are normalised to CR LF.
QString decodeTextFile(const QByteArray &bytes);

// Reads a whole file and decodes it with decodeTextFile.
TextFileResult loadTextFile(const QString &path);
