// When memory cannot be allocated the program says how much it asked for and ends with exit
// code -1, without the exit clean-up. Allocation failures therefore never reach the program's
// code as exceptions. Nothing here may allocate.
#include <windows.h>

#include <cstdlib>
#include <new>

#include "app/fatal_error.h"

namespace {
[[noreturn]] void memoryExhausted(std::size_t size) {
    wchar_t text[64];
    wsprintfW(text, L"分配 %u 字节内存失败!", static_cast<unsigned>(size));
    MessageBoxW(nullptr, text, L"错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(static_cast<UINT>(kFatalExitCode));
}

void* allocate(std::size_t size) {
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    memoryExhausted(size);
}
}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
