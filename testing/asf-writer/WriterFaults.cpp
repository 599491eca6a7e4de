#include "WriterFaults.h"

#include "../dshow/FaultSwitch.h"

namespace kivora::asfwriter {

TWriterFaults ReadWriterFaults()
{
    TWriterFaults faults;
    const std::int64_t diskFullAfter = dshow::SwitchNumber(WriterDiskFullAfterVariable, -1);
    if (diskFullAfter >= 0)
        faults.diskFullAfter = static_cast<std::uint64_t>(diskFullAfter);
    return faults;
}

} // namespace kivora::asfwriter
