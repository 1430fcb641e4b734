#pragma once
// Every key of the parameter file, in file order, with where its value
// stands in the controller's block and how the parameter window shows and
// checks it. The codec, the window, the file, Upload and the simulator all
// read this one table; the shorter lists below are drawn from it.
#include "params/ParameterSet.h"

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace params {

// The identity texts of the connected controller, written to the file beside
// the block.
struct Identity
{
    QString ModelNo;
    QString SerialNo;
    QString VersionNo;
};

using PasswordDigits = decltype(ParameterSet::pswd);
constexpr int PasswordLength = int(std::tuple_size_v<PasswordDigits>);

enum class FieldKind {
    Text,     // an identity text, not part of the block
    Word,     // 16-bit, low byte first
    Byte,     // unsigned 8-bit
    Password, // one byte per decimal digit, first digit first
};

// A parameter-window box: txtPara(index), its label, scale and stored range.
struct Box
{
    int index = -1; // -1: not shown in a box
    const char *label = nullptr;
    bool tenths = false; // shown divided by 10 ("0.0"), else plain ("0")
    int16_t min = 0;     // allowed stored range, inclusive
    int16_t max = 0;
};

struct FileField
{
    const char *key;
    FieldKind kind;
    int offset = -1; // in the block; -1 for identity texts
    int16_t ParameterSet::*word = nullptr;
    uint8_t ParameterSet::*byte = nullptr;
    QString Identity::*text = nullptr;
    bool loaded = false; // read by Load; a block field read by Load is sent by Upload
    Box box{};
};

namespace fields {
constexpr bool Loaded = true; // read by Load; block fields also sent by Upload
constexpr bool NotLoaded = false;
constexpr bool Tenths = true;
constexpr bool Whole = false;

constexpr FileField text(const char *key, QString Identity::*member, bool loaded = false)
{
    return {key, FieldKind::Text, -1, nullptr, nullptr, member, loaded, {}};
}
constexpr FileField word(const char *key, int offset, int16_t ParameterSet::*member, bool loaded = false, Box box = {})
{
    return {key, FieldKind::Word, offset, member, nullptr, nullptr, loaded, box};
}
constexpr FileField byte(const char *key, int offset, uint8_t ParameterSet::*member, bool loaded = false)
{
    return {key, FieldKind::Byte, offset, nullptr, member, nullptr, loaded, {}};
}
constexpr FileField password(const char *key, int offset)
{
    return {key, FieldKind::Password, offset, nullptr, nullptr, nullptr, Loaded, {}};
}
} // namespace fields

// clang-format off
inline constexpr auto FileFields = std::to_array<FileField>({
    fields::text("ModelNo", &Identity::ModelNo, fields::Loaded), // Upload needs the same model
    fields::text("SerialNo", &Identity::SerialNo),
    fields::text("VersionNo", &Identity::VersionNo),
    fields::word("SPZero", 0, &ParameterSet::SPZero, fields::Loaded),
    fields::word("SPSpan", 2, &ParameterSet::SPSpan, fields::Loaded),
    fields::word("PVZero", 4, &ParameterSet::PVZero, fields::Loaded),
    fields::word("PVSpan", 6, &ParameterSet::PVSpan, fields::Loaded),
    fields::word("LVZero", 8, &ParameterSet::LVZero, fields::Loaded),
    fields::word("LVSpan", 10, &ParameterSet::LVSpan, fields::Loaded),
    fields::word("CoarseControlUp", 12, &ParameterSet::CoarseControlUp, fields::Loaded, {0, "Coarse Control Up:", fields::Tenths, 1, 200}),
    fields::word("CoarseControlDn", 24, &ParameterSet::CoarseControlDn, fields::Loaded, {1, "Coarse Control Down:", fields::Tenths, 1, 200}),
    fields::word("FineControlUp", 14, &ParameterSet::FineControlUp, fields::Loaded, {2, "Fine Control Up:", fields::Tenths, 1, 100}),
    fields::word("FineControlDn", 26, &ParameterSet::FineControlDn, fields::Loaded, {3, "Fine Control Down:", fields::Tenths, 1, 100}),
    fields::word("OilLevelAlarm", 16, &ParameterSet::OilLevelAlarm, fields::Loaded, {4, "Oil Level Alarm:", fields::Tenths, 1, 1000}),
    fields::word("AlarmHysteresis", 18, &ParameterSet::AlarmHysteresis, fields::Loaded, {5, "Alarm Hysteresis:", fields::Tenths, 1, 900}),
    fields::word("PulseDelay", 28, &ParameterSet::PulseDelay, fields::Loaded, {6, "Pulse Delay:", fields::Whole, 5, 175}),
    fields::byte("SPFail", 30, &ParameterSet::SPFail, fields::Loaded),
    fields::byte("PVFail", 31, &ParameterSet::PVFail, fields::Loaded),
    fields::password("pswd", 20),
    fields::word("CoutZero", 32, &ParameterSet::CoutZero),
    fields::word("CoutSpan", 34, &ParameterSet::CoutSpan),
    fields::word("Cout25", 36, &ParameterSet::Cout25),
    fields::word("Cout50", 38, &ParameterSet::Cout50),
    fields::word("Cout75", 40, &ParameterSet::Cout75),
    fields::word("PRZero", 42, &ParameterSet::PRZero),
    fields::word("PRSpan", 44, &ParameterSet::PRSpan),
    fields::byte("LevelSwOpt", 46, &ParameterSet::LevelSwOpt),
    fields::byte("PressureSwOpt", 47, &ParameterSet::PressureSwOpt),
    fields::word("PressureValueLow", 48, &ParameterSet::PressureValueLow, fields::NotLoaded, {7, "Pressure @4mA:", fields::Whole, 0, 50}),
    fields::word("PressureValueHigh", 50, &ParameterSet::PressureValueHigh, fields::NotLoaded, {8, "Pressure @20mA:", fields::Whole, 10, 200}),
    fields::word("PressureLow", 52, &ParameterSet::PressureLow, fields::NotLoaded, {9, "Pressure Low :", fields::Whole, 1, 50}),
    fields::word("PressurePumpOn", 54, &ParameterSet::PressurePumpOn, fields::NotLoaded, {10, "Pressure Pump ON:", fields::Whole, 1, 100}),
    fields::word("PressurePumpOff", 56, &ParameterSet::PressurePumpOff, fields::NotLoaded, {11, "Pressure Pump OFF:", fields::Whole, 1, 200}),
});
// clang-format on

// Bytes a field takes in the block; none for an identity text.
constexpr int widthOf(const FileField &f)
{
    switch (f.kind) {
    case FieldKind::Word:
        return 2;
    case FieldKind::Byte:
        return 1;
    case FieldKind::Password:
        return PasswordLength;
    case FieldKind::Text:
        break;
    }
    return 0;
}

namespace detail {
template <typename Keep>
constexpr int countFields(Keep keep)
{
    int n = 0;
    for (const FileField &f : FileFields)
        n += keep(f) ? 1 : 0;
    return n;
}
constexpr bool inBlock(const FileField &f)
{
    return f.kind != FieldKind::Text;
}
constexpr bool inBox(const FileField &f)
{
    return f.box.index >= 0;
}
constexpr bool isLoaded(const FileField &f)
{
    return f.loaded;
}
} // namespace detail

constexpr int BlockFieldCount = detail::countFields(detail::inBlock);
constexpr int BoxCount = detail::countFields(detail::inBox);
constexpr int LoadKeyCount = detail::countFields(detail::isLoaded);
// txtPara(0)..(6) stand in the frame "Settings", the rest in "Pressure Parameters".
constexpr int SettingBoxCount = 7;

// The block fields in offset order: the walk of the decoder and the encoder.
inline constexpr std::array<const FileField *, BlockFieldCount> BlockOrder = [] {
    std::array<const FileField *, BlockFieldCount> order{};
    int n = 0;
    for (int offset = 0; offset < UploadBytes; ++offset) {
        for (const FileField &f : FileFields) {
            if (detail::inBlock(f) && f.offset == offset)
                order[size_t(n++)] = &f;
        }
    }
    return order;
}();

// The keys Load reads, in file order: the model number and the values Upload sends.
inline constexpr std::array<const char *, LoadKeyCount> LoadKeys = [] {
    std::array<const char *, LoadKeyCount> keys{};
    int n = 0;
    for (const FileField &f : FileFields) {
        if (f.loaded)
            keys[size_t(n++)] = f.key;
    }
    return keys;
}();

// The row of a field, found when the program is compiled.
template <typename Member>
consteval const FileField &fieldOf(Member member)
{
    for (const FileField &f : FileFields) {
        if constexpr (std::is_same_v<Member, uint8_t ParameterSet::*>) {
            if (f.byte == member)
                return f;
        } else if constexpr (std::is_same_v<Member, int16_t ParameterSet::*>) {
            if (f.word == member)
                return f;
        } else {
            if (f.text == member)
                return f;
        }
    }
    throw "no such field in the table";
}

inline constexpr const FileField &ModelField = fieldOf(&Identity::ModelNo);
inline constexpr const FileField &PasswordField = []() -> const FileField & {
    for (const FileField &f : FileFields) {
        if (f.kind == FieldKind::Password)
            return f;
    }
    throw "no password in the table";
}();

// Fail actions: 0 "Stay Put", 1 "Up Valve ON", 2 "Down Valve ON".
constexpr int FailCodeCount = 3;

} // namespace params

// The twelve settings the parameter window edits, in box order (txtPara 0..11).
struct ParameterField
{
    const char *label;            // caption of the box's label, colon included
    int16_t ParameterSet::*field; // the field the box shows
    bool tenths;                  // shown divided by 10 ("0.0"), else plain ("0")
    int16_t min;                  // allowed stored range, inclusive
    int16_t max;
};

inline constexpr std::array<ParameterField, params::BoxCount> ParameterFields = [] {
    std::array<ParameterField, params::BoxCount> boxes{};
    for (const params::FileField &f : params::FileFields) {
        if (params::detail::inBox(f))
            boxes[size_t(f.box.index)] = {f.box.label, f.word, f.box.tenths, f.box.min, f.box.max};
    }
    return boxes;
}();

using params::FailCodeCount;
