#include "FaultInjection.h"

#include <wmsdkidl.h>

#include <cstdlib>
#include <cstring>
#include <string>

HRESULT Fault(const char* step)
{
    char value[1024];
    DWORD length = GetEnvironmentVariableA("KIVORA_WMF_FAULT", value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return S_OK;
    // Entries "Step=0xHRESULT" separated by commas.
    const std::string entries(value, length);
    const std::string wanted = std::string(step) + "=";
    for (size_t start = 0; start < entries.size();) {
        size_t end = entries.find(',', start);
        if (end == std::string::npos)
            end = entries.size();
        const std::string entry = entries.substr(start, end - start);
        if (entry.compare(0, wanted.size(), wanted) == 0)
            return static_cast<HRESULT>(std::strtoul(entry.c_str() + wanted.size(), nullptr, 0));
        start = end + 1;
    }
    return S_OK;
}

HRESULT QueryFault(REFIID iid)
{
    struct TQueryStep {
        const IID& iid;
        const char* step;
    };
    static const TQueryStep steps[] = {
        {__uuidof(IWMHeaderInfo), "QueryIWMHeaderInfo"},
        {__uuidof(IWMProfile), "QueryIWMProfile"},
        {__uuidof(IWMMediaProps), "QueryIWMMediaProps"},
    };
    for (const TQueryStep& s : steps)
        if (iid == s.iid)
            return Fault(s.step);
    return S_OK;
}
