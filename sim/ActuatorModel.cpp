#include "sim/ActuatorModel.h"

#include "link/Commands.h"
#include "link/Protocol.h"
#include "params/ParameterFields.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const QByteArray Ok = protocol::commandLine(reply::Ok);
const QByteArray Fail = protocol::commandLine(reply::Fail);

QByteArray acknowledge(bool taken)
{
    return taken ? Ok : Fail;
}

bool allHex(const QByteArray &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return num::hexDigit(c) >= 0; });
}

// Four hexadecimal digits, low byte first ("2C01" is 300); -1 when malformed
// or beyond 0..32767.
int wordFromHex(const QByteArray &digits)
{
    if (digits.size() != 4 || !allHex(digits))
        return -1;
    const int low = num::hexDigit(digits[0]) * 16 + num::hexDigit(digits[1]);
    const int high = num::hexDigit(digits[2]) * 16 + num::hexDigit(digits[3]);
    return high < 0x80 ? high * 256 + low : -1;
}

// The digit of an output calibration point, "0".."4".
bool isOutputPoint(const QByteArray &digit)
{
    return digit.size() == 1 && digit[0] >= '0' && digit[0] < '0' + command::OutputPoints;
}

bool inRange(const ParameterSet &p)
{
    for (const ParameterField &f : ParameterFields) {
        const int v = p.*f.field;
        if (v < f.min || v > f.max)
            return false;
    }
    const auto isDigit = [](uint8_t d) { return d <= 9; };
    return p.SPFail < FailCodeCount && p.PVFail < FailCodeCount && std::all_of(p.pswd.begin(), p.pswd.end(), isDigit)
        && p.LevelSwOpt <= 1 && p.PressureSwOpt <= 1;
}

} // namespace

ActuatorModel::ActuatorModel(ActuatorConfig config) : m_config(std::move(config)), m_params(defaultParameters())
{
    m_position = std::clamp(m_config.startPosition, 0, 1000);
    m_tankLevel = m_config.tankLevel;
    // Bytes the block carries beyond the written part: erased memory.
    m_reserved.fill(0xFF);
    control();
    updateRelay();
}

ParameterSet ActuatorModel::defaultParameters()
{
    ParameterSet p;
    p.SPZero = 800;
    p.SPSpan = 4000;
    p.PVZero = 800;
    p.PVSpan = 4000;
    p.LVZero = 800;
    p.LVSpan = 4000;
    p.CoarseControlUp = 50; // 5.0 %
    p.FineControlUp = 5;    // 0.5 %
    p.OilLevelAlarm = 500;  // 50.0 %
    p.AlarmHysteresis = 50; // 5.0 %
    p.pswd = {1, 2, 3, 4};
    p.CoarseControlDn = 50;
    p.FineControlDn = 5;
    p.PulseDelay = 30; // x 10 ms
    p.SPFail = 0;
    p.PVFail = 0;
    p.CoutZero = 819;
    p.CoutSpan = 4095;
    p.Cout25 = 1638;
    p.Cout50 = 2457;
    p.Cout75 = 3276;
    p.PRZero = 800;
    p.PRSpan = 4000;
    p.LevelSwOpt = 0;
    p.PressureSwOpt = 0;
    p.PressureValueLow = 0;
    p.PressureValueHigh = 160;
    p.PressureLow = 20;
    p.PressurePumpOn = 40;
    p.PressurePumpOff = 60;
    return p;
}

// --- clock and control loop ---

void ActuatorModel::advanceTo(int64_t ms)
{
    if (ms <= m_clock)
        return;
    m_clock = ms;
    while (m_tickedTo + TickMs <= m_clock) {
        m_tickedTo += TickMs;
        tick();
    }
}

void ActuatorModel::tick()
{
    control();
    if (m_valve == Valve::Up)
        m_position += 1000.0 * TickMs / m_config.upTravelMs;
    else if (m_valve == Valve::Down)
        m_position -= 1000.0 * TickMs / m_config.downTravelMs;
    m_position = std::clamp(m_position, 0.0, 1000.0);
    updateRelay();
}

void ActuatorModel::control()
{
    const auto failAction = [](uint8_t code) { return code == 1 ? Valve::Up : code == 2 ? Valve::Down : Valve::None; };
    if (faulted(SimInput::SP) || faulted(SimInput::PV)) {
        m_pulse = Pulse::Ready;
        m_valve = failAction(faulted(SimInput::SP) ? m_params.SPFail : m_params.PVFail);
        return;
    }
    const int error = setpoint() - pvNow();
    const Valve direction = error > 0 ? Valve::Up : error < 0 ? Valve::Down : Valve::None;
    const bool up = direction == Valve::Up;
    const int band = std::abs(error);
    if (direction == Valve::None || band <= (up ? m_params.FineControlUp : m_params.FineControlDn)) {
        m_pulse = Pulse::Ready;
        m_valve = Valve::None;
    } else if (band > (up ? m_params.CoarseControlUp : m_params.CoarseControlDn)) {
        m_pulse = Pulse::Ready;
        m_valve = direction;
    } else {
        m_valve = pulsed(direction);
    }
}

