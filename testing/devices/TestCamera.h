// The test camera: a live video capture source with one capture pin that streams the
// test pattern at 30 frames per second in RGB24 or YUY2 at four frame sizes.
#pragma once

#include <unknwn.h>

namespace kivora::devices {

IUnknown* CreateTestCamera();

} // namespace kivora::devices
