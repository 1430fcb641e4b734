#include "link/Protocol.h"

#include "link/Commands.h"
#include "platform/Numbers.h"

namespace protocol {

QByteArray mid(const QByteArray &line, int pos, int len)
{
    if (pos < 1 || pos > line.size())
        return {};
    return line.mid(pos - 1, len);
}

int16_t readField(const QByteArray &line, int pos)
{
    return num::toInt16(num::val(QByteArrayView(mid(line, pos, 5))));
}

bool charIs(const QByteArray &line, int pos, char c)
{
    return pos >= 1 && pos <= line.size() && line.at(pos - 1) == c;
}

bool flagAt(const QByteArray &line, int pos)
{
    return charIs(line, pos, '1');
}

Identity decodeIdentity(const QByteArray &line)
{
    Identity id;
    id.version = QString::fromLatin1(mid(line, 2, 4));
    id.model = QString::fromLatin1(mid(line, 6, 4)) + QLatin1Char('-') + QString::fromLatin1(mid(line, 10, 4));
    id.serial = QString::fromLatin1(mid(line, 14, 4));
    return id;
}

// SP, PV and level: a negative reading is a fault; its percentage is 0 and
// the three sentinels show as words (other negative readings keep the text).
static void applyInput(Reading &reading, int16_t raw)
{
    reading.raw = raw;
    if (raw < 0) {
        reading.value = 0.0f;
        if (raw == SentinelOpen)
            reading.text = QStringLiteral("OPEN");
        else if (raw == SentinelOver)
            reading.text = QStringLiteral("OVR");
        else if (raw == SentinelUnder)
            reading.text = QStringLiteral("UNR");
        return;
    }
    reading.value = float(raw / 10.0);
    reading.text = num::fixed1(reading.value);
}

void applyLiveRecord(const QByteArray &line, LiveValues &values)
{
    if (charIs(line, 7, ','))
        applyInput(values.sp, readField(line, 2));
    if (charIs(line, 13, ','))
        applyInput(values.pv, readField(line, 8));
    if (charIs(line, 19, ',')) {
        values.er.raw = readField(line, 14);
        values.er.value = float(values.er.raw / 10.0);
        values.er.text = num::fixed1(values.er.value);
    }
    values.upValveOn = flagAt(line, 20);
    values.downValveOn = flagAt(line, 21);
}

void applyLevelRecord(const QByteArray &line, LiveValues &values)
{
    if (charIs(line, 7, ','))
        applyInput(values.lv, readField(line, 2));
    values.relayOn = flagAt(line, 8);
}

bool isOk(const QByteArray &line)
{
    return line.startsWith(reply::Ok);
}
bool isFail(const QByteArray &line)
{
    return line.startsWith(reply::Fail);
}

QByteArray commandLine(const QByteArray &command)
{
    return command + CR;
}

QByteArray field(int tenths)
{
    return QByteArray::number(tenths).rightJustified(5, ' ', true);
}

QByteArray identityReply(const QByteArray &version, const QByteArray &model8, const QByteArray &serial)
{
    return reply::Identity + version.leftJustified(4, ' ', true) + model8.leftJustified(8, ' ', true)
        + serial.leftJustified(4, ' ', true) + CR;
}

QByteArray liveReply(int sp, int pv, int er, bool up, bool down)
{
    return reply::Live + field(sp) + ',' + field(pv) + ',' + field(er) + ',' + (up ? '1' : '0') + (down ? '1' : '0')
        + CR;
}

QByteArray levelReply(int level, bool relay)
{
    return reply::Level + field(level) + ',' + (relay ? '1' : '0') + CR;
}

} // namespace protocol
