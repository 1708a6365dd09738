// Scratch folders and raw file bytes for the file-layer tests under Wine.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "handles.h"

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    explicit ScratchFolder(std::wstring_view tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const {
        return path_ + L"\\" + std::wstring(name);
    }

  private:
    std::wstring path_;
};

// Creates every missing folder of a path, however long.
bool MakeFolders(const std::wstring& path);
bool WriteBytes(const std::wstring& path, std::string_view bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// "\\?\" in front, so a path past MAX_PATH reaches the file system whole.
std::wstring LongForm(const std::wstring& path);

// Restores the current directory however the test ends.
class CurrentDirectoryGuard {
  public:
    CurrentDirectoryGuard();
    ~CurrentDirectoryGuard();
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

  private:
    std::wstring saved_;
};

// A file opened without sharing, as an editor holding it might.
class ExclusiveHold {
  public:
    explicit ExclusiveHold(const std::wstring& path);
    bool held() const { return static_cast<bool>(handle_); }

  private:
    UniqueFileHandle handle_;
};

std::string Utf8(std::wstring_view wide);
