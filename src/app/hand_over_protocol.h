// The bytes that a second copy of the program and the running copy exchange on the local socket.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace brindle {

// A hand-over is one request and two one-byte replies on one connection:
//   request   "BRD1", the byte length N of the text as 4 bytes big-endian, then N bytes of UTF-8
//   'R'       sent by the running copy as soon as the whole request has arrived and is accepted
//   'D'       sent after the command line was processed; then the running copy closes
// An empty text asks only that the running copy come to the front.
inline constexpr char kHandOverMagic[] = "BRD1";
inline constexpr qsizetype kHandOverHeaderSize = 8;
// Longest text accepted; a command line of three file names is far shorter.
inline constexpr qsizetype kMaxHandOverBytes = 1 << 20;
inline constexpr char kHandOverReceived = 'R';
inline constexpr char kHandOverDone = 'D';

// The request for commandLine; empty when the text is longer than kMaxHandOverBytes.
QByteArray encodeHandOver(const QString& commandLine);

struct SHandOverParse {
    enum class Status { Incomplete, Invalid, Complete };
    Status status = Status::Incomplete;
    QString commandLine;  // when Complete: the text up to its first NUL, if any
};

// The size of the whole request whose first bytes are head (at least its first 8 bytes are needed):
// 0 while head is too short to tell, -1 when head cannot start a request.
qsizetype handOverRequestSize(QByteArrayView head);

// Reads what has arrived so far. Invalid as soon as the bytes cannot start a request (wrong magic,
// length above the limit, bytes beyond the announced length, text that is not UTF-8).
SHandOverParse parseHandOver(const QByteArray& received);

}  // namespace brindle
