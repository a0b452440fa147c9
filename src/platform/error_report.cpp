#include "platform/error_report.h"

#include <exception>

#include "commands/user_dialogs.h"
#include "core/win1252.h"

namespace kalven {

void RunReported(UserDialogs& dialogs, const std::function<void()>& command, const std::function<void()>& beforeReport)
{
    QString text;
    try {
        command();
        return;
    } catch (const std::exception& error) {
        text = FromWin1252(error.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    if (beforeReport)
        beforeReport();
    dialogs.message(text, MessageKind::Error);
}

}  // namespace kalven
