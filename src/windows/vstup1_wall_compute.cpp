// The Compute command of the main window.
#include "analysis/compute_sequence.h"
#include "windows/vstup1_wall.h"
#include "windows/drawing_image.h"
#include "commands/user_dialogs.h"
#include "platform/win1252.h"

namespace kalven {

void Tvstupy::Button1Click()
{
    if (!data_.Idle)
        return;
    Vypocet();
}

void Tvstupy::Vypocet()
{
    // A refused run leaves the picture and the last results as they are.
    const ComputeRun run =
        RunCompute(data_, canvas(), Image1_vstupy->image().width(), Image1_vstupy->image().height(), *this);
    if (run.outcome == ComputeOutcome::OffDesktop)
        showDrawing();  // the results stay drawn behind the warning
    if (!run.message.empty())
        dialogs_.message(FromWin1252(run.message), MessageKind::Warning);
}

}  // namespace kalven
