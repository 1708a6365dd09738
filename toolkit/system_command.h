// Reading a WM_SYSCOMMAND: Windows uses the low four bits of its wParam for itself.
#pragma once

#include <cstdint>

constexpr bool IsSystemCommand(std::uintptr_t wParam, std::uintptr_t command) {
    return (wParam & 0xFFF0) == command;
}

constexpr bool IsCloseCommand(std::uintptr_t wParam) {
    constexpr std::uintptr_t kScClose = 0xF060;
    return IsSystemCommand(wParam, kScClose);
}
