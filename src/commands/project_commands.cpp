#include "commands/project_commands.h"

#include <QFileInfo>
#include <exception>

#include "analysis/compute_sequence.h"
#include "commands/edit_history.h"
#include "commands/user_dialogs.h"
#include "core/config_file.h"
#include "core/file_names.h"
#include "core/project_file.h"
#include "core/text_file.h"
#include "core/win1252.h"
#include "drawing/fixed_colors.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

FileDialogOptions saveDialog1(const QString& directory)
{
    return {QStringLiteral("Save File"),
            QStringLiteral("Kalven File *.klv"),
            QStringLiteral("*.klv"),
            QStringLiteral("klv"),
            directory,
            true};
}

FileDialogOptions openDialog1(const QString& directory)
{
    return {QStringLiteral("Open File"),
            QStringLiteral("Kalven file (*.klv)"),
            QStringLiteral("*.klv"),
            QStringLiteral("klv"),
            directory,
            false};
}

FileDialogOptions dxfDialog(const QString& directory)
{
    return {QStringLiteral("Dxf In"),
            QStringLiteral("Dxf file (*.dxf)"),
            QStringLiteral("*.dxf"),
            QStringLiteral("dxf"),
            directory,
            false};
}

}  // namespace

ProjectCommands::ProjectCommands(ProjectData& data, UserDialogs& dialogs, EditingDialogs& editing, Canvas& canvas,
                                 StatusPanels& panels, CommandWindow& window, EditHistory& history)
    : data_(data), dialogs_(dialogs), editing_(editing), canvas_(canvas), panels_(panels), window_(window),
      history_(history)
{
}

void ProjectCommands::Osnova()
{
    const QSize size = window_.drawingSize();
    DrawRaster(canvas_, data_, size.width(), size.height(), panels_);
}

void ProjectCommands::Kresli()
{
    const QSize size = window_.drawingSize();
    DrawLoadAreas(canvas_, data_, size.width(), size.height());
}

// ---- the project file and the questions before a project is thrown away

bool ProjectCommands::askToSave()
{
    if (dialogs_.askYesNo(QStringLiteral("Save current file ?"), MessageKind::Warning))
        return saveProject();
    return true;
}

void ProjectCommands::newProject()
{
    if (!startCommand())
        return;
    if (!askToSave())
        return;
    const Snapshot before = snapshot();
    ProjectReset(data_);
    Osnova();
    record(QStringLiteral("New"), before);
}

void ProjectCommands::end()
{
    if (!startCommand())
        return;
    if (!dialogs_.askYesNo(QStringLiteral("End. Are you sure ?"), MessageKind::Confirmation))
        return;
    if (!askToSave())
        return;
    window_.endProgram();
}

bool ProjectCommands::mayClose()
{
    if (!dialogs_.askYesNo(QStringLiteral("End. Are you sure ?"), MessageKind::Confirmation))
        return false;
    return askToSave();
}

void ProjectCommands::save()
{
    if (!startCommand())
        return;
    saveProject();
}

bool ProjectCommands::saveProject()
{
    const std::optional<QString> path = dialogs_.saveFileName(saveDialog1(dialogDirectory_));
    if (!path)
        return true;
    // The whole file is written to a temporary file first, so a failure leaves an earlier file
    // of that name as it was, and the caption still names the project's last good file.
    switch (WriteTextFile(*path, FormatProjectFile(data_))) {
    case WriteResult::NotCreatable:
        dialogs_.message(QString::fromLatin1(kMsgFileOutputError), MessageKind::Plain);
        return false;
    case WriteResult::WriteFailed:
        dialogs_.message(QString::fromLatin1(kMsgFileWriteFailed), MessageKind::Error);
        return false;
    case WriteResult::Written:
        projectPath_ = *path;
        window_.setProjectCaption(*path);
        return true;
    }
    return false;
}

