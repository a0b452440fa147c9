#include "windows/dxf_import_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/dxf_preview.h"
#include "core/text_format.h"
#include "windows/drawing_image.h"
#include "platform/qt_canvas.h"
#include "core/win1252.h"

namespace kalven {

namespace {

// The layer's own bytes, so a name survives the way through the widget unchanged.
constexpr int kLayerRole = Qt::UserRole;

QLabel* label(const QString& text, int x, int y, int w, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 18);
    return l;
}

}  // namespace

Tdxf_import::Tdxf_import(const DxfDrawing& drawing, const ProjectData& data, QWidget* parent)
    : QDialog(parent), drawing_(drawing), data_(data)
{
    setWindowTitle(QStringLiteral(" Dxf In"));
    setFixedSize(568, 366);

    label(QStringLiteral("Layers"), 16, 10, 200, this);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setGeometry(16, 30, 200, 150);
    for (const DxfLayer& layer : drawing_.layers) {
        const std::string text =
            layer.name + "  (" + I(layer.outlines, 1) + (layer.outlines == 1 ? " outline)" : " outlines)");
        auto* item = new QListWidgetItem(FromWin1252(text), CheckListBox1);
        item->setData(kLayerRole, QByteArray::fromStdString(layer.name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }

    auto* units = new QGroupBox(QStringLiteral("Drawing unit"), this);
    units->setObjectName(QStringLiteral("RadioGroup1"));
    units->setGeometry(16, 188, 200, 52);
    RadioButton_m = new QRadioButton(QStringLiteral("m"), units);
    RadioButton_cm = new QRadioButton(QStringLiteral("cm"), units);
    RadioButton_mm = new QRadioButton(QStringLiteral("mm"), units);
    auto* group = new QButtonGroup(this);
    int x = 12;
    for (QRadioButton* button : {RadioButton_m, RadioButton_cm, RadioButton_mm}) {
        button->setGeometry(x, 22, 56, 20);
        group->addButton(button);
        x += 62;
    }
    const DxfImportOptions defaults = DefaultImportOptions(drawing_);
    (defaults.unit == DrawingUnit::Millimetre   ? RadioButton_mm
     : defaults.unit == DrawingUnit::Centimetre ? RadioButton_cm
                                                : RadioButton_m)
        ->setChecked(true);

    CheckBox1 = new QCheckBox(QStringLiteral("Move to origin"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(16, 250, 200, 20);
    CheckBox1->setChecked(defaults.moveToOrigin);

    label(FromWin1252("Area length " + I(data_.AreaLength, 1) + " m"), 232, 10, kDxfPreviewWidth, this);
    Image1 = new DrawingImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(232, 30);
    Image1->setImageSize(kDxfPreviewWidth, kDxfPreviewHeight);

    // Two lines: twenty area numbers do not fit one.
    Label1 = label(QString(), 16, 290, 536, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->resize(536, 34);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(176, 330, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(312, 330, 75, 25);

    connect(Button1, &QPushButton::clicked, this, &Tdxf_import::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tdxf_import::Button2Click);
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this] { refresh(); });
    connect(group, &QButtonGroup::buttonToggled, this, [this] { refresh(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { refresh(); });
    refresh();
}

Tdxf_import::~Tdxf_import() = default;

DxfImportOptions Tdxf_import::options() const
{
    DxfImportOptions options;
    for (int row = 0; row < CheckListBox1->count(); ++row) {
        const QListWidgetItem* item = CheckListBox1->item(row);
        if (item->checkState() == Qt::Checked)
            options.layers.insert(item->data(kLayerRole).toByteArray().toStdString());
    }
    options.unit = RadioButton_mm->isChecked()   ? DrawingUnit::Millimetre
                   : RadioButton_cm->isChecked() ? DrawingUnit::Centimetre
                                                 : DrawingUnit::Metre;
    options.moveToOrigin = CheckBox1->isChecked();
    return options;
}

void Tdxf_import::refresh()
{
    const DxfImportPlan plan = PlanDxfImport(drawing_, options(), data_);
    QtCanvas canvas(Image1->image(), palette());
    DrawDxfPreview(canvas, data_, plan, kDxfPreviewWidth, kDxfPreviewHeight);
    canvas.flush();
    Image1->update();
    Label1->setText(FromWin1252(DxfImportPreviewText(plan)));
}

void Tdxf_import::Button1Click()
{
    accept();
}

void Tdxf_import::Button2Click()
{
    reject();
}

}  // namespace kalven
