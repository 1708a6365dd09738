#include "layout.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace {

struct VariantMetrics {
    int fontPoints;
    int optionTop;
    int optionExtraWidth;
    int groupExtraWidth;
    int groupMinWidth;
    int groupExtraHeight;
    LayoutRect console;
    LayoutRect exx;
    int applyX, editX, clearX;
    int smallButtonWidth, smallButtonHeight;
    int wideButtonWidth, wideButtonHeight;
    int clientExtraHeight;
};

// Wide enough for "-exx" in Tahoma 12 at 150 %, where 46 units clipped its last letter.
constexpr int kLargeExxWidth = 56;

constexpr VariantMetrics kLarge{
    12,  58, 18, 28,  150, 18, {10, 8, 90, 20}, {10, 28, kLargeExxWidth, 20}, 8, 67,
    126, 56, 25, 172, 25,  164};
constexpr VariantMetrics kSmall{8,  50, 16, 26,  115, 8,  {10, 5, 80, 20}, {10, 25, 40, 20}, 10, 52,
                                96, 38, 22, 124, 22,  162};

constexpr int kOptionX = 15;
constexpr int kOptionHeight = 20;
constexpr int kOptionPitch = 20;
constexpr int kGroupX = 10;
constexpr int kGroupY = 50;

} // namespace

LayoutVariant LayoutVariantForExeName(std::wstring_view exeBaseName) {
    return exeBaseName.find(L'L') != std::wstring_view::npos ? LayoutVariant::Large
                                                             : LayoutVariant::Small;
}

bool IsHexText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

int MessageBoxSizeForExeName(std::wstring_view exeBaseName) {
    constexpr int kDefaultSize = 8;
    if (exeBaseName.empty())
        return kDefaultSize;
    const auto last = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(exeBaseName.back())));
    // Only ASCII can be a hex digit; anything else narrows to a non-digit.
    const char narrow = last < 0x80 ? static_cast<char>(last) : '?';
    if (!IsHexText(std::string_view(&narrow, 1)))
        return kDefaultSize;
    const int digit = narrow <= '9' ? narrow - '0' : narrow - 'A' + 10;
    return std::max(digit, kDefaultSize);
}

MainLayout ComputeMainLayout(LayoutVariant variant, int presetCount, int widestTextWidth) {
    const VariantMetrics& m = variant == LayoutVariant::Large ? kLarge : kSmall;
    const int optionCount = presetCount + 1;
    const int optionWidth = widestTextWidth + m.optionExtraWidth;
    const int bottom = m.optionTop + kOptionPitch * presetCount; // R
    const int groupWidth = std::max(widestTextWidth + m.groupExtraWidth, m.groupMinWidth);

    MainLayout layout;
    layout.fontPoints = m.fontPoints;
    layout.console = m.console;
    layout.exx = m.exx;
    for (int k = 1; k <= presetCount; ++k)
        layout.presetOptions.push_back(
            {kOptionX, m.optionTop - 4 + kOptionPitch * k, optionWidth, kOptionHeight});
    layout.noPresetOption = {kOptionX, bottom + 20, optionWidth, kOptionHeight};
    const int rowY = bottom + 50;
    layout.apply = {m.applyX, rowY, m.smallButtonWidth, m.smallButtonHeight};
    layout.edit = {m.editX, rowY, m.smallButtonWidth, m.smallButtonHeight};
    layout.clear = {m.clearX, rowY, m.smallButtonWidth, m.smallButtonHeight};
    layout.buildConfigurations = {10, bottom + 80, m.wideButtonWidth, m.wideButtonHeight};
    layout.compilerSetup = {10, bottom + 110, m.wideButtonWidth, m.wideButtonHeight};
    layout.groupBox = {kGroupX, kGroupY, groupWidth, 22 * optionCount + m.groupExtraHeight};
    layout.clientWidth = groupWidth + 20;
    layout.clientHeight = bottom + m.clientExtraHeight;
    return layout;
}
