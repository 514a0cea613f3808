// GoogleTest sends every failure to OutputDebugStringA as well as to stdout. Wine raises an
// exception for it, and when 32-bit Wine runs under CPU emulation (kernels without 32-bit
// support) that exception can take the whole test runner down with it. The runner's own import
// of the function is replaced by one that does nothing; stdout still carries every failure.
#include <windows.h>

namespace {
void WINAPI ignoreDebugOutput(LPCSTR) {}
}  // namespace

extern "C" void(WINAPI* const importedOutputDebugStringA)(LPCSTR) __asm__(
    "__imp__OutputDebugStringA@4") = ignoreDebugOutput;
