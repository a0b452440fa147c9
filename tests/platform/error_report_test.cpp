#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <stdexcept>

#include "support/error_reports.h"

namespace kalven {
namespace {

class FailingHandler : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Invalid numeric input");
        }
        return QObject::event(event);
    }
};

TEST(GeneralErrorReport, ShowsTheErrorOfAHandlerAndGoesOnWithTheNextEvent)
{
    testing::ReportedErrors().clear();
    FailingHandler handler;
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&handler, &first);
    QEvent second(QEvent::User);
    QCoreApplication::sendEvent(&handler, &second);
    EXPECT_EQ(handler.handled, 2);
    ASSERT_EQ(testing::ReportedErrors().size(), 2u);
    EXPECT_EQ(testing::ReportedErrors()[0], QStringLiteral("Invalid numeric input"));
}

}  // namespace
}  // namespace kalven