void ProjectCommands::open()
{
    if (!startCommand())
        return;
    if (!askToSave())
        return;
    const std::optional<QString> path = dialogs_.openFileName(openDialog1(dialogDirectory_));
    if (!path)
        return;
    const FileRead read = ReadBoundedFile(*path, kProjectFileLimit);
    if (read.failure == ReadFailure::NotRegularFile || read.failure == ReadFailure::TooLarge) {
        dialogs_.message(ReadRefusalText(*path, read.failure, kProjectFileLimit), MessageKind::Error);
        return;
    }
    if (!read.bytes) {
        dialogs_.message(QString::fromLatin1(kMsgFileInputError), MessageKind::Plain);
        return;
    }
    // The file is read beside the open project, which is replaced only when all of it was read:
    // a damaged file leaves the project, the caption and the drawing as they were.
    ProjectData loaded;
    bool endedEarly = false;
    try {
        loaded = ReadProjectFile(*read.bytes, data_, &endedEarly);
    } catch (const std::exception& error) {
        dialogs_.message(FromWin1252(error.what()), MessageKind::Error);
        return;
    }
    const Snapshot before = snapshot();
    data_ = loaded;
    projectPath_ = *path;
    window_.setProjectCaption(*path);
    Osnova();
    Kresli();
    record(QStringLiteral("Open %1").arg(QFileInfo(*path).fileName()), before);
    if (endedEarly) {
        window_.showDrawing();
        dialogs_.message(QString::fromLatin1(kMsgFileEndsEarly), MessageKind::Warning);
    }
}

// ---- "&Dxf In": closed outlines of a CAD drawing become load areas

void ProjectCommands::dxfIn()
{
    if (!startCommand())
        return;
    const std::optional<QString> path = dialogs_.openFileName(dxfDialog(dialogDirectory_));
    if (!path)
        return;

    DxfReadResult read;
    dialogs_.runWithProgress(QString::fromLatin1(kMsgDxfReading),
                             [&](const ProgressReport& report) { read = ReadDxfFile(*path, report); });
    // A cancelled reading changes nothing and needs no word.
    if (read.status == DxfReadStatus::Cancelled)
        return;
    if (read.status == DxfReadStatus::TooLarge) {
        dialogs_.message(QString::fromLatin1(kMsgDxfTooLarge).arg(*path), MessageKind::Plain);
        return;
    }
    if (read.status == DxfReadStatus::NotRegularFile) {
        dialogs_.message(
            ReadRefusalText(*path, ReadFailure::NotRegularFile, static_cast<std::size_t>(kMaxDxfFileBytes)),
            MessageKind::Plain);
        return;
    }
    if (read.status != DxfReadStatus::Read) {
        const char* text = read.status == DxfReadStatus::Unreadable ? kMsgDxfUnreadable
                           : read.status == DxfReadStatus::Binary   ? kMsgDxfBinary
                                                                    : kMsgDxfDamaged;
        dialogs_.message(QString::fromLatin1(text), MessageKind::Plain);
        return;
    }
    if (read.drawing.outlines.empty()) {
        const DxfImportPlan all = PlanDxfImport(read.drawing, DefaultImportOptions(read.drawing), data_);
        dialogs_.message(FromWin1252(kMsgDxfNoOutline + DxfRefusalLines(all)), MessageKind::Plain);
        return;
    }

    const std::optional<DxfImportOptions> options = editing_.chooseDxfImport(read.drawing);
    if (!options)
        return;
    const DxfImportPlan plan = PlanDxfImport(read.drawing, *options, data_);
    if (plan.chosenOutlines == 0) {
        dialogs_.message(QString::fromLatin1(kMsgDxfNoOutlineChosen), MessageKind::Plain);
        return;
    }
    if (!plan.areas.empty()) {
        const Snapshot before = snapshot();
        ApplyDxfImport(plan, data_);
        Osnova();
        Kresli();
        record(QStringLiteral("Dxf In"), before);
        window_.showDrawing();
    }
    dialogs_.message(FromWin1252(DxfImportSummary(plan)), MessageKind::Plain);
}

// ---- the dialogs that edit the project

void ProjectCommands::length()
{
    if (!startCommand())
        return;
    const Snapshot before = snapshot();
    data_.LengthChanged = false;
    const bool accepted = editing_.editLength();
    // Only OK keeps a length change; the dialog forgets it on every other way out.
    if (accepted && data_.LengthChanged) {
        data_.Computed = false;
        ProjectReset(data_);
        Osnova();
        panels_.setPanelText(2, LengthStatusText(data_.AreaLength));
    }
    record(QStringLiteral("Length + Rounding"), before);
}

