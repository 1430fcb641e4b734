#pragma once
// The fuzz targets: each takes one input and checks properties that must hold
// for every input. libFuzzer calls them (LibFuzzerEntry.cpp); the kept inputs
// are replayed through the same functions as an ordinary test.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace fuzz {

// Bytes from the serial port, cut into pieces, through the receive buffer
// and the reply decoders.
int port(const uint8_t *data, size_t size);
// A record file through the reader; samples through the writer and back.
int recordFile(const uint8_t *data, size_t size);
// A parameter file through its reader, the object-literal reader and
// Upload's checks; a parameter set through Save's text and back.
int parameterFile(const uint8_t *data, size_t size);
// A "P" reply through the block decoder; a block through the encoder and back.
int parameterBlock(const uint8_t *data, size_t size);

// A property that did not hold. The replay test catches it; under libFuzzer
// it aborts, which saves the input as a crash.
struct PropertyFailed : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Set by the replay test: failed properties throw instead of aborting.
extern bool throwOnFailure;

void require(bool holds, const char *what);

} // namespace fuzz
