// IEnumPins over a filter's pins and IEnumMediaTypes over a pin's types. Each holds a
// reference on the filter (through the pin for media types), so it stays valid on its own.
#pragma once

#include "Com.h"

#include <strmif.h>

namespace kivora::dshow {

class TFilter;
class TPin;

HRESULT CreatePinEnumerator(TFilter& filter, IEnumPins** out);
HRESULT CreateMediaTypeEnumerator(TPin& pin, IEnumMediaTypes** out);

} // namespace kivora::dshow
