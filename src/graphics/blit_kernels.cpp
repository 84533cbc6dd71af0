#include "graphics/blit_kernels.h"

#include <windows.h>

#include <cwchar>

namespace tsumiki {
namespace detail {

namespace {

bool ProcessorHasAvx2()
{
    // The compiler's check also asks whether the system saves the AVX registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

bool Sse2Asked()
{
    wchar_t value[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"TSUMIKI_SIMD", value, 16);
    return length > 0 && length < 16 && _wcsicmp(value, L"sse2") == 0;
}

}  // namespace

const BlitKernels& ChooseKernels()
{
    static const bool avx2 = ProcessorHasAvx2();
    return avx2 && !Sse2Asked() ? kAvx2Kernels : kSse2Kernels;
}

}  // namespace detail
}  // namespace tsumiki
