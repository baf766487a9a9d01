#include "qt/DialogTemplates.h"

#include <iterator>

#include "dialogs/CDlgWarnWav.h"
#include "dialogs/OptionLayout.h"
#include "platform/UiText.h"

namespace velmora2 {

namespace {

using enum ControlKind;

// The file name stands right-aligned against "が見つかりません。" so that the two read as one
// sentence, with the advice below them.
constexpr ControlTemplate kWarnWavControls[] = {
    {CDlgWarnWav::kFileNameText, RightText, 18, 17, 55, 12, "", true, kNoRadioGroup},
    {kNoControlId, Text, 77, 18, 67, 12, VELMORA2_TEXT("が見つかりません。"), true, kNoRadioGroup},
    {kNoControlId, Text, 23, 40, 115, 24,
     VELMORA2_TEXT("WaveﾌｧｲﾙはVelmora2のﾃﾞｨﾚｸﾄﾘに置いて下さい。"), true, kNoRadioGroup},
    {kIdOk, PushButton, 54, 68, 50, 14, "OK", true, kNoRadioGroup},
};

constexpr DialogTemplate kTemplates[] = {
    {CDlgWarnWav::kTemplateId, "Warning", 160, 97, kWarnWavControls,
     static_cast<int>(std::size(kWarnWavControls))},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int templateId) {
    for (const DialogTemplate& dialog : kTemplates)
        if (dialog.templateId == templateId) return &dialog;
    // The options dialog's template is kept beside its page tables, which place its controls.
    if (templateId == OptionDialogTemplate().templateId) return &OptionDialogTemplate();
    return nullptr;
}

}  // namespace velmora2