void ProjectCommands::title()
{
    if (!startCommand())
        return;
    const Snapshot before = snapshot();
    editing_.editTitle();
    // "Text" stands for a project without title, which the drawing leaves out.
    if (!(data_.Title == kDefaultTitle)) {
        Osnova();
        Kresli();
    }
    record(QStringLiteral("Title"), before);
}

void ProjectCommands::areaData()
{
    if (!startCommand())
        return;
    const Snapshot before = snapshot();
    editing_.editAreaData();
    record(QStringLiteral("Load area data"), before);
}

void ProjectCommands::correction()
{
    if (!startCommand())
        return;
    const int area = window_.chosenArea();
    if (!data_.AreaUsed[area])
        return;
    data_.CorrectionArea = area;
    const Snapshot before = snapshot();
    editing_.editCorrection();
    data_.Computed = false;
    Osnova();
    Kresli();
    record(QStringLiteral("Correction of area %1").arg(area), before);
}

void ProjectCommands::directory()
{
    if (!startCommand())
        return;
    editing_.editDirectory();
    dialogDirectory_ = FileNameText(data_.InitialDir);
}

// ---- the base joint

void ProjectCommands::baseJoint()
{
    if (!startCommand())
        return;
    const BaseJointChoice choice = editing_.editBaseJoint();
    switch (choice.action) {
    case BaseJointChoice::Action::Cancel:
        return;
    case BaseJointChoice::Action::Set:
        setJoint(choice.joint);
        return;
    case BaseJointChoice::Action::Remove:
        setJoint(BaseJoint{});
        return;
    case BaseJointChoice::Action::Pick:
        // Every other command waits until B is picked or the picking is given up.
        pickedJoint_ = BaseJoint{true, 0, 0, 0, 0, choice.joint.Mu};
        jointPick_ = JointPick::A;
        data_.Idle = false;
        showPanel3(kJointPickHint);
        return;
    }
}

void ProjectCommands::setJoint(const BaseJoint& joint)
{
    const Snapshot before = snapshot();
    data_.Joint = joint;
    data_.Computed = false;
    Osnova();
    Kresli();
    record(QStringLiteral("Base joint"), before);
}

void ProjectCommands::pickJointPoint()
{
    const double x = data_.CursorX;
    const double y = data_.CursorY;
    if (jointPick_ == JointPick::A) {
        pickedJoint_.X1 = x;
        pickedJoint_.Y1 = y;
        jointPick_ = JointPick::B;
        markJointA();
        showPanel3(kJointPickHint);
        return;
    }
    if (x == pickedJoint_.X1 && y == pickedJoint_.Y1) {
        showPanel3("B is the point A: click B somewhere else; Esc cancels");
        return;
    }
    pickedJoint_.X2 = x;
    pickedJoint_.Y2 = y;
    jointPick_ = JointPick::Off;
    data_.Idle = true;
    showPanel3("");
    setJoint(pickedJoint_);
}

