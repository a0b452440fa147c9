// The Compute command of the main window.
#include "analysis/resultant.h"
#include "analysis/validation.h"
#include "windows/vstup1_wall.h"
#include "windows/drawing_image.h"
#include "commands/user_dialogs.h"
#include "platform/win1252.h"

namespace kalven {

void Tvstupy::Button1Click()
{
    if (!data_.Idle)
        return;
    if (!ValidateForCompute(data_)) {
        // A faulty area leaves the picture and the last results as they are.
        dialogs_.message(FromWin1252(data_.ValidationMessage), MessageKind::Warning);
        return;
    }
    Vypocet();
}

void Tvstupy::Vypocet()
{
    // A result that is not finite is refused: picture, results and Computed stay as they were.
    const bool computed =
        ComputeResultant(data_, canvas(), Image1_vstupy->image().width(), Image1_vstupy->image().height(), *this);
    if (!computed)
        dialogs_.message(FromWin1252(data_.ValidationMessage), MessageKind::Warning);
    else if (!data_.ValidationMessage.empty()) {
        // The results stay drawn behind the warning.
        showDrawing();
        dialogs_.message(FromWin1252(data_.ValidationMessage), MessageKind::Warning);
    }
}

}  // namespace kalven
