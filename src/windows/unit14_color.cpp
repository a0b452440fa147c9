#include "windows/unit14_color.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "core/config_file.h"
#include "core/text_file.h"
#include "windows/dialog_widgets.h"
#include "platform/qt_canvas.h"
#include "commands/user_dialogs.h"

namespace kalven {

namespace {

constexpr const char* kItemNames[kColorCount] = {"Background", "Raster light", "Raster dark",    "Universal line",
                                                 "Solid line", "Force line",   "Inclined force", "Load area"};

ColorValue ToColorValue(const QColor& c)
{
    return static_cast<ColorValue>(c.red()) | (static_cast<ColorValue>(c.green()) << 8) |
           (static_cast<ColorValue>(c.blue()) << 16);
}

}  // namespace

ColorShape::ColorShape(QWidget* parent) : QWidget(parent)
{
}

void ColorShape::setBrushColor(ColorValue color)
{
    color_ = color;
    update();
}

void ColorShape::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(color_, palette()));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Tmirt_color::Tmirt_color(ProjectData& data, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), data_(data), dialogs_(dialogs), DialogColors(data.ColorSettings)
{
    setObjectName(QStringLiteral("mirt_color"));
    setWindowTitle(QStringLiteral(" Set colors"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The radio group and "Manual set up" are wider than designed, so that their texts show whole.
    resize(248, 498);

    for (int i = 0; i < kColorCount; ++i) {
        Shapes[i] = new ColorShape(this);
        Shapes[i]->setObjectName(QStringLiteral("Shape%1").arg(i + 1));
        Shapes[i]->setGeometry(16, 24 + 32 * (i + 1), 65, 17);
    }

    RadioGroup1 = new QGroupBox(QStringLiteral("Choose to set up"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1->setGeometry(96, 32, 136, 281);
    items_ = new QButtonGroup(this);
    for (int i = 0; i < kColorCount; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(kItemNames[i]), RadioGroup1);
        item->setGeometry(8, 20 + 32 * i, 120, 20);
        items_->addButton(item, i);
    }

    const auto button = [this](const char* name, const char* caption, int left, int top,
                               void (Tmirt_color::*handler)()) {
        QPushButton* b = DialogButton(this, name, QString::fromLatin1(caption), left, top);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    Button1 = button("Button1", "Manual set up", 16, 328, &Tmirt_color::Button1Click);
    Button1->resize(97, 25);
    Button2 = button("Button2", "Light", 16, 360, &Tmirt_color::Button2Click);
    Button3 = button("Button3", "Dark", 16, 392, &Tmirt_color::Button3Click);
    Button4 = button("Button4", "Reset", 16, 424, &Tmirt_color::Button4Click);
    Button7 = button("Button7", "Save", 120, 328, &Tmirt_color::Button7Click);
    Button6 = button("Button6", "Cancel", 120, 384, &Tmirt_color::Button6Click);
    Button5 = button("Button5", "OK", 120, 424, &Tmirt_color::Button5Click);

    refillShapes();
    setItemIndex(kUniversalLine - 1);
}

int Tmirt_color::itemIndex() const
{
    return items_->checkedId();
}

void Tmirt_color::setItemIndex(int index)
{
    if (QAbstractButton* item = items_->button(index))
        item->setChecked(true);
}

void Tmirt_color::refillShapes()
{
    for (int i = 0; i < kColorCount; ++i)
        Shapes[i]->setBrushColor(DialogColors[i + 1]);
}

void Tmirt_color::Button1Click()
{
    const int index = itemIndex();
    if (index < 0 || index >= kColorCount)
        return;
    // The chooser knows only plain colours: a system colour starts as what it shows now.
    const ColorValue initial = ToColorValue(ToQColor(DialogColors[index + 1], palette()));
    if (const std::optional<ColorValue> chosen = dialogs_.chooseColor(initial))
        DialogColors[index + 1] = *chosen;
    refillShapes();
}

void Tmirt_color::applyPreset(ColorPreset preset)
{
    DialogColors = PresetColors(preset);
    refillShapes();
}

void Tmirt_color::Button2Click()
{
    applyPreset(ColorPreset::Light);
}

void Tmirt_color::Button3Click()
{
    applyPreset(ColorPreset::Dark);
}

void Tmirt_color::Button4Click()
{
    applyPreset(ColorPreset::Reset);
}

void Tmirt_color::Button5Click()
{
    // No redraw here: the new colours show at the next redraw of the drawing.
    data_.ColorSettings = DialogColors;
    accept();
}

void Tmirt_color::Button6Click()
{
    reject();
}

void Tmirt_color::Button7Click()
{
    const std::string bytes = FormatConfiguration(data_.InitialDir, DialogColors);
    if (WriteTextFile(QString::fromLatin1(kColorFileName), bytes) != WriteResult::Written)
        dialogs_.message(QString::fromLatin1(kMsgFileOutputError), MessageKind::Plain);
}

}  // namespace kalven
