// Raster and load-area drawing, polygon input, deletion and the length dialog of the main window.
#include "windows/vstup1_wall.h"

#include <QSpinBox>
#include <QToolButton>

#include "drawing/load_areas.h"
#include "drawing/polygon_input.h"
#include "drawing/raster.h"
#include "windows/Unit1_mirt_dlzka.h"
#include "windows/drawing_image.h"
#include "commands/user_dialogs.h"

namespace kalven {

namespace {

PolygonInput InputOn(Tvstupy& window)
{
    const QImage& image = window.Image1_vstupy->image();
    return PolygonInput(window.data(), window.canvas(), window, image.width(), image.height(), window.BandAnchor,
                        window.BandEnd);
}

}  // namespace

void Tvstupy::Osnova()
{
    DrawRaster(canvas(), data_, Image1_vstupy->image().width(), Image1_vstupy->image().height(), *this);
}

void Tvstupy::Kresli()
{
    DrawLoadAreas(canvas(), data_, Image1_vstupy->image().width(), Image1_vstupy->image().height());
}

void Tvstupy::SpBu_KavernClick()
{
    // While input is under way, or for an area in use, the button only comes up again.
    if (!data_.Idle || !ArmPolygonInput(data_, *this, SpinEdit_kavern->value()))
        SpBu_Kavern->setChecked(false);
}

void Tvstupy::SpBu_Kavern_noClick()
{
    if (DeleteLoadArea(data_, SpinEdit_kavern->value())) {
        Osnova();
        Kresli();
    }
    SpBu_Kavern_no->setChecked(false);
}

void Tvstupy::Image1_vstupyMouseMove(Qt::KeyboardModifiers, int x, int y)
{
    InputOn(*this).mouseMove(SpinEdit_kavern->value(), x, y);
}

void Tvstupy::Image1_vstupyMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    const MouseButton which = button == Qt::LeftButton    ? MouseButton::Left
                              : button == Qt::RightButton ? MouseButton::Right
                                                          : MouseButton::Middle;
    InputOn(*this).mouseDown(which, x, y);
}

void Tvstupy::FormMouseMove(Qt::KeyboardModifiers, int, int)
{
    if (TakeAreaButtonRelease(data_))
        SpBu_Kavern->setChecked(false);
}

void Tvstupy::Length1Click()
{
    if (!data_.Idle)
        return;
    data_.LengthChanged = false;
    TForm1_dlzka dialog(data_, dialogs_, this);
    const bool accepted = dialogs_.runModal(dialog);
    // Only OK keeps a length change; the dialog forgets it on every other way out.
    if (accepted && data_.LengthChanged) {
        data_.Computed = false;
        ProjectReset(data_);
        Osnova();
        setPanelText(2, LengthStatusText(data_.AreaLength));
    }
}

}  // namespace kalven
