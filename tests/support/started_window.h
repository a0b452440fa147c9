#pragma once
// A main window started in a fresh working folder with the delivered kalven1.cfg, with scripted
// answers for everything that waits on a person.

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>

#include "windows/vstup1_wall.h"
#include "support/fake_user_dialogs.h"
#include "support/working_folder.h"

namespace kalven::testing {

// Queues what the person does in the next modal dialog, which must be a D; the dialog is shown
// first and its own buttons close it.
template <typename D> void AnswerDialog(FakeUserDialogs& dialogs, std::function<void(D&)> act)
{
    dialogs.answerModal([act](QDialog& dialog) {
        auto* typed = dynamic_cast<D*>(&dialog);
        EXPECT_NE(typed, nullptr);
        if (typed) {
            typed->show();
            act(*typed);
        }
        return dialog.result() == QDialog::Accepted;
    });
}

struct StartedWindow {
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window{dialogs};
    StartedWindow() { EXPECT_TRUE(window.FormCreate()); }
    template <typename D> void inDialog(std::function<void(D&)> act) { AnswerDialog<D>(dialogs, std::move(act)); }
};

}  // namespace kalven::testing
