// A dialog view without a display: it keeps the state of every control by id, so a dialog runs
// and reads back its own controls as on a real window. Used by the headless measurement command
// and by tests, which also inspect the controls afterwards.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "dialogs/DialogView.h"

namespace velmora2 {

// One control as the dialog left it. A control never touched has these values.
struct ControlState {
    bool enabled = true;
    bool checked = false;
    int lower = 0;
    int upper = 0;
    int position = 0;
    std::string text;
    bool visible = true;
    PixelRect place;
    std::vector<std::string> items;
    int selected = -1;
};

class MemoryDialogView final : public DialogView {
public:
    void Enable(int id, bool enabled) override { controls_[id].enabled = enabled; }
    bool IsEnabled(int id) const override { return Control(id).enabled; }
    void SetCheck(int id, bool checked) override { controls_[id].checked = checked; }
    bool IsChecked(int id) const override { return Control(id).checked; }
    void SetSpinRange(int id, int lower, int upper) override;
    void SetSpinPosition(int id, int position) override { controls_[id].position = position; }
    int SpinPosition(int id) const override { return Control(id).position; }
    void SetText(int id, const std::string& utf8) override { controls_[id].text = utf8; }
    std::string Text(int id) const override { return Control(id).text; }
    void Show(int id, bool visible) override { controls_[id].visible = visible; }
    void Move(int id, const PixelRect& place) override { controls_[id].place = place; }
    void SetFocus(int id) override { focus_ = id; }
    void AddItem(int id, const std::string& utf8) override { controls_[id].items.push_back(utf8); }
    void SelectItem(int id, int index) override { controls_[id].selected = index; }
    int SelectedItem(int id) const override { return Control(id).selected; }

    const ControlState& Control(int id) const;
    // Whether the dialog has touched the control at all.
    bool Touched(int id) const { return controls_.count(id) != 0; }
    // The control that last received the focus, 0 before any.
    int Focus() const { return focus_; }

private:
    std::map<int, ControlState> controls_;
    int focus_ = 0;
};

}  // namespace velmora2
