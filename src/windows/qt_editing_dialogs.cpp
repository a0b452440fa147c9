#include "windows/qt_editing_dialogs.h"

#include "commands/user_dialogs.h"
#include "windows/Unit10_title.h"
#include "windows/Unit12_coor_Teren.h"
#include "windows/Unit1_mirt_dlzka.h"
#include "windows/base_joint_dialog.h"
#include "windows/dxf_import_dialog.h"
#include "windows/unit13_dir.h"
#include "windows/unit5_abcKavern.h"

namespace kalven {

QtEditingDialogs::QtEditingDialogs(ProjectData& data, UserDialogs& dialogs, QWidget* parent)
    : data_(data), dialogs_(dialogs), parent_(parent)
{
}

bool QtEditingDialogs::editLength()
{
    TForm1_dlzka dialog(data_, dialogs_, parent_);
    return dialogs_.runModal(dialog);
}

void QtEditingDialogs::editTitle()
{
    Ttitle dialog(data_, parent_);
    dialogs_.runModal(dialog);
}

void QtEditingDialogs::editAreaData()
{
    Tabc_kavern dialog(data_, parent_);
    dialogs_.runModal(dialog);
}

void QtEditingDialogs::editCorrection()
{
    Tcoor_teren dialog(data_, parent_);
    dialogs_.runModal(dialog);
}

void QtEditingDialogs::editDirectory()
{
    Tmirt_dir dialog(data_, dialogs_, parent_);
    dialogs_.runModal(dialog);
}

std::optional<DxfImportOptions> QtEditingDialogs::chooseDxfImport(const DxfDrawing& drawing)
{
    Tdxf_import dialog(drawing, data_, parent_);
    if (!dialogs_.runModal(dialog))
        return std::nullopt;
    return dialog.options();
}

BaseJointChoice QtEditingDialogs::editBaseJoint()
{
    Tbase_joint dialog(data_, dialogs_, parent_);
    if (!dialogs_.runModal(dialog))
        return {};
    return dialog.choice();
}

}  // namespace kalven
