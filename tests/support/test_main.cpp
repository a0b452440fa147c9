// Every test binary runs with the program's own application (and its general error report)
// on the offscreen platform; reported errors are recorded instead of shown.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "windows/kalven_application.h"
#include "support/error_reports.h"

namespace kalven::testing {

std::vector<QString>& ReportedErrors()
{
    static std::vector<QString> errors;
    return errors;
}

}  // namespace kalven::testing

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    kalven::KalvenApplication app(argc, argv);
    app.setReporter([](const QString& text) { kalven::testing::ReportedErrors().push_back(text); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
