#include "FaultSwitches.h"

#include "../dshow/FaultSwitch.h"

namespace kivora::devices {

using dshow::SwitchNumber;
using dshow::SwitchOn;

TCameraFaults ReadCameraFaults()
{
    TCameraFaults faults;
    faults.failStart = SwitchOn(CameraFailStartVariable);
    const std::int64_t stopAfter = SwitchNumber(CameraStopAfterVariable, -1);
    faults.stopAfterFrames = stopAfter >= 0 ? stopAfter : -1;
    faults.noFormats = SwitchOn(CameraNoFormatsVariable);
    faults.noStreamConfig = SwitchOn(CameraNoStreamConfigVariable);
    faults.noPins = SwitchOn(CameraNoPinsVariable);
    return faults;
}

TMicrophoneFaults ReadMicrophoneFaults()
{
    TMicrophoneFaults faults;
    faults.noInputLines = SwitchOn(MicrophoneNoLinesVariable);
    return faults;
}

} // namespace kivora::devices
