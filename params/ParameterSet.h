#pragma once
// The controller's parameter block (100 bytes, of which the first 58 are
// written back), decoded into fields named after the parameter-file keys.
// Words are 16-bit, sent low byte first; byte fields are unsigned 8-bit.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

struct ParameterSet
{
    int16_t SPZero = 0, SPSpan = 0, PVZero = 0, PVSpan = 0, LVZero = 0, LVSpan = 0;
    int16_t CoarseControlUp = 0, FineControlUp = 0, OilLevelAlarm = 0, AlarmHysteresis = 0;
    std::array<uint8_t, 4> pswd{};
    int16_t CoarseControlDn = 0, FineControlDn = 0, PulseDelay = 0;
    uint8_t SPFail = 0, PVFail = 0;
    int16_t CoutZero = 0, CoutSpan = 0, Cout25 = 0, Cout50 = 0, Cout75 = 0, PRZero = 0, PRSpan = 0;
    uint8_t LevelSwOpt = 0, PressureSwOpt = 0;
    int16_t PressureValueLow = 0, PressureValueHigh = 0, PressureLow = 0, PressurePumpOn = 0, PressurePumpOff = 0;

    friend bool operator==(const ParameterSet &, const ParameterSet &) = default;
};

namespace params {

constexpr int BlockBytes = 100;   // carried by a "P" reply
constexpr int UploadBytes = 58;   // written by "*P1" / "*P2"
constexpr int ReplyLength = 202;  // "P", 200 hexadecimal digits, CR
constexpr int UploadLength = 119; // "*P1" or "*P2" and 116 hexadecimal digits

// Two upper-case hexadecimal digits.
QString HexByte(int value);
// Four digits, low byte first: 300 (012C) gives "2C01".
QString HexWord(int value);

// Fills `set` from a complete "P" reply (CR included). Returns false, leaving
// `set` untouched, when the reply is not "P", 200 hexadecimal digits and a
// carriage return, or a word does not fit 0..32767: such a block cannot be
// taken as it stands.
bool DecodeParameterBlock(const QByteArray &reply, ParameterSet &set);

// "*P2" (from a file) or "*P1" followed by the first 58 bytes of the block.
QString BuildParameterUpload(const ParameterSet &set, bool fromFile);

} // namespace params