// Inside the coarse band: on for the pulse width, then off for the pulse delay.
ActuatorModel::Valve ActuatorModel::pulsed(Valve direction)
{
    if (m_pulse == Pulse::Ready || m_pulseDirection != direction) {
        m_pulse = Pulse::On;
        m_pulseDirection = direction;
        m_pulseLeftMs = m_config.pulseWidthMs;
    }
    m_pulseLeftMs -= TickMs;
    if (m_pulse == Pulse::On) {
        if (m_pulseLeftMs <= 0) {
            m_pulse = Pulse::Off;
            m_pulseLeftMs = m_params.PulseDelay * 10;
        }
        return direction;
    }
    if (m_pulseLeftMs <= 0)
        m_pulse = Pulse::Ready;
    return Valve::None;
}

void ActuatorModel::updateRelay()
{
    if (faulted(SimInput::Level)) {
        m_relay = true;
        return;
    }
    const int level = levelNow();
    if (!m_relay && level < m_params.OilLevelAlarm)
        m_relay = true;
    else if (m_relay && level > m_params.OilLevelAlarm + m_params.AlarmHysteresis)
        m_relay = false;
}

int ActuatorModel::setpoint() const
{
    if (m_remote)
        return m_remoteSetpoint;
    const auto &steps = m_config.signalSteps;
    if (steps.empty() || m_config.signalHoldMs <= 0)
        return 0;
    return steps[size_t((m_tickedTo / m_config.signalHoldMs) % int64_t(steps.size()))];
}

int ActuatorModel::pvNow() const
{
    return int(std::lround(m_position));
}

int ActuatorModel::levelNow() const
{
    const double level = m_tankLevel - m_config.cylinderVolume * m_position / 1000.0;
    return std::clamp(int(std::lround(level)), 0, 1000);
}

bool ActuatorModel::faulted(SimInput input) const
{
    return m_faults[size_t(input)] != 0;
}

void ActuatorModel::setPosition(int tenths)
{
    m_position = std::clamp(tenths, 0, 1000);
    updateRelay();
}

void ActuatorModel::setTankLevel(int tenths)
{
    m_tankLevel = tenths;
    updateRelay();
}

void ActuatorModel::setParameters(const ParameterSet &set)
{
    m_params = set;
    updateRelay();
}

void ActuatorModel::setFault(SimInput input, SimFault fault)
{
    m_faults[size_t(input)] = int16_t(fault);
    updateRelay();
}

void ActuatorModel::clearFault(SimInput input)
{
    m_faults[size_t(input)] = 0;
    updateRelay();
}

// --- readings ---

int16_t ActuatorModel::spReading() const
{
    return faulted(SimInput::SP) ? m_faults[size_t(SimInput::SP)] : int16_t(setpoint());
}

int16_t ActuatorModel::pvReading() const
{
    return faulted(SimInput::PV) ? m_faults[size_t(SimInput::PV)] : int16_t(pvNow());
}

int16_t ActuatorModel::errorReading() const
{
    if (faulted(SimInput::SP) || faulted(SimInput::PV))
        return 0;
    return int16_t(setpoint() - pvNow());
}

int16_t ActuatorModel::levelReading() const
{
    return faulted(SimInput::Level) ? m_faults[size_t(SimInput::Level)] : int16_t(levelNow());
}

// --- commands ---

