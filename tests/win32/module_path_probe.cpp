// Started from a folder chosen by the test: writes what the path utilities say about it to
// probe.txt beside itself, as UTF-16: module path, name and folder, one per line.
#include <windows.h>

#include <string>

#include "handles.h"
#include "paths.h"

int main() {
    const std::wstring folder = ExePath();
    const std::wstring report = ModuleFilePath() + L"\n" + ExeName() + L"\n" + folder + L"\n";
    const UniqueFileHandle file(CreateFileW((L"\\\\?\\" + folder + L"\\probe.txt").c_str(),
                                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(report.size() * sizeof(wchar_t));
    return file && WriteFile(file.get(), report.data(), bytes, &written, nullptr) ? 0 : 1;
}
