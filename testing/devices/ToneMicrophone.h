// The tone microphone: a live audio capture source whose PCM pin streams a sine tone,
// with two input line pins ("Line In", "Microphone") that can be enabled through
// IAMAudioInputMixer; the microphone line starts enabled.
#pragma once

#include <unknwn.h>

namespace kivora::devices {

IUnknown* CreateToneMicrophone();

} // namespace kivora::devices
