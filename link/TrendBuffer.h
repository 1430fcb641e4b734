#pragma once
// The rolling trend of SP and PV in whole percent: entries 0..TrendLength form
// the main chart, oldest at 0, newest at TrendLength.
#include <array>
#include <cstdint>

struct TrendEntry
{
    int16_t sp = 0;
    int16_t pv = 0;
};

struct TrendBuffer
{
    static constexpr int Capacity = 201;
    static constexpr int TrendLength = 100;

    std::array<TrendEntry, Capacity> entries{};

    // Moves every entry one place towards 0 and stores the newest at TrendLength.
    void shift(int16_t sp, int16_t pv)
    {
        for (int i = 0; i < TrendLength; ++i)
            entries[i] = entries[i + 1];
        entries[TrendLength] = {sp, pv};
    }
    const TrendEntry &operator[](int i) const { return entries[i]; }
};
