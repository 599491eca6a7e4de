#include "skin/engine/GdiTally.h"

namespace {
long gLive = 0;  // GUI thread only, like the whole engine
}

long EngineGdiObjects()
{
    return gLive;
}

void gditally::Created()
{
    ++gLive;
}

void gditally::Deleted()
{
    --gLive;
}
