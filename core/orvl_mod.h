#pragma once
// State that every window shares, for the whole run, and the start-up.
#include <cstdint>

namespace ORVL_MOD {

// Where the placement rule put the window being loaded, in twips. Plain
// ints: a large screen must not overflow them.
inline int FormTop = 0;
inline int FormLeft = 0;

// Display of the conversion screens' results: -1 automatic, +1 exponent
// form. Every conversion screen sets -1 when it loads.
inline std::int16_t ExpMode = 0;

} // namespace ORVL_MOD

// The program starts here: it opens the main window that the shell named
// (SetNavigation) and returns.
void Main();
