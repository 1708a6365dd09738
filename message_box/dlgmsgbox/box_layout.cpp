#include "box_layout.h"

#include <algorithm>

namespace dlgmsgbox {
namespace {

// Lengths of the box at 96 DPI.
constexpr int kPanelPadding = 16;
constexpr int kIconGap = 12;
constexpr int kStripPadding = 10;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonMinHeight = 23;
constexpr int kButtonTextPaddingX = 24;
constexpr int kButtonTextPaddingY = 8;
constexpr int kMinTextWidth = 200;

int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

int ScaleToDpi(int length, int dpi) {
    return MulDivRounded(length, dpi, 96);
}

int EffectivePoints(int requested) {
    return requested > 0 ? requested : kDefaultPoints;
}

int FontHeight(int points, int dpi) {
    return -MulDivRounded(points, dpi, 72);
}

int MaxTextWidth(int workAreaWidth, int dpi) {
    return std::max(workAreaWidth / 2, ScaleToDpi(kMinTextWidth, dpi));
}

BoxLayout LayOutBox(const BoxMetrics& m) {
    const auto scaled = [&](int length) { return ScaleToDpi(length, m.dpi); };
    const int padding = scaled(kPanelPadding);
    const int stripPadding = scaled(kStripPadding);

    BoxLayout layout;
    const int contentHeight = std::max(m.text.height, m.iconSize);
    int textLeft = padding;
    if (m.iconSize > 0) {
        const int iconTop = padding + (contentHeight - m.iconSize) / 2;
        layout.icon = {padding, iconTop, padding + m.iconSize, iconTop + m.iconSize};
        textLeft += m.iconSize + scaled(kIconGap);
    }
    const int textTop = padding + (contentHeight - m.text.height) / 2;
    layout.text = {textLeft, textTop, textLeft + m.text.width, textTop + m.text.height};

    const int buttonWidth =
        std::max(scaled(kButtonMinWidth), m.buttonText.width + scaled(kButtonTextPaddingX));
    const int buttonHeight =
        std::max(scaled(kButtonMinHeight), m.buttonText.height + scaled(kButtonTextPaddingY));

    layout.client.width =
        std::max({layout.text.right + padding, buttonWidth + 2 * stripPadding, m.captionWidth});
    const int panelHeight = contentHeight + 2 * padding;
    layout.panel = {0, 0, layout.client.width, panelHeight};

    const int buttonLeft = layout.client.width - stripPadding - buttonWidth;
    const int buttonTop = panelHeight + stripPadding;
    layout.button = {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight};
    layout.client.height = layout.button.bottom + stripPadding;
    return layout;
}

} // namespace dlgmsgbox
