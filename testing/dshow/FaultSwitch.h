// Reading a fault switch: an environment variable that a stand-in filter reads when it
// is created, so that a test can make it misbehave. Each filter documents its own
// switches beside the code that reads them.
#pragma once

#include <cstdint>

namespace kivora::dshow {

// The variable's whole-number value: fallback when it is unset, empty or not a number.
std::int64_t SwitchNumber(const wchar_t* name, std::int64_t fallback);

// A switch that is on: set to a number other than 0.
bool SwitchOn(const wchar_t* name);

} // namespace kivora::dshow
