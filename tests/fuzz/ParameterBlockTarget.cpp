// The parameter block. The input, as a "P" reply, goes through the decoder;
// as a parameter set, through the encoder and back through the decoder.
#include "FuzzTargets.h"

#include "params/ParameterSet.h"
#include "platform/Numbers.h"

#include <cstring>

namespace {

constexpr int16_t ParameterSet::*Words[] = {
    &ParameterSet::SPZero, &ParameterSet::SPSpan, &ParameterSet::PVZero, &ParameterSet::PVSpan,
    &ParameterSet::LVZero, &ParameterSet::LVSpan, &ParameterSet::CoarseControlUp, &ParameterSet::FineControlUp,
    &ParameterSet::OilLevelAlarm, &ParameterSet::AlarmHysteresis, &ParameterSet::CoarseControlDn,
    &ParameterSet::FineControlDn, &ParameterSet::PulseDelay, &ParameterSet::CoutZero, &ParameterSet::CoutSpan,
    &ParameterSet::Cout25, &ParameterSet::Cout50, &ParameterSet::Cout75, &ParameterSet::PRZero,
    &ParameterSet::PRSpan, &ParameterSet::PressureValueLow, &ParameterSet::PressureValueHigh,
    &ParameterSet::PressureLow, &ParameterSet::PressurePumpOn, &ParameterSet::PressurePumpOff};

// Block offsets of the words, low byte first.
constexpr int WordOffsets[] = {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 24, 26, 28, 32, 34, 36, 38, 40, 42, 44, 48, 50, 52, 54, 56};

bool allHex(QByteArrayView digits)
{
    for (const char c : digits)
        if (num::hexDigit(uchar(c)) < 0)
            return false;
    return true;
}

// A reply as it arrives: the input as it stands when its first byte is even,
// else "P", the input as the 200 digits (cut or padded with "0") and CR.
QByteArray replyFrom(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (size == 0 || data[0] % 2 == 0)
        return bytes;
    return 'P' + bytes.mid(1).leftJustified(2 * params::BlockBytes, '0', true) + '\r';
}

void checkDecoder(const QByteArray &reply)
{
    ParameterSet set;
    set.Cout75 = 4242; // what was there before
    const ParameterSet before = set;
    const bool taken = params::DecodeParameterBlock(reply, set);
    if (!taken) {
        fuzz::require(set == before, "a refused reply leaves the parameters as they were");
        const QByteArray digits = reply.mid(1, 2 * params::BlockBytes);
        if (reply.size() == params::ReplyLength && reply.front() == 'P' && reply.back() == '\r' && allHex(digits)) {
            bool wordOutOfRange = false;
            for (const int offset : WordOffsets)
                wordOutOfRange = wordOutOfRange || num::hexDigit(uchar(digits[2 * offset + 2])) >= 8;
            fuzz::require(wordOutOfRange, "a block of hexadecimal digits is refused only for a word beyond 32767");
        }
        return;
    }
    fuzz::require(reply.size() == params::ReplyLength, "only a 202-character reply is decoded");
    for (auto word : Words)
        fuzz::require(set.*word >= 0, "decoded words are 0..32767");
    const QByteArray sent = params::BuildParameterUpload(set, false).toLatin1();
    fuzz::require(sent.size() == params::UploadLength, "an upload is 119 characters");
    const QByteArray digits = reply.mid(1, 2 * params::UploadBytes);
    if (allHex(digits))
        fuzz::require(sent.mid(3) == digits.toUpper(), "what was decoded encodes as the digits it came from");
}

// The first 58 bytes of the input as a block; the next 42 as the reserved bytes.
void checkEncoderRoundTrip(const uint8_t *data, size_t size)
{
    uint8_t block[params::BlockBytes] = {};
    std::memcpy(block, data, std::min<size_t>(size, sizeof block));
    ParameterSet set;
    QByteArray reply = "P";
    for (const uint8_t b : block)
        reply += QByteArray::number(b, 16).rightJustified(2, '0');
    reply += '\r';
    // Decoding the raw bytes gives a set; clear the words' top bits so it is defined.
    QByteArray defined = reply;
    for (const int offset : WordOffsets)
        if (num::hexDigit(uchar(defined[2 * offset + 3])) >= 8)
            defined[2 * offset + 3] = char('0' + num::hexDigit(uchar(defined[2 * offset + 3])) - 8);
    const bool wordOutOfRange = defined != reply;
    fuzz::require(params::DecodeParameterBlock(reply, set) != wordOutOfRange, "a word beyond 32767 is refused");
    fuzz::require(params::DecodeParameterBlock(defined, set), "a block of words 0..32767 is taken");

    for (const bool fromFile : {false, true}) {
        const QString upload = params::BuildParameterUpload(set, fromFile);
        fuzz::require(upload.size() == params::UploadLength, "an upload is 119 characters");
        fuzz::require(upload.startsWith(fromFile ? QLatin1String("*P2") : QLatin1String("*P1")), "the command leads");
        const QByteArray payload = upload.mid(3).toLatin1();
        fuzz::require(payload == defined.mid(1, 2 * params::UploadBytes).toUpper(), "the first 58 bytes are sent as held");
        ParameterSet back;
        fuzz::require(params::DecodeParameterBlock('P' + payload + defined.mid(1 + payload.size()), back) && back == set,
                      "decode(encode(x)) gives x");
    }
}

} // namespace

namespace fuzz {

int parameterBlock(const uint8_t *data, size_t size)
{
    checkDecoder(replyFrom(data, size));
    checkEncoderRoundTrip(data, size);
    return 0;
}

} // namespace fuzz
