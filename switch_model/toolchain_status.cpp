#include "toolchain_status.h"

#include <cstddef>

namespace {

// Positions count from 1; 0 means "not found".
std::size_t FindFrom(std::string_view text, char wanted, std::size_t start) {
    if (start == 0 || start > text.size())
        return 0;
    const std::size_t found = text.find(wanted, start - 1);
    return found == std::string_view::npos ? 0 : found + 1;
}

std::size_t FindLast(std::string_view text, char wanted) {
    const std::size_t found = text.rfind(wanted);
    return found == std::string_view::npos ? 0 : found + 1;
}

// A negative length runs to the end; a start beyond the end gives nothing.
std::string_view Piece(std::string_view text, std::size_t start, long long length) {
    if (start == 0 || start > text.size() || length == 0)
        return {};
    const std::string_view rest = text.substr(start - 1);
    return length < 0 ? rest : rest.substr(0, static_cast<std::size_t>(length));
}

long long Distance(std::size_t from, std::size_t to) {
    return static_cast<long long>(to) - static_cast<long long>(from) - 1;
}

} // namespace

std::string ToolchainStatusText(std::string_view compilerPath) {
    const std::size_t i = FindFrom(compilerPath, '-', 1);
    const std::size_t j = FindFrom(compilerPath, '-', i + 1);
    const std::size_t k = FindLast(compilerPath, '-');
    const std::size_t m = FindFrom(compilerPath, '\\', k + 1);

    std::string text = " fbc ";
    text.append(Piece(compilerPath, i + 1, Distance(i, j)));
    text.append(" / gcc ");
    text.append(Piece(compilerPath, k + 1, Distance(k, m)));
    return text;
}
