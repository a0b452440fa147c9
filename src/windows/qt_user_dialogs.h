#pragma once

#include <QFileDialog>
#include <memory>

#include "commands/user_dialogs.h"

namespace kalven {

// Qt's file dialog set up as the commands ask for it, not yet shown.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogOptions& options,
                                            QFileDialog::AcceptMode mode);

// The real dialogs of the desktop: QMessageBox, QFileDialog, QPrintDialog, QColorDialog.
class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const QString& text, MessageKind kind) override;
    bool askYesNo(const QString& text, MessageKind kind) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    bool printerSetup(QPrinter& printer) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    bool runModal(QDialog& dialog) override;
    void runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task) override;

private:
    QWidget* parent_;
};

}  // namespace kalven
