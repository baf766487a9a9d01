// The user at the options dialog shown on the fake view: clicks, check boxes that toggle
// themselves, list choices, tab changes and typing, each arriving as the shown dialog gets them.
#pragma once

#include <functional>
#include <string>

#include "dialogs/CDlgOption.h"
#include "dialogs/OptionLayout.h"
#include "tests/support/FakeDialog.h"

namespace velmora2::testing {

struct OptionsUser {
    CDlgOption& dialog;
    FakeDialogView& view;
    FakeDialogServices& services;

    void Click(int id) { dialog.OnCommand(id, services); }
    void Toggle(int id) {
        view.SetCheck(id, !view.IsChecked(id));
        Click(id);
    }
    void Choose(int list, int item) {
        view.SelectItem(list, item);
        dialog.OnNotify(list, ControlNotification::CloseUp, services);
    }
    void Page(int page) {
        view.SelectItem(opt::kTabs, page - 1);
        dialog.OnNotify(opt::kTabs, ControlNotification::SelectionChanged, services);
    }
    void Type(int id, const std::string& text) { view.SetText(id, text); }
    void PressOk() { Click(kIdOk); }
};

// From now on every opening of the options dialog is handed to the actions.
inline void AnswerOptions(FakeDialogServices& services, std::function<void(OptionsUser&)> actions) {
    services.AnswerModal(CDlgOption::kTemplateId,
                         [&services, actions](ModalDialog& shown, FakeDialogView& view) {
                             OptionsUser user{static_cast<CDlgOption&>(shown), view, services};
                             if (actions) actions(user);
                         });
}

}  // namespace velmora2::testing
