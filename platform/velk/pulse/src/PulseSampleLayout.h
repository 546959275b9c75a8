// The server's sample layout for a player format code: 8-bit mu-law and A-law, and linear
// PCM (8-bit unsigned, 16/24/32-bit signed little-endian) at the code's rate and channels.
#pragma once

#include <pulse/sample.h>

namespace olvar::velk {

// False for codes the player does not know; layout is then untouched.
bool pulseSampleLayout(int formatCode, pa_sample_spec& layout);

}  // namespace olvar::velk
