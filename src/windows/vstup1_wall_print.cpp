// The text report and the graphic printout of the main window.
#include <QPrinter>

#include "windows/unit3_print_text.h"
#include "windows/vstup1_wall.h"
#include "windows/print_jobs.h"
#include "commands/user_dialogs.h"

namespace kalven {

QPrinter& Tvstupy::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void Tvstupy::Printgraphic1Click()
{
    if (!data_.Idle)
        return;
    if (!dialogs_.printerSetup(printer()))
        return;
    PrintGraphicPage(printer(), data_, palette());
}

void Tvstupy::Printtext1Click()
{
    if (!data_.Idle)
        return;
    Tprint_text report(data_, dialogs_, printer(), this);
    dialogs_.runModal(report);
}

}  // namespace kalven
