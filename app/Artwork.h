#pragma once
// Pictures drawn in code: the maker's logo and the setpoint pointer icon.
#include <QImage>

// The maker's logo, a stylised valve in a ring, at the given size.
QImage makerLogo(int size);
// The setpoint pointer: a 32 x 32 yellow diamond with a black arrow pointing right.
QImage setpointPointerIcon();
