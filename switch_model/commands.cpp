#include "commands.h"

#include <algorithm>
#include <cwctype>

namespace {

std::wstring Lowered(std::wstring_view text) {
    std::wstring lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return lowered;
}

// A number past any preset stays past them: the count is not kept beyond that.
std::optional<int> Number(std::wstring_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    int number = 0;
    for (const wchar_t digit : text)
        number = std::min(number * 10 + (digit - L'0'), 1000);
    return number;
}

std::optional<bool> OnOff(std::wstring_view text) {
    const std::wstring value = Lowered(text);
    if (value == L"on")
        return true;
    if (value == L"off")
        return false;
    return std::nullopt;
}

// Sets the switch's value once; false when it was set before or the value is wrong.
template <typename Value> bool SetOnce(std::optional<Value>& slot, std::optional<Value> value) {
    if (slot || !value)
        return false;
    slot = std::move(value);
    return true;
}

} // namespace

std::optional<ToolCommand> ParseToolCommand(const std::vector<std::wstring>& arguments) {
    ToolCommand command;
    int switches = 0;
    for (std::size_t at = 0; at < arguments.size(); ++at, ++switches) {
        const std::wstring& argument = arguments[at];
        if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-'))
            return std::nullopt;
        const std::wstring name = Lowered(std::wstring_view(argument).substr(1));
        if (name == L"undo" || name == L"redo") {
            if (command.undo || command.redo)
                return std::nullopt;
            (name == L"undo" ? command.undo : command.redo) = true;
            continue;
        }
        if (++at == arguments.size())
            return std::nullopt;
        const std::wstring& value = arguments[at];
        bool set = false;
        if (name == L"apply") {
            if (command.applyNumber || command.applyText)
                return std::nullopt;
            if (const std::optional<int> number = Number(value))
                command.applyNumber = number;
            else
                command.applyText = value;
            set = true;
        } else if (name == L"console") {
            set = SetOnce(command.console, OnOff(value));
        } else if (name == L"exx") {
            set = SetOnce(command.exx, OnOff(value));
        } else if (name == L"toolchain") {
            set = SetOnce(command.toolchain, std::optional(value));
        }
        if (!set)
            return std::nullopt;
    }
    const bool alone = command.undo || command.redo || command.toolchain;
    if (switches == 0 || (alone && switches > 1))
        return std::nullopt;
    return command;
}