QByteArray ActuatorModel::answer(const QByteArray &line)
{
    if (line == command::Identify)
        return protocol::identityReply(m_identity.version, m_identity.modelFirst + m_identity.modelSecond,
                                       m_identity.serial);
    if (line == command::Live)
        return protocol::liveReply(spReading(), pvReading(), errorReading(), upValveOn(), downValveOn());
    if (line == command::Level)
        return protocol::levelReply(levelReading(), m_relay);
    if (line == command::Parameters)
        return parameterReply();
    if (line.startsWith(command::WriteParameters) || line.startsWith(command::UploadParameters))
        return acknowledge(storeParameters(line.mid(command::lengthOf(command::WriteParameters))));
    if (line.startsWith(command::SerialNumber))
        return acknowledge(setSerial(line.mid(command::lengthOf(command::SerialNumber))));
    // Input calibration happens inside the controller; it confirms each point.
    if (line.size() == 2 && line[0] == command::InputCalibration && line[1] >= command::FirstInputPoint
        && line[1] < command::FirstInputPoint + command::InputPoints)
        return Ok;
    if (line == command::RemoteOn)
        return Ok;
    if (line == command::RemoteStart) {
        // Remote control starts from the setpoint that stands, so nothing jumps.
        m_remoteSetpoint = setpoint();
        m_remote = true;
        return Ok;
    }
    if (line == command::RemoteOff) {
        m_remote = false;
        return Ok;
    }
    if (line.startsWith(command::RemoteSetpoint))
        return acknowledge(setRemoteSetpoint(line.mid(command::lengthOf(command::RemoteSetpoint))));
    if (line == command::OutputCalibrationStart || line == command::OutputCalibrationEnd) {
        m_outputCalibration = line == command::OutputCalibrationStart;
        return Ok;
    }
    if (line.startsWith(command::OutputTrial) || line.startsWith(command::FeedbackTrial))
        return acknowledge(setOutputTrial(line));
    if ((line.startsWith(command::OutputPoint) || line.startsWith(command::FeedbackPoint))
        && isOutputPoint(line.mid(command::lengthOf(command::OutputPoint), 1)))
        return acknowledge(storeOutputPoint(line));
    return {};
}

QByteArray ActuatorModel::parameterReply() const
{
    QByteArray hex = params::BuildParameterUpload(m_params, false).mid(3).toLatin1();
    for (uint8_t b : m_reserved)
        hex += params::HexByte(b).toLatin1();
    return reply::Parameters + hex + protocol::CR;
}

// "*P1" / "*P2": 58 bytes as 116 hexadecimal digits, taken only as a whole and
// only when every value is in range.
bool ActuatorModel::storeParameters(const QByteArray &payload)
{
    if (payload.size() != 2 * params::UploadBytes || !allHex(payload))
        return false;
    const QByteArray block =
        reply::Parameters + payload + QByteArray(2 * (params::BlockBytes - params::UploadBytes), '0') + protocol::CR;
    ParameterSet set;
    if (!params::DecodeParameterBlock(block, set) || !inRange(set))
        return false;
    setParameters(set);
    return true;
}

// "%RS" and four decimal digits, 0000..1000, only while in remote control.
bool ActuatorModel::setRemoteSetpoint(const QByteArray &digits)
{
    if (!m_remote || digits.size() != 4
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int value = digits.toInt();
    if (value > 1000)
        return false;
    m_remoteSetpoint = value;
    return true;
}

// "*SN" and exactly four printable characters, blanks included.
bool ActuatorModel::setSerial(const QByteArray &serial)
{
    if (serial.size() != 4 || !std::all_of(serial.begin(), serial.end(), [](char c) { return c >= ' ' && c <= '~'; }))
        return false;
    m_identity.serial = serial;
    return true;
}

// Output calibration: "%QS" / "%US" and four hexadecimal digits (low byte
// first) drive the output / feedback signal with a raw value.
bool ActuatorModel::setOutputTrial(const QByteArray &line)
{
    const int value = wordFromHex(line.mid(command::lengthOf(command::OutputTrial)));
    if (value < 0)
        return false;
    (line.startsWith(command::FeedbackTrial) ? m_feedbackTrial : m_outputTrial) = value;
    return true;
}

// "%Q0".."%Q4" store the value as the 4, 8, 12, 16, 20 mA point of the output
// (kept in the parameter block), "%U0".."%U4" the same for the feedback signal.
bool ActuatorModel::storeOutputPoint(const QByteArray &line)
{
    const int at = command::lengthOf(command::OutputPoint);
    const int value = wordFromHex(line.mid(at + 1));
    if (value < 0)
        return false;
    const int point = line[at] - '0';
    if (line.startsWith(command::FeedbackPoint)) {
        m_feedbackPoints[size_t(point)] = value;
        return true;
    }
    int16_t *const outputPoints[] = {&m_params.CoutZero, &m_params.Cout25, &m_params.Cout50, &m_params.Cout75,
                                     &m_params.CoutSpan};
    *outputPoints[point] = int16_t(value);
    return true;
}

namespace sim {

QList<QByteArray> splitReply(const QByteArray &reply, int pieces)
{
    QList<QByteArray> parts;
    const qsizetype count = std::clamp<qsizetype>(pieces, 1, std::max<qsizetype>(reply.size(), 1));
    qsizetype at = 0;
    for (qsizetype i = 0; i < count && at < reply.size(); ++i) {
        const qsizetype length = reply.size() / count + (i < reply.size() % count ? 1 : 0);
        parts.append(reply.mid(at, length));
        at += length;
    }
    return parts;
}

} // namespace sim
