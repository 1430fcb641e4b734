#pragma once
// The simulated controller: answers every command line the tool sends as the
// field controller does, on a clock that the caller advances. It holds the
// piston (PV), the setpoint (SP) from a built-in 4-20 mA step pattern or from
// remote control, the oil level with its alarm relay, the parameter block and
// the identity. No event loop and no widgets: tests drive it tick by tick.
//
// Behaviour worth knowing:
// - The control loop runs every 10 ms. With error e = SP - PV (tenths of a
//   percent) it drives the up valve for e > 0 and the down valve for e < 0:
//   beyond the coarse band (CoarseControlUp / CoarseControlDn) the valve is on
//   continuously; inside the coarse band but outside the fine band
//   (FineControlUp / FineControlDn) it pulses, on for the pulse width and then
//   off for PulseDelay x 10 ms; inside the fine band both valves are off.
//   A new setpoint acts from the next tick on.
// - A full stroke takes 20 s up and 25 s down (configurable).
// - The relay is the low-oil alarm: it is energised when the level falls
//   below OilLevelAlarm and released when the level rises above
//   OilLevelAlarm + AlarmHysteresis. A level input that reads a fault
//   energises it as well.
// - The oil level follows the piston: the cylinder takes its oil from the tank.
// - A faulted SP or PV input makes the loop apply SPFail / PVFail (0 both
//   valves off, 1 up valve on, 2 down valve on); the error reads 0 then.
// - Every write command is acknowledged: "OK" when taken, "FAIL" when its
//   payload is malformed or out of range (or "%RS" outside remote control).
//   This includes the commands the tool does not wait for ("%Q-", "%Q+",
//   "%QS", "%US", "%RS"). A command the controller does not know gets no answer.
#include "params/ParameterSet.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <cstdint>
#include <vector>

// The inputs that can read a fault.
enum class SimInput { SP, PV, Level };

// The sentinel readings of a faulted input.
enum class SimFault : int16_t { Open = -300, OverRange = -200, UnderRange = -100 };

// How the transports deliver a reply: after a latency, possibly in pieces.
struct ReplyTiming
{
    int latencyMs = 10; // from the command's carriage return to the first piece
    int pieces = 1;     // number of parts a reply arrives in
    int pieceGapMs = 3; // between two parts
};

struct ActuatorConfig
{
    int upTravelMs = 20000;   // full stroke 0 -> 100 %
    int downTravelMs = 25000; // full stroke 100 -> 0 %
    int pulseWidthMs = 100;   // on-time of one pulse inside the coarse band
    int startPosition = 500;  // PV at power-up, tenths
    int tankLevel = 750;      // oil level with the piston at 0 %, tenths
    int cylinderVolume = 300; // level the cylinder takes at 100 % stroke, tenths
    // The 4-20 mA setpoint signal outside remote control: steps in tenths,
    // each held for signalHoldMs, repeated.
    std::vector<int> signalSteps{0, 1000, 0, 500, 1000, 500};
    int signalHoldMs = 30000;
};

class ActuatorModel
{
public:
    static constexpr int TickMs = 10;

    struct Identity
    {
        QByteArray version = "V4.1";
        QByteArray modelFirst = "DMK0";
        QByteArray modelSecond = "0042";
        QByteArray serial = "S123";
    };

    explicit ActuatorModel(ActuatorConfig config = {});

    // The clock, in milliseconds since power-up. Time never runs backwards.
    void advanceTo(int64_t ms);
    void advance(int64_t ms) { advanceTo(m_clock + ms); }
    int64_t now() const { return m_clock; }

    // Answers one command line (without its carriage return) as of now: the
    // whole reply line, carriage return included, or empty for no answer.
    QByteArray answer(const QByteArray &line);

    // Readings as the controller reports them (tenths of a percent; a faulted
    // input reads its sentinel).
    int16_t spReading() const;
    int16_t pvReading() const;
    int16_t errorReading() const;
    int16_t levelReading() const;
    bool upValveOn() const { return m_valve == Valve::Up; }
    bool downValveOn() const { return m_valve == Valve::Down; }
    bool relayOn() const { return m_relay; }

    // The setpoint the loop works to: the remote setpoint in remote control,
    // the 4-20 mA step pattern otherwise.
    int setpoint() const;
    bool remoteControl() const { return m_remote; }
    double position() const { return m_position; }
    void setPosition(int tenths);
    // Oil level with the piston at 0 %; the level falls as the piston rises.
    void setTankLevel(int tenths);

    const ParameterSet &parameters() const { return m_params; }
    void setParameters(const ParameterSet &set);
    static ParameterSet defaultParameters();

    const Identity &identity() const { return m_identity; }
    void setIdentity(const Identity &identity) { m_identity = identity; }

    // Fault hook: the input reads the sentinel until the fault is cleared.
    void setFault(SimInput input, SimFault fault);
    void clearFault(SimInput input);

    const ReplyTiming &replyTiming() const { return m_timing; }
    void setReplyTiming(const ReplyTiming &timing) { m_timing = timing; }

    // Output calibration: held between "%Q-" and "%Q+"; the last raw values set
    // by "%QS" / "%US"; the feedback points stored by "%U0".."%U4" (the output
    // points live in the parameter block).
    bool outputCalibration() const { return m_outputCalibration; }
    int outputTrial() const { return m_outputTrial; }
    int feedbackTrial() const { return m_feedbackTrial; }
    const std::array<int, 5> &feedbackPoints() const { return m_feedbackPoints; }

private:
    enum class Valve { None, Up, Down };
    enum class Pulse { Ready, On, Off };

    void tick();
    void control();
    Valve pulsed(Valve direction);
    void updateRelay();
    int pvNow() const;
    int levelNow() const;
    bool faulted(SimInput input) const;

    QByteArray parameterReply() const;
    bool storeParameters(const QByteArray &payload);
    bool setRemoteSetpoint(const QByteArray &digits);
    bool setSerial(const QByteArray &serial);
    bool setOutputTrial(const QByteArray &line);
    bool storeOutputPoint(const QByteArray &line);

    ActuatorConfig m_config;
    int64_t m_clock = 0;    // requested time
    int64_t m_tickedTo = 0; // time of the last control tick
    double m_position = 0;  // piston, tenths of a percent
    int m_tankLevel = 0;
    Valve m_valve = Valve::None;
    Pulse m_pulse = Pulse::Ready;
    Valve m_pulseDirection = Valve::None;
    int m_pulseLeftMs = 0;
    bool m_relay = false;
    bool m_remote = false;
    int m_remoteSetpoint = 0;
    std::array<int16_t, 3> m_faults{}; // per SimInput; 0 = no fault
    ParameterSet m_params;
    std::array<uint8_t, params::BlockBytes - params::UploadBytes> m_reserved{};
    Identity m_identity;
    ReplyTiming m_timing;
    bool m_outputCalibration = false;
    int m_outputTrial = 0;
    int m_feedbackTrial = 0;
    std::array<int, 5> m_feedbackPoints{};
};

namespace sim {

// A reply cut into `pieces` consecutive parts whose lengths differ by at most
// one (fewer when the reply is shorter than that); none for an empty reply.
QList<QByteArray> splitReply(const QByteArray &reply, int pieces);

} // namespace sim
