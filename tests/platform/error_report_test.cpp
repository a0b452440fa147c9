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
    const struct {
        std::function<void()> command;
        std::vector<QString> shown;
    } cases[] = {
        {[] {}, {QStringLiteral("done")}},
        {[] { throw std::runtime_error("Cannot open file C:\\\xB0.rtf"); },
         {QStringLiteral("drawing"), QStringLiteral("Cannot open file C:\\\u00B0.rtf")}},
        {[] { throw 7; }, {QStringLiteral("drawing"), QStringLiteral("Unknown error")}},
    };
    for (const auto& c : cases) {
        Dialogs dialogs;
        RunReported(
            dialogs, [&] { c.command(), dialogs.shown.push_back(QStringLiteral("done")); },
            [&] { dialogs.shown.push_back(QStringLiteral("drawing")); });
        EXPECT_EQ(dialogs.shown, c.shown);
    }
}

}  // namespace
}  // namespace kalven
