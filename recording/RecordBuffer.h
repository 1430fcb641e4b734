#pragma once
// Recorded samples: SP and PV in percent, as taken from the live values.
#include <cstddef>
#include <cstdint>
#include <vector>

struct RecordSample
{
    float sp = 0.0f;
    float pv = 0.0f;
    friend bool operator==(const RecordSample &, const RecordSample &) = default;
};

// Room for 75,001 samples: indices 0..75000.
constexpr int32_t RecordCapacity = 75001;

using SampleBuffer = std::vector<RecordSample>;

inline SampleBuffer makeSampleBuffer() { return SampleBuffer(RecordCapacity); }

// Stores a sample as entry number `count` and counts it. A full buffer ignores
// further samples; returns whether the sample was stored.
inline bool appendSample(SampleBuffer &buffer, int32_t &count, RecordSample sample)
{
    if (count < 0 || count >= RecordCapacity || size_t(count) >= buffer.size())
        return false;
    buffer[size_t(count++)] = sample;
    return true;
}
