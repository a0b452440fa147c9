#pragma once
// The editing dialogs of the main window's commands, as real modal dialogs.

#include "commands/project_commands.h"

class QWidget;

namespace kalven {

class UserDialogs;

class QtEditingDialogs : public EditingDialogs {
public:
    QtEditingDialogs(ProjectData& data, UserDialogs& dialogs, QWidget* parent);

    bool editLength() override;
    void editTitle() override;
    void editAreaData() override;
    void editCorrection() override;
    void editDirectory() override;
    std::optional<DxfImportOptions> chooseDxfImport(const DxfDrawing& drawing) override;
    BaseJointChoice editBaseJoint() override;

private:
    ProjectData& data_;
    UserDialogs& dialogs_;
    QWidget* parent_;
};

}  // namespace kalven
