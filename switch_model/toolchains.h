// The IDE's toolchains: a folder each, holding fbc32.exe and/or fbc64.exe, beside the others.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini_keys.h"

struct ToolchainFolder {
    std::wstring name;
    bool hasFbc32 = false;
    bool hasFbc64 = false;
    friend bool operator==(const ToolchainFolder&, const ToolchainFolder&) = default;
};

// The folder that holds a compiler path, a relative one taken from the IDE's folder; empty for an
// empty path.
std::wstring CompilerFolder(std::wstring_view compilerPath, std::wstring_view ideFolder);

// The folder whose folders are the toolchains: the one beside which the compiler of the stored
// path lies, or the IDE's Toolchains folder when the path is empty or its folder is gone.
std::wstring ToolchainsFolder(std::wstring_view stored32, std::wstring_view ideFolder,
                              bool compilerFolderExists);

struct ToolchainItem {
    std::wstring name;
    bool current = false;
    bool usable = false; // the folder has fbc32.exe
    friend bool operator==(const ToolchainItem&, const ToolchainItem&) = default;
};

// The menu's items: sorted without regard to case, the stored path's folder checked.
std::vector<ToolchainItem> ToolchainMenuItems(std::vector<ToolchainFolder> folders,
                                              std::wstring_view stored32);

// What picking a folder writes: FBWINCompiler32 with only the toolchain folder's name changed,
// or the full path of its fbc32.exe when the key is empty; FBWINCompiler64 the same way when it
// holds a path and the folder has fbc64.exe.
std::vector<KeyValue> ToolchainWrites(std::wstring_view stored32, std::wstring_view stored64,
                                      const ToolchainFolder& picked,
                                      std::wstring_view toolchainsFolder);
