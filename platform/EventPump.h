#pragma once
// The one way the program waits: handle window events (timer ticks, receive
// events, clicks, painting) until a flag is set.

namespace pump {

// Handles every event waiting now and returns.
void processPending();
// Handles events, sleeping while none wait, until `flag` becomes true.
void until(const bool &flag);

} // namespace pump
