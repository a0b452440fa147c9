#include "commands/project_commands.h"

#include <exception>

#include "analysis/compute_sequence.h"
#include "commands/user_dialogs.h"
#include "core/config_file.h"
#include "core/file_names.h"
#include "core/project_file.h"
#include "core/text_file.h"
#include "core/win1252.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"

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
                                 StatusPanels& panels, CommandWindow& window)
    : data_(data), dialogs_(dialogs), editing_(editing), canvas_(canvas), panels_(panels), window_(window)
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
    if (!data_.Idle)
        return;
    if (!askToSave())
        return;
    ProjectReset(data_);
    Osnova();
}

void ProjectCommands::end()
{
    if (!data_.Idle)
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
    if (!data_.Idle)
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
        window_.setProjectCaption(*path);
        return true;
    }
    return false;
}

void ProjectCommands::open()
{
    if (!data_.Idle)
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
    data_ = loaded;
    window_.setProjectCaption(*path);
    Osnova();
    Kresli();
    if (endedEarly) {
        window_.showDrawing();
        dialogs_.message(QString::fromLatin1(kMsgFileEndsEarly), MessageKind::Warning);
    }
}

// ---- "&Dxf In": closed outlines of a CAD drawing become load areas

void ProjectCommands::dxfIn()
{
    if (!data_.Idle)
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
        ApplyDxfImport(plan, data_);
        Osnova();
        Kresli();
        window_.showDrawing();
    }
    dialogs_.message(FromWin1252(DxfImportSummary(plan)), MessageKind::Plain);
}

// ---- the dialogs that edit the project

void ProjectCommands::length()
{
    if (!data_.Idle)
        return;
    data_.LengthChanged = false;
    const bool accepted = editing_.editLength();
    // Only OK keeps a length change; the dialog forgets it on every other way out.
    if (accepted && data_.LengthChanged) {
        data_.Computed = false;
        ProjectReset(data_);
        Osnova();
        panels_.setPanelText(2, LengthStatusText(data_.AreaLength));
    }
}

void ProjectCommands::title()
{
    if (!data_.Idle)
        return;
    editing_.editTitle();
    // "Text" stands for a project without title, which the drawing leaves out.
    if (!(data_.Title == kDefaultTitle)) {
        Osnova();
        Kresli();
    }
}

void ProjectCommands::areaData()
{
    if (!data_.Idle)
        return;
    editing_.editAreaData();
}

void ProjectCommands::correction()
{
    if (!data_.Idle)
        return;
    const int area = window_.chosenArea();
    if (!data_.AreaUsed[area])
        return;
    data_.CorrectionArea = area;
    editing_.editCorrection();
    data_.Computed = false;
    Osnova();
    Kresli();
}

void ProjectCommands::directory()
{
    if (!data_.Idle)
        return;
    editing_.editDirectory();
    dialogDirectory_ = FileNameText(data_.InitialDir);
}

// ---- Compute

void ProjectCommands::compute()
{
    if (!data_.Idle)
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
    if (!data_.Idle || !ArmPolygonInput(data_, panels_, window_.chosenArea()))
        window_.releaseAreaButton();
}

void ProjectCommands::deleteArea()
{
    if (DeleteLoadArea(data_, window_.chosenArea())) {
        Osnova();
        Kresli();
    }
    window_.releaseDeleteButton();
}

void ProjectCommands::mouseMove(int x, int y)
{
    polygonInput().mouseMove(window_.chosenArea(), x, y);
}

void ProjectCommands::mouseDown(MouseButton button, int x, int y)
{
    polygonInput().mouseDown(button, x, y);
}

void ProjectCommands::mouseOverWindow()
{
    if (TakeAreaButtonRelease(data_))
        window_.releaseAreaButton();
}

}  // namespace kalven
