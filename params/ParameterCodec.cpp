#include "link/Commands.h"
#include "params/ParameterFields.h"
#include "params/ParameterSet.h"
#include "platform/Numbers.h"

#include <utility>

namespace params {

namespace {

// The block in offset order, shared by the decoder and the encoder so the
// two can never disagree. The walk is unrolled when compiled: each field is
// read or written in place, as if written out by hand.
template <std::size_t I, typename Visitor>
void visitField(ParameterSet &p, Visitor &visit)
{
    constexpr const FileField &f = *BlockOrder[I];
    if constexpr (f.kind == FieldKind::Word) {
        visit.word(p.*f.word);
    } else if constexpr (f.kind == FieldKind::Byte) {
        visit.byte(p.*f.byte);
    } else {
        static_assert(f.kind == FieldKind::Password);
        for (uint8_t &digit : p.pswd)
            visit.byte(digit);
    }
}

template <typename Visitor, std::size_t... I>
void walkFields(ParameterSet &p, Visitor &visit, std::index_sequence<I...>)
{
    (visitField<I>(p, visit), ...);
}

template <typename Visitor>
void forEachField(ParameterSet &p, Visitor &&visit)
{
    walkFields(p, visit, std::make_index_sequence<BlockOrder.size()>());
}

// Two hexadecimal digits, high first (checked by the caller).
int hexPair(char high, char low)
{
    return num::hexDigit(uchar(high)) * 16 + num::hexDigit(uchar(low));
}

} // namespace

QString HexByte(int value)
{
    return QString::number(value & 0xFF, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString HexWord(int value)
{
    return HexByte(value % 256) + HexByte(value / 256);
}

bool DecodeParameterBlock(const QByteArray &reply, ParameterSet &set)
{
    if (reply.size() != ReplyLength || reply.front() != reply::Parameters || reply.back() != '\r')
        return false;
    // Noise on the line turns digits into other characters; such a block
    // would write wrong words back to the controller.
    for (qsizetype i = 1; i + 1 < reply.size(); ++i) {
        if (num::hexDigit(uchar(reply[i])) < 0)
            return false;
    }
    std::array<uint8_t, BlockBytes> bytes{};
    for (int i = 0; i < BlockBytes; ++i)
        bytes[i] = uint8_t(hexPair(reply[1 + 2 * i], reply[2 + 2 * i]));

    struct Reader
    {
        const std::array<uint8_t, BlockBytes> &bytes;
        int offset = 0;
        bool fits = true;
        void word(int16_t &f)
        {
            const int high = bytes[offset + 1];
            fits = fits && high < 0x80;
            f = int16_t(high * 256 + bytes[offset]);
            offset += 2;
        }
        void byte(uint8_t &f) { f = bytes[offset++]; }
    };
    ParameterSet decoded;
    Reader reader{bytes};
    forEachField(decoded, reader);
    if (!reader.fits)
        return false;
    set = decoded;
    return true;
}

QString BuildParameterUpload(const ParameterSet &set, bool fromFile)
{
    struct Writer
    {
        QString out;
        void word(int16_t &f) { out += HexWord(f); }
        void byte(uint8_t &f) { out += HexByte(f); }
    };
    Writer writer{QString::fromLatin1(fromFile ? command::UploadParameters : command::WriteParameters)};
    ParameterSet copy = set;
    forEachField(copy, writer);
    return writer.out;
}

} // namespace params
