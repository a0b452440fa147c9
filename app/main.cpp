// KALVEN: the resultant of a plane force system made of area loads.
#include "core/program_name.h"
#include "windows/vstup1_wall.h"
#include "windows/kalven_application.h"
#include "windows/qt_user_dialogs.h"

int main(int argc, char** argv)
{
    kalven::KalvenApplication app(argc, argv);
    kalven::KalvenApplication::setApplicationName(QString::fromLatin1(kalven::kProgramTitle));
    kalven::QtUserDialogs dialogs;
    kalven::Tvstupy window(dialogs);
    dialogs.setParent(&window);
    if (!window.FormCreate(kalven::Tvstupy::Showing::Maximised))
        return 1;
    return kalven::KalvenApplication::exec();
}
