// "&Dxf In": closed outlines of a CAD drawing become load areas.
#include "windows/vstup1_wall.h"

#include "core/dxf_import.h"
#include "core/text_file.h"
#include "windows/dxf_import_dialog.h"
#include "commands/user_dialogs.h"
#include "platform/win1252.h"

namespace kalven {

void Tvstupy::DxfIn1Click()
{
    if (!data_.Idle)
        return;
    FileDialogOptions options;
    options.title = QStringLiteral("Dxf In");
    options.filterLabel = QStringLiteral("Dxf file (*.dxf)");
    options.filterPattern = QStringLiteral("*.dxf");
    options.defaultSuffix = QStringLiteral("dxf");
    options.directory = dialogDirectory();
    const std::optional<QString> path = dialogs_.openFileName(options);
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
        dialogs_.message(ReadRefusalText(*path, ReadFailure::NotRegularFile, static_cast<std::size_t>(kMaxDxfFileBytes)), MessageKind::Plain);
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

    Tdxf_import dialog(read.drawing, data_, this);
    if (!dialogs_.runModal(dialog))
        return;
    const DxfImportPlan plan = PlanDxfImport(read.drawing, dialog.options(), data_);
    if (plan.chosenOutlines == 0) {
        dialogs_.message(QString::fromLatin1(kMsgDxfNoOutlineChosen), MessageKind::Plain);
        return;
    }
    if (!plan.areas.empty()) {
        ApplyDxfImport(plan, data_);
        Osnova();
        Kresli();
        showDrawing();
    }
    dialogs_.message(FromWin1252(DxfImportSummary(plan)), MessageKind::Plain);
}

}  // namespace kalven
