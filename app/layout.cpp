#include "layout.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace {

struct VariantMetrics {
    int fontPoints;
    int optionTop;        // T
    int optionExtraWidth; // added to the widest preset text
    int groupExtraWidth;  // likewise, for the group box
    int groupMinWidth;
    int groupExtraHeight; // added to 22 per option
    LayoutRect console;
    LayoutRect exx;
    int applyX;
    int editX;
    int clearX;
    int rowButtonWidth; // Apply, Edit, Clear
    int rowButtonHeight;
    int wideButtonWidth; // Build Configurations..., Compiler Setup
    int wideButtonHeight;
    int clientExtraHeight; // added to R
};

constexpr VariantMetrics kLarge{
    .fontPoints = 12,
    .optionTop = 58,
    .optionExtraWidth = 18,
    .groupExtraWidth = 28,
    // As wide as the buttons below it (10 + 172), so that with short presets they still fit
    // the window; 150 cut off Clear and the two wide buttons.
    .groupMinWidth = 172,
    .groupExtraHeight = 18,
    .console = {10, 8, 90, 20},
    // Wide enough for "-exx" in Tahoma 12 at 150 %, where 46 units clipped its last letter.
    .exx = {10, 28, 56, 20},
    .applyX = 8,
    .editX = 67,
    .clearX = 126,
    .rowButtonWidth = 56,
    .rowButtonHeight = 25,
    .wideButtonWidth = 172,
    .wideButtonHeight = 25,
    .clientExtraHeight = 164,
};

constexpr VariantMetrics kSmall{
    .fontPoints = 8,
    .optionTop = 50,
    .optionExtraWidth = 16,
    .groupExtraWidth = 26,
    .groupMinWidth = 115,
    .groupExtraHeight = 8,
    .console = {10, 5, 80, 20},
    .exx = {10, 25, 40, 20},
    .applyX = 10,
    .editX = 52,
    .clearX = 96,
    .rowButtonWidth = 38,
    .rowButtonHeight = 22,
    .wideButtonWidth = 124,
    .wideButtonHeight = 22,
    .clientExtraHeight = 162,
};

const VariantMetrics& MetricsOf(LayoutVariant variant) {
    return variant == LayoutVariant::Large ? kLarge : kSmall;
}

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
    const VariantMetrics& m = MetricsOf(variant);
    const int optionCount = presetCount + 1;
    const int optionWidth = widestTextWidth + m.optionExtraWidth;
    const int bottom = m.optionTop + kOptionPitch * presetCount; // R
    const int groupWidth = std::max(widestTextWidth + m.groupExtraWidth, m.groupMinWidth);

    MainLayout layout;
    for (int k = 1; k <= presetCount; ++k)
        layout.presetOptions.push_back(
            {kOptionX, m.optionTop - 4 + kOptionPitch * k, optionWidth, kOptionHeight});
    layout.noPresetOption = {kOptionX, bottom + 20, optionWidth, kOptionHeight};
    const int rowY = bottom + 50;
    layout.apply = {m.applyX, rowY, m.rowButtonWidth, m.rowButtonHeight};
    layout.edit = {m.editX, rowY, m.rowButtonWidth, m.rowButtonHeight};
    layout.clear = {m.clearX, rowY, m.rowButtonWidth, m.rowButtonHeight};
    layout.buildConfigurations = {10, bottom + 80, m.wideButtonWidth, m.wideButtonHeight};
    layout.compilerSetup = {10, bottom + 110, m.wideButtonWidth, m.wideButtonHeight};
    layout.groupBox = {kGroupX, kGroupY, groupWidth, 22 * optionCount + m.groupExtraHeight};
    layout.clientWidth = groupWidth + 20;
    layout.clientHeight = bottom + m.clientExtraHeight;
    return layout;
}

std::pair<LayoutRect, LayoutRect> CheckboxRects(LayoutVariant variant) {
    const VariantMetrics& m = MetricsOf(variant);
    return {m.console, m.exx};
}

int LayoutFontPoints(LayoutVariant variant) {
    return MetricsOf(variant).fontPoints;
}
