// The 64-bit bracket: file-system redirection off for the calling thread around an operation in
// the 64-bit view, and back on afterwards on every path.
#pragma once

#include "platform/os.h"

constexpr Dword kView64QueryAccess = win::kKeyWow64_64Key | win::kKeyQueryValue;  // 0x101
// The 64-bit walk also lists subkeys, which a key opened for querying alone refuses.
constexpr Dword kView64ListAccess = kView64QueryAccess | win::kKeyEnumerateSubKeys;  // 0x109

// Runs `body` with redirection off. False, and `body` not run, when it cannot be turned off.
template <typename Body>
bool withRedirectionOff(Body body) {
    std::uintptr_t previous = 0;
    if (!os().Wow64DisableWow64FsRedirection(previous)) return false;
    body();
    os().Wow64RevertWow64FsRedirection(previous);
    return true;
}

// Runs `body` on a key opened in the 64-bit view, with its reflection off while it is open.
// False when the key cannot be opened.
template <typename Body>
bool withKeyView64(Hkey root, const std::string& keyPath, Body body) {
    Hkey key = 0;
    if (os().RegOpenKeyExA(root, keyPath, 0, kView64QueryAccess, key) != win::kErrorSuccess) {
        return false;
    }
    os().RegDisableReflectionKey(key);
    body(key);
    os().RegEnableReflectionKey(key);
    os().RegCloseKey(key);
    return true;
}
