#include "windows/kalven_application.h"

#include <QMessageBox>
#include <exception>

#include "core/program_name.h"
#include "platform/win1252.h"

namespace kalven {

KalvenApplication::KalvenApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    reporter_ = [](const QString& text) {
        QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kProgramTitle), text, QMessageBox::Ok);
        box.exec();
    };
}

bool KalvenApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reporter_(FromWin1252(error.what()));
    } catch (...) {
        reporter_(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace kalven
