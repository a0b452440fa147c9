#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/error_report.h"
#include "support/fake_user_dialogs.h"

namespace kalven {
namespace {

// Records the messages among the steps of the command.
struct Dialogs : testing::FakeUserDialogs {
    std::vector<QString> shown;
    void message(const QString& text, MessageKind kind) override
    {
        EXPECT_EQ(kind, MessageKind::Error);
        shown.push_back(text);
    }
};

TEST(GeneralErrorReport, ShowsTheErrorsTextAsAnErrorAfterTheDrawing)
{
    const std::pair<std::function<void()>, std::vector<QString>> cases[] = {
        {[] {}, {"done"}},
        {[] { throw std::runtime_error("Cannot open file C:\\\xB0.rtf"); },
         {"drawing", QStringLiteral("Cannot open file C:\\\u00B0.rtf")}},
        {[] { throw 7; }, {"drawing", "Unknown error"}},
    };
    for (const auto& [command, shown] : cases) {
        Dialogs dialogs;
        RunReported(
            dialogs, [&] { command(), dialogs.shown.push_back("done"); }, [&] { dialogs.shown.push_back("drawing"); });
        EXPECT_EQ(dialogs.shown, shown);
    }
}

}  // namespace
}  // namespace kalven
