#pragma once

#include "net/HttpClient.h"

#include <QString>

// What status panel 0 and the message box say about a call-sign list read.

// Shown when a read starts.
QString callListReadingText();

// Shown while the page arrives: the reading text and the amount received so
// far, in KB below one megabyte and in MB with one decimal above.
QString callListProgressText(qint64 bytesReceived);

// Shown when a read has ended: the number of call signs in the list.
QString callListCountText(qsizetype count);

// Shown in a message box when a read ended with an empty list.
QString callListMaintenanceText();

// Why a read failed, in a few words.
QString callListFailureText(const HttpFailure &failure);

// Shown in a message box when a read failed: the maintenance text, then why.
QString callListFailedText(const QString &reason);
