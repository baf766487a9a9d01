// DialogView over real widgets, found by control id. Ids without a widget are ignored (and read
// as empty, unchecked and disabled), as the platform ignores calls on missing controls.
#pragma once

#include <map>

#include "dialogs/DialogView.h"

class QWidget;

namespace velmora2 {

class SpinButton;

class QtDialogView final : public DialogView {
public:
    void Add(int id, QWidget* widget);
    QWidget* Widget(int id) const;

    void Enable(int id, bool enabled) override;
    bool IsEnabled(int id) const override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetSpinRange(int id, int lower, int upper) override;
    void SetSpinPosition(int id, int position) override;
    int SpinPosition(int id) const override;
    void SetText(int id, const std::string& utf8) override;
    std::string Text(int id) const override;
    void Show(int id, bool visible) override;
    void Move(int id, const PixelRect& place) override;
    void SetFocus(int id) override;
    void AddItem(int id, const std::string& utf8) override;
    void SelectItem(int id, int index) override;
    int SelectedItem(int id) const override;

private:
    SpinButton* Spin(int id) const;

    std::map<int, QWidget*> widgets_;
};

}  // namespace velmora2
