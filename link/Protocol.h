#pragma once
// The line protocol between the tool and the controller. Both directions carry
// ASCII lines ended by one carriage return; a reply's first character tells its
// kind and its fields stand at fixed positions (counted from 1 at that first
// character). This file reads replies into values and builds lines; the
// simulator uses the same builders to answer.
#include "link/LiveValues.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace protocol {

constexpr char CR = '\r';

// Sentinel readings of an input that is open, over range or under range.
constexpr int16_t SentinelOpen = -300;
constexpr int16_t SentinelOver = -200;
constexpr int16_t SentinelUnder = -100;

// Characters pos..pos+len-1 (1-based); what lies beyond the end is left out.
QByteArray mid(const QByteArray &line, int pos, int len);
// A 5-character reading at pos, read as a decimal number and rounded to the
// nearest 16-bit value (halves to even, clamped to -32768..32767).
int16_t readField(const QByteArray &line, int pos);
// True when character pos is "1"; off beyond the end of the line.
bool flagAt(const QByteArray &line, int pos);
bool charIs(const QByteArray &line, int pos, char c);

struct Identity
{
    QString version; // 4 characters
    QString model;   // "XXXX-YYYY"
    QString serial;  // 4 characters
};
// "@" reply: version, two halves of the model number, serial number. The
// fields are taken as characters; a short line gives shorter texts.
Identity decodeIdentity(const QByteArray &line);

// "C" reply: SP, PV and error readings (each only when the separator after it
// stands in its place) and the up and down valve flags.
void applyLiveRecord(const QByteArray &line, LiveValues &values);
// "A" reply: the oil level (when its separator stands in place) and the relay flag.
void applyLevelRecord(const QByteArray &line, LiveValues &values);
// A line that begins with "OK" / "FAIL".
bool isOk(const QByteArray &line);
bool isFail(const QByteArray &line);

// Builders, used by the senders and by the simulator.
QByteArray commandLine(const QByteArray &command);        // command + CR
QByteArray field(int tenths);                            // 5 characters, right-aligned
QByteArray identityReply(const QByteArray &version, const QByteArray &model8, const QByteArray &serial);
QByteArray liveReply(int sp, int pv, int er, bool up, bool down);
QByteArray levelReply(int level, bool relay);

} // namespace protocol
