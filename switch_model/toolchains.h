// The IDE's toolchains: a folder each, holding fbc32.exe and/or fbc64.exe, beside the others.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ini_keys.h"

struct ToolchainFolder {
    std::wstring name;
    bool hasFbc32 = false; // in the folder listed
    bool hasFbc64 = false; // where the 64-bit key would name it once this folder is picked
    friend bool operator==(const ToolchainFolder&, const ToolchainFolder&) = default;
};

// A compiler path as the IDE stores it, made one to look at: "{CURDRIVE}" (in any case) becomes
// the drive of the IDE's folder, as the IDE reads it, and a relative path is taken from the
// IDE's folder. The stored form is what is written.
std::wstring ResolvedPath(std::wstring_view stored, std::wstring_view ideFolder);

// The folder that holds the compiler of a stored path, resolved; empty for an empty path.
std::wstring CompilerFolder(std::wstring_view stored, std::wstring_view ideFolder);

// The folder the toolchains are listed from: the one beside which the compiler of the stored path
// lies, or the IDE's Toolchains folder when the path is empty, its folder is gone or is a drive's
// root.
std::wstring ToolchainsFolder(std::wstring_view stored32, std::wstring_view ideFolder,
                              bool compilerFolderExists);

// A menu item: usable when its folder has fbc32.exe.
struct ToolchainItem {
    ToolchainFolder folder;
    bool current = false;
    friend bool operator==(const ToolchainItem&, const ToolchainItem&) = default;
};

// Folder names compare without regard to the case of ASCII letters, as the file system does.
bool SameFolderName(std::wstring_view a, std::wstring_view b);

// The menu's items: sorted without regard to case, the stored path's folder checked when the
// folders listed are the ones beside it.
std::vector<ToolchainItem> ToolchainMenuItems(std::vector<ToolchainFolder> folders,
                                              std::wstring_view stored32,
                                              std::wstring_view toolchainsFolder,
                                              std::wstring_view ideFolder);

// What the 64-bit key becomes when a toolchain is picked: its stored form with the name of its
// toolchain folder changed; none when it is empty or its compiler has no toolchain folder.
std::optional<std::wstring> Compiler64For(std::wstring_view stored64, std::wstring_view name);

// What picking a folder of the toolchains folder writes: FBWINCompiler32 in its stored form with
// only the toolchain folder's name changed where that form names a folder of the toolchains
// folder, else the full path of the picked folder's fbc32.exe; FBWINCompiler64 as Compiler64For
// has it, where that fbc64.exe was found.
std::vector<KeyValue> ToolchainWrites(std::wstring_view stored32, std::wstring_view stored64,
                                      const ToolchainFolder& picked,
                                      std::wstring_view toolchainsFolder,
                                      std::wstring_view ideFolder);
