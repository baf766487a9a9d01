// The warning that a generator WAV file cannot be found: the name as the user stored it, then
// the advice to put the file in the program's directory. Closed with OK or Escape.
#pragma once

#include <string>

#include "dialogs/DialogView.h"

namespace velmora2 {

class CDlgWarnWav final : public ModalDialog {
public:
    static constexpr int kTemplateId = 138;
    static constexpr int kFileNameText = 1023;

    explicit CDlgWarnWav(std::string fileName) : fileName_(std::move(fileName)) {}

    int TemplateId() const override { return kTemplateId; }
    void OnInitDialog(DialogView& view, DialogServices& services) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace velmora2
