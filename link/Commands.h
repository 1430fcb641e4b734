#pragma once
// Every command the tool writes to the controller, and the first characters
// of the replies it reads. The tool and the simulated controller both spell
// them from here. A command line is the command, its payload (if any) and a
// carriage return.

#include <cstddef>

namespace command {

// The characters of a command, where its payload begins.
template <std::size_t N>
constexpr int lengthOf(const char (&)[N])
{
    return int(N - 1);
}

// Requests, each answered by a reply of its own kind.
inline constexpr char Identify[] = "?";    // identification reply "@"
inline constexpr char Live[] = "?C";       // live record "C"
inline constexpr char Level[] = "?A";      // level record "A"
inline constexpr char Parameters[] = "?P"; // parameter reply "P"

// Writes of the first 58 bytes of the parameter block: edited in the window,
// or taken from a parameter file.
inline constexpr char WriteParameters[] = "*P1";
inline constexpr char UploadParameters[] = "*P2";

// Input calibration: "#A" (SP zero) up to "#J" (temperature span).
inline constexpr char InputCalibration = '#';
inline constexpr char FirstInputPoint = 'A';
inline constexpr int InputPoints = 10;

// Output calibration of the output ("%Q...") and the feedback ("%U...").
inline constexpr char OutputCalibrationStart[] = "%Q-"; // before the window opens
inline constexpr char OutputCalibrationEnd[] = "%Q+";   // after it closes
inline constexpr char OutputTrial[] = "%QS";            // + 4 hexadecimal digits
inline constexpr char FeedbackTrial[] = "%US";
inline constexpr char OutputPoint[] = "%Q"; // + point 0..4 + 4 hexadecimal digits
inline constexpr char FeedbackPoint[] = "%U";
inline constexpr int OutputPoints = 5; // 4, 8, 12, 16 and 20 mA

// Remote control: "%C0" then "%R1" on, "%RS" and four digits every 100 ms, "%C1" off.
inline constexpr char RemoteOn[] = "%C0";
inline constexpr char RemoteStart[] = "%R1";
inline constexpr char RemoteOff[] = "%C1";
inline constexpr char RemoteSetpoint[] = "%RS";

inline constexpr char SerialNumber[] = "*SN"; // + 4 characters

} // namespace command

namespace reply {

inline constexpr char Identity = '@';
inline constexpr char Live = 'C';
inline constexpr char Level = 'A';
inline constexpr char Parameters = 'P';
inline constexpr char Ok[] = "OK";
inline constexpr char Fail[] = "FAIL";

} // namespace reply
