// The colour settings, the help windows and the about window of the main window.
#include "windows/vstup1_wall.h"

#include "windows/Unit15_help1.h"
#include "windows/Unit16_about1.h"
#include "windows/Unit2_Help_Area.h"
#include "windows/unit14_color.h"
#include "commands/user_dialogs.h"

namespace kalven {

void Tvstupy::SetColor1Click()
{
    if (!data_.Idle)
        return;
    // Created once, after the configuration has been read, and only hidden when closed.
    if (!mirt_color)
        mirt_color = new Tmirt_color(data_, dialogs_, this);
    dialogs_.runModal(*mirt_color);
}

void Tvstupy::Caverns1Click()
{
    data_.HelpTopic = kLoadAreaTopic;
    THelp_Load_area window(this);
    dialogs_.runModal(window);
}

void Tvstupy::Directory_Content1Click()
{
    data_.HelpTopic = kDirectoryTopic;
    Tunit15_help viewer(kDirectoryTopic, data_.StartDir, dialogs_, this);
    dialogs_.runModal(viewer);
}

void Tvstupy::Theory1Click()
{
    data_.HelpTopic = kTheoryTopic;
    Tunit15_help viewer(kTheoryTopic, data_.StartDir, dialogs_, this);
    dialogs_.runModal(viewer);
}

void Tvstupy::About1Click()
{
    Tabout window(this);
    dialogs_.runModal(window);
}

}  // namespace kalven
