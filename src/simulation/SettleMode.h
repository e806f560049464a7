// Settle mode of the network: while on (game start, loading a game) every
// effect takes its input at once instead of lagging behind it. Read by every
// effect on every evaluation, so it is a plain flag.
#pragma once

namespace settle_mode {
inline bool g_on = false;
}  // namespace settle_mode
