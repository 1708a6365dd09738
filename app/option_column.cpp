#include "option_column.h"

#include "control_ids.h"
#include "presets.h"

void SelectOption(HWND main, int presetCount, int optionId) {
    CheckRadioButton(main, kFirstOptionId, NoPresetOptionId(presetCount), optionId);
}

void SelectPresetOption(HWND main, int presetCount, std::optional<int> preset) {
    SelectOption(main, presetCount,
                 preset ? OptionIdOfPreset(*preset) : NoPresetOptionId(presetCount));
}

bool IsChecked(HWND main, int id) {
    return SendDlgItemMessageW(main, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<int> SelectedPreset(HWND main, int presetCount) {
    for (int k = 1; k <= presetCount; ++k)
        if (IsChecked(main, OptionIdOfPreset(k)))
            return k;
    return std::nullopt;
}
