// Save, Open and the dialogs of the main window that edit project data.
#include "windows/vstup1_wall.h"

#include <QSpinBox>
#include <exception>

#include "core/config_file.h"
#include "core/project_file.h"
#include "core/text_file.h"
#include "windows/Unit10_title.h"
#include "windows/Unit12_coor_Teren.h"
#include "windows/unit5_abcKavern.h"
#include "commands/user_dialogs.h"
#include "platform/win1252.h"

namespace kalven {

namespace {

FileDialogOptions saveDialog1(const QString& directory)
{
    return {QStringLiteral("Save File"), QStringLiteral("Kalven File *.klv"), QStringLiteral("*.klv"),
            QStringLiteral("klv"), directory, true};
}

FileDialogOptions openDialog1(const QString& directory)
{
    return {QStringLiteral("Open File"), QStringLiteral("Kalven file (*.klv)"), QStringLiteral("*.klv"),
            QStringLiteral("klv"), directory, false};
}

}  // namespace

void Tvstupy::Save1Click()
{
    if (!data_.Idle)
        return;
    SaveProject();
}

bool Tvstupy::SaveProject()
{
    const std::optional<QString> path = dialogs_.saveFileName(saveDialog1(dialogDirectory()));
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
        setProjectCaption(*path);
        return true;
    }
    return false;
}

void Tvstupy::Open1Click()
{
    if (!data_.Idle)
        return;
    if (!askToSave())
        return;
    const std::optional<QString> path = dialogs_.openFileName(openDialog1(dialogDirectory()));
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
    setProjectCaption(*path);
    Osnova();
    Kresli();
    if (endedEarly) {
        showDrawing();
        dialogs_.message(QString::fromLatin1(kMsgFileEndsEarly), MessageKind::Warning);
    }
}

void Tvstupy::SpBu_Kavern_abcClick()
{
    if (!data_.Idle)
        return;
    Tabc_kavern dialog(data_, this);
    dialogs_.runModal(dialog);
}

void Tvstupy::Text1Click()
{
    if (!data_.Idle)
        return;
    Ttitle dialog(data_, this);
    dialogs_.runModal(dialog);
    // "Text" stands for a project without title, which the drawing leaves out.
    if (!(data_.Title == kDefaultTitle)) {
        Osnova();
        Kresli();
    }
}

void Tvstupy::Correctionterrain1Click()
{
    if (!data_.Idle)
        return;
    const int area = SpinEdit_kavern->value();
    if (!data_.AreaUsed[area])
        return;
    data_.CorrectionArea = area;
    Tcoor_teren dialog(data_, this);
    dialogs_.runModal(dialog);
    data_.Computed = false;
    Osnova();
    Kresli();
}

}  // namespace kalven
