#pragma once
// COM initialisation. Nothing here uses COM objects, so there is nothing to set up; the calls
// exist so that a program keeps the start-up and shut-down order it was written with.

#include "platform/base/Types.h"

using HRESULT = LONG;
inline constexpr HRESULT S_OK = 0;

inline HRESULT CoInitialize(void* /*reserved*/) {
    return S_OK;
}
inline void CoUninitialize() {}
