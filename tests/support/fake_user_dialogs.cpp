#include "support/fake_user_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <utility>

#include "windows/qt_user_dialogs.h"

namespace kalven::testing {

QString ShownFileType(const FileDialogOptions& options)
{
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(nullptr, options, QFileDialog::AcceptOpen);
    const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    EXPECT_TRUE(types != nullptr && types->count() == 1);
    return types ? types->currentText() : QString();
}

void FakeUserDialogs::message(const QString& text, MessageKind kind)
{
    calls_.push_back({QStringLiteral("message"), text, kind, {}});
}

bool FakeUserDialogs::askYesNo(const QString& text, MessageKind kind)
{
    calls_.push_back({QStringLiteral("askYesNo"), text, kind, {}});
    if (yesNo_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = yesNo_.front();
    yesNo_.pop_front();
    return answer;
}

std::optional<QString> FakeUserDialogs::nextFile()
{
    // Kept as a flag and a text: GCC 12 at -O3 warns falsely on moving an optional QString out of a deque.
    const bool chosen = files_.front().has_value();
    const QString path = files_.front().value_or(QString());
    files_.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

std::optional<QString> FakeUserDialogs::openFileName(const FileDialogOptions& options)
{
    calls_.push_back({QStringLiteral("openFileName"), options.title, MessageKind::Plain, options});
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return std::nullopt;
    }
    return nextFile();
}

std::optional<QString> FakeUserDialogs::saveFileName(const FileDialogOptions& options)
{
    calls_.push_back({QStringLiteral("saveFileName"), options.title, MessageKind::Plain, options});
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    return nextFile();
}

bool FakeUserDialogs::printerSetup(QPrinter& /*printer*/)
{
    calls_.push_back({QStringLiteral("printerSetup"), {}, MessageKind::Plain, {}});
    if (printers_.empty()) {
        ADD_FAILURE() << "unexpected printer set-up";
        return false;
    }
    const bool answer = printers_.front();
    printers_.pop_front();
    return answer;
}

std::optional<std::uint32_t> FakeUserDialogs::chooseColor(std::uint32_t /*initial*/)
{
    calls_.push_back({QStringLiteral("chooseColor"), {}, MessageKind::Plain, {}});
    if (colors_.empty()) {
        ADD_FAILURE() << "unexpected colour chooser";
        return std::nullopt;
    }
    auto answer = colors_.front();
    colors_.pop_front();
    return answer;
}

bool FakeUserDialogs::runModal(QDialog& dialog)
{
    calls_.push_back({QStringLiteral("runModal"), dialog.windowTitle(), MessageKind::Plain, {}});
    if (modals_.empty())
        return false;
    auto fill = std::move(modals_.front());
    modals_.pop_front();
    return fill(dialog);
}

void FakeUserDialogs::runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task)
{
    calls_.push_back({QStringLiteral("progress"), text, MessageKind::Plain, {}});
    const std::optional<int> cancelAt = std::exchange(cancelAt_, std::nullopt);
    task([cancelAt](int permille) { return !cancelAt || permille < *cancelAt; });
}

std::vector<QString> FakeUserDialogs::messages() const
{
    std::vector<QString> texts;
    for (const auto& call : calls_) {
        if (call.what == QLatin1String("message"))
            texts.push_back(call.text);
    }
    return texts;
}

bool FakeUserDialogs::allAnswered() const
{
    return yesNo_.empty() && files_.empty() && printers_.empty() && colors_.empty() && modals_.empty();
}

}  // namespace kalven::testing
