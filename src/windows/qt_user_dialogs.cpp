#include "windows/qt_user_dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>

#include "core/program_name.h"

namespace kalven {

namespace {

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

QString captionOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Confirmation:
        return QStringLiteral("Confirm");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Plain:
        break;
    }
    return QString::fromLatin1(kProgramTitle);
}

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, options, mode);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogOptions& options,
                                            QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>(parent, options.title, options.directory);
    dialog->setAcceptMode(mode);
    // A typed name that does not exist comes back too: the command itself says it cannot be read.
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(options.defaultSuffix);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    dialog->setOption(QFileDialog::ReadOnly, false);
    // Qt reads the names to list from the last brackets of a filter and, with the details hidden,
    // shows only what stands before them: the label itself, brackets of its own included.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(options.filterLabel + QStringLiteral(" (") + options.filterPattern + QLatin1Char(')'));
    return dialog;
}

void QtUserDialogs::message(const QString& text, MessageKind kind)
{
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtUserDialogs::askYesNo(const QString& text, MessageKind kind)
{
    QMessageBox box(iconOf(kind), captionOf(kind), text, QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtUserDialogs::openFileName(const FileDialogOptions& options)
{
    return runFileDialog(parent_, options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtUserDialogs::saveFileName(const FileDialogOptions& options)
{
    return runFileDialog(parent_, options, QFileDialog::AcceptSave);
}

bool QtUserDialogs::printerSetup(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    // Both printouts print all they hold: the page, or every page of the report.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::uint32_t> QtUserDialogs::chooseColor(std::uint32_t initial)
{
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    QColorDialog dialog(start, parent_);
    // Qt's own chooser always shows its custom colours; a desktop's native one may hide them.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor c = dialog.selectedColor();
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

bool QtUserDialogs::runModal(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task)
{
    QProgressDialog dialog(text, QStringLiteral("Cancel"), 0, 1000, parent_);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);  // a quick task shows no window at all
    dialog.setAutoReset(false);
    // A modal progress window handles the events, Cancel among them, whenever its value is set.
    task([&dialog](int permille) {
        dialog.setValue(std::clamp(permille, 0, 1000));
        return !dialog.wasCanceled();
    });
}

}  // namespace kalven
