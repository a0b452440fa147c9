// The text report and the graphic printout of the main window.
#include <QPrinter>

#include "analysis/windows/unit3_print_text.h"
#include "core/windows/vstup1_wall.h"
#include "platform/print_jobs.h"
#include "platform/user_dialogs.h"

namespace kalven {

void Tvstupy::Printgraphic1Click()
{
    if (!data_.Idle)
        return;
    QPrinter& printer = ProgramPrinter();
    if (!dialogs_.printerSetup(printer))
        return;
    PrintGraphicPage(printer, data_, palette());
}

void Tvstupy::Printtext1Click()
{
    if (!data_.Idle)
        return;
    Tprint_text report(data_, dialogs_, this);
    dialogs_.runModal(report);
}

}  // namespace kalven
