#pragma once
// The latest readings decoded from the live ("C") and level ("A") records.
#include <QString>
#include <cstdint>

struct Reading
{
    int16_t raw = 0;         // tenths of a percent, as received
    float value = 0.0f;      // percent; 0 for a negative (fault) reading of SP, PV and level
    QString text = QStringLiteral("---"); // "0.0" format, or "OPEN", "OVR", "UNR"
};

struct LiveValues
{
    Reading sp, pv, er, lv;
    bool upValveOn = false;
    bool downValveOn = false;
    bool relayOn = false;
};