void ProjectCommands::markJointA()
{
    const QSize size = window_.drawingSize();
    const PixelPoint p =
        VertexPixel(pickedJoint_.X1, pickedJoint_.Y1, Scale(size.width(), data_.AreaLength), size.height());
    canvas_.setPenMode(PenMode::NotXor);
    canvas_.setPenColor(kRed);
    canvas_.setPenWidth(1);
    canvas_.setBrushColor(kRed);
    canvas_.ellipse(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
    canvas_.setPenMode(PenMode::Copy);
}

// ---- Compute

void ProjectCommands::compute()
{
    if (!startCommand())
        return;
    Vypocet();
}

void ProjectCommands::Vypocet()
{
    // A refused run leaves the picture and the last results as they are.
    const QSize size = window_.drawingSize();
    const ComputeRun run = RunCompute(data_, canvas_, size.width(), size.height(), panels_);
    if (run.outcome == ComputeOutcome::OffDesktop)
        window_.showDrawing();  // the results stay drawn behind the warning
    if (!run.message.empty())
        dialogs_.message(FromWin1252(run.message), MessageKind::Warning);
}

// ---- polygon input

PolygonInput ProjectCommands::polygonInput()
{
    const QSize size = window_.drawingSize();
    return PolygonInput(data_, canvas_, panels_, size.width(), size.height(), bandAnchor_, bandEnd_);
}

void ProjectCommands::armArea()
{
    // While input is under way, or for an area in use, the button only comes up again.
    if (!data_.Idle) {
        window_.releaseAreaButton();
        return;
    }
    const int area = window_.chosenArea();
    const Snapshot before = snapshot();
    if (!ArmPolygonInput(data_, panels_, area)) {
        window_.releaseAreaButton();
        showPanel3("Area " + std::to_string(area) + " is in use: delete it first");
        return;
    }
    inputBefore_ = before;
    showPanel3(kInputHint);
}

void ProjectCommands::deleteArea()
{
    const int area = window_.chosenArea();
    const Snapshot before = snapshot();
    if (DeleteLoadArea(data_, area)) {
        showPanel3("");
        Osnova();
        Kresli();
        record(QStringLiteral("Delete area %1").arg(area), before);
    }
    window_.releaseDeleteButton();
}

void ProjectCommands::mouseMove(int x, int y)
{
    polygonInput().mouseMove(window_.chosenArea(), x, y);
}

void ProjectCommands::mouseDown(MouseButton button, int x, int y)
{
    if (pickingJoint()) {
        if (button == MouseButton::Left)
            pickJointPoint();
        return;
    }
    const int area = data_.CurrentArea;
    switch (polygonInput().mouseDown(button, x, y)) {
    case ClickOutcome::Ignored:
        break;
    case ClickOutcome::Placed:
        showPanel3(kInputHint);
        break;
    case ClickOutcome::OnRightEdge:
        showPanel3("On or past the right edge: pick a point left of it");
        break;
    case ClickOutcome::TooManyPoints:
        showPanel3(std::to_string(kMaxPickedVertices) + " points at most: close with the right button");
        break;
    case ClickOutcome::Closed:
        showPanel3("");
        record(QStringLiteral("Draw area %1").arg(area), inputBefore_);
        break;
    }
}

void ProjectCommands::cancelInput()
{
    if (pickingJoint()) {
        if (jointPick_ == JointPick::B)
            markJointA();
        jointPick_ = JointPick::Off;
        data_.Idle = true;
        showPanel3("");
        return;
    }
    if (data_.InputMode != kInputModeLoadArea)
        return;
    PutContent(data_, inputBefore_.content);
    data_.InputMode = 0;
    data_.PolygonStarted = false;
    data_.Idle = true;
    Osnova();
    Kresli();
    panels_.setPanelText(1, " ");
    showPanel3("");
    window_.releaseAreaButton();
}

void ProjectCommands::removeLastVertex()
{
    if (jointPick_ == JointPick::B) {
        markJointA();
        jointPick_ = JointPick::A;
        showPanel3(kJointPickHint);
        return;
    }
    if (polygonInput().removeLastVertex())
        showPanel3(kInputHint);
}

void ProjectCommands::mouseOverWindow()
{
    if (TakeAreaButtonRelease(data_))
        window_.releaseAreaButton();
}

// ---- undo and redo

void ProjectCommands::undo()
{
    if (startCommand())
        history_.undo();
}

void ProjectCommands::redo()
{
    if (startCommand())
        history_.redo();
}

ProjectCommands::Snapshot ProjectCommands::snapshot() const
{
    return {TakeContent(data_), projectPath_};
}

void ProjectCommands::record(const QString& name, const Snapshot& before)
{
    Snapshot after = snapshot();
    if (after == before)
        return;
    const bool withPath = after.path != before.path;
    history_.add(
        name, [this, before, withPath] { restore(before, withPath); },
        [this, after = std::move(after), withPath] { restore(after, withPath); });
}

void ProjectCommands::restore(const Snapshot& to, bool withPath)
{
    PutContent(data_, to.content);
    data_.Computed = false;
    if (withPath) {
        projectPath_ = to.path;
        window_.setProjectCaption(to.path);
    }
    Osnova();
    Kresli();
}

bool ProjectCommands::startCommand()
{
    if (!data_.Idle)
        return false;
    showPanel3("");
    return true;
}

void ProjectCommands::showPanel3(const std::string& text)
{
    if (text == panel3_)
        return;
    panel3_ = text;
    panels_.setPanelText(3, text);
}

}  // namespace kalven
