#pragma once

#include "callsign/CallSignScan.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class HttpClient;
struct HttpFailure;

// Reads the call-sign list of one contest year: fetches the year's public-log
// index page through an HttpClient, then scans it.
//
// The call-sign tab's read button, in a few lines:
//
//     btnCallRead reads 中止 while the read runs; pressed then, abort();
//     stat1 panel 0 = callListReadingText();
//     reader->start(cbbCallList->currentIndex(),
//                   rbCallJA->isChecked() ? CallSignFilter::JA : CallSignFilter::DX);
//
// with, connected once:
//     progress(bytes)  -> stat1 panel 0 = callListProgressText(bytes)
//     finished(calls)  -> lstCallSign replaced by calls and the list kept
//                         (CallListFallback::readSucceeded), btnCallRead reads
//                         読込 again, stat1 panel 0 = callListCountText(calls.size()),
//                         callListMaintenanceText() in a message box when calls
//                         is empty.
//     failed(reason)   -> btnCallRead reads 読込 again; CallListFallback::readFailed
//                         gives the copy kept from an earlier read of the same
//                         year and filter, if there is one, else lstCallSign
//                         stays as it was; the failure in a message box.
//
// The window keeps running while the page arrives. A download that does not
// end normally (an error status, a refused connection, no answer, a body too
// large, a connection broken off) gives no list at all, not even the part that
// arrived: a failed read must not replace a good list with an empty or short
// one. The filter is the one chosen when the read starts.
class CallSignListReader : public QObject
{
    Q_OBJECT

public:
    // The reader takes client over as its child.
    explicit CallSignListReader(HttpClient *client, QObject *parent = nullptr);
    ~CallSignListReader() override;

    // Starts reading the year at yearIndex (0..8, index of `cbbCallList`). An
    // index that names no year asks nothing of the network and finishes with an
    // empty list. Returns false, and changes nothing, while a read is running.
    // finished() or failed() always comes later, never from inside start().
    bool start(int yearIndex, CallSignFilter filter);

    bool isRunning() const { return m_running; }

    // Cancels a running read: no list and no failure follow.
    void abort();

signals:
    // Bytes of the page received so far.
    void progress(qint64 bytesReceived);
    // The call signs of the page, in page order.
    void finished(const QStringList &callSigns);
    // The read failed; reason says why, in a few words for the user.
    void failed(const QString &reason);

private:
    void onReceived(const QByteArray &chunk);
    void onFailed(const HttpFailure &failure);
    void onFinished();
    void finishWithoutRequest();

    HttpClient *m_client;
    QByteArray m_page;
    CallSignFilter m_filter = CallSignFilter::DX;
    bool m_running = false;
    QString m_failure;  // why the running transfer failed, once it has
    // Tells a queued empty finish apart from one that an abort cancelled.
    quint64 m_generation = 0;
};
