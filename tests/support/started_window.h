#pragma once
// A main window started in a fresh working folder with the delivered kalven1.cfg, with scripted
// answers for everything that waits on a person; and the windows and widgets the tests reach into.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <sys/stat.h>
#include <functional>

#include "windows/vstup1_wall.h"
#include "windows/Unit10_title.h"
#include "windows/Unit12_coor_Teren.h"
#include "windows/Unit15_help1.h"
#include "windows/Unit16_about1.h"
#include "windows/Unit1_mirt_dlzka.h"
#include "windows/Unit2_Help_Area.h"
#include "windows/drawing_image.h"
#include "windows/dxf_import_dialog.h"
#include "windows/numeric_grid.h"
#include "windows/radio_group.h"
#include "windows/unit13_dir.h"
#include "windows/unit14_color.h"
#include "windows/unit3_print_text.h"
#include "windows/unit5_abcKavern.h"
#include "support/image_checks.h"
#include "support/load_area_fixture.h"
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
