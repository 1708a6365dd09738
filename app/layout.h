// The main window's two layout variants, and what the executable's name selects.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

enum class LayoutVariant { Small, Large };

struct LayoutRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Every rectangle is in unscaled units; the toolkit scales them for the display.
struct MainLayout {
    std::vector<LayoutRect> presetOptions; // preset 1 first
    LayoutRect noPresetOption;
    LayoutRect apply;
    LayoutRect edit;
    LayoutRect clear;
    LayoutRect buildConfigurations;
    LayoutRect compilerSetup;
    LayoutRect groupBox;
    int clientWidth = 0;
    int clientHeight = 0;
};

LayoutVariant LayoutVariantForExeName(std::wstring_view exeBaseName);
bool IsHexText(std::string_view text);
// 8 to 15, from the base name's last character.
int MessageBoxSizeForExeName(std::wstring_view exeBaseName);
MainLayout ComputeMainLayout(LayoutVariant variant, int presetCount, int widestTextWidth);
// The two checkboxes, which come first and do not depend on the presets.
std::pair<LayoutRect, LayoutRect> CheckboxRects(LayoutVariant variant);
// The window's font size in points; the font is Tahoma.
int LayoutFontPoints(LayoutVariant variant);
