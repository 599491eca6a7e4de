// Fault switches of the stand-in ASF writer: environment variables, read when a writer
// filter is created, that make it fail the way the platform writer does when the system
// under it fails, so that tests can check how a program copes.
//
//   KIVORA_ASFWRITER_DISK_FULL_AFTER=<bytes>
//                                    the disk holds the file only up to this many bytes:
//                                    a write that would make the file larger writes
//                                    nothing and fails with ERROR_DISK_FULL, as WriteFile
//                                    does on a full disk, and the file stays as the last
//                                    complete write left it. The writer then handles it as
//                                    any failed write of a running graph (see
//                                    AsfWriterFilter.h). 0 leaves no room even for the
//                                    header: starting the graph fails.
//
// An unset or empty variable (or a negative number) leaves the writer working normally.
#pragma once

#include <cstdint>
#include <optional>

namespace kivora::asfwriter {

inline constexpr wchar_t WriterDiskFullAfterVariable[] = L"KIVORA_ASFWRITER_DISK_FULL_AFTER";

struct TWriterFaults {
    std::optional<std::uint64_t> diskFullAfter;   // bytes of file the disk holds; none: no limit
};

TWriterFaults ReadWriterFaults();

} // namespace kivora::asfwriter
