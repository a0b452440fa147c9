// KALVEN: the resultant of a plane force system made of area loads.
#include <QApplication>

#include "core/program_name.h"
#include "windows/qt_user_dialogs.h"
#include "windows/vstup1_wall.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kalven::kProgramTitle));
    // Every message, the general error report among them, is a box over the main window.
    kalven::QtUserDialogs dialogs;
    kalven::Tvstupy window(dialogs);
    dialogs.setParent(&window);
    if (!window.FormCreate(kalven::Tvstupy::Showing::Maximised))
        return 1;
    return QApplication::exec();
}
