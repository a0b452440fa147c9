// The text report and the graphic printout of the main window.
#include <QPrinter>

#include "windows/unit3_print_text.h"
#include "windows/vstup1_wall.h"
#include "windows/print_jobs.h"
#include "commands/user_dialogs.h"

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
