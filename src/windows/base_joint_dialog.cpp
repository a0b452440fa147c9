#include "windows/base_joint_dialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "commands/user_dialogs.h"
#include "core/text_format.h"
#include "core/text_reader.h"
#include "windows/dialog_widgets.h"

namespace kalven {

namespace {

const char* const kFieldNames[5] = {"A x", "A y", "B x", "B y", "mu"};

QString Shown(double value)
{
    return QString::fromStdString(F(value, 0, 3));
}

}  // namespace

Tbase_joint::Tbase_joint(const ProjectData& data, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), areaLength_(data.AreaLength)
{
    setWindowTitle(QStringLiteral("Base joint"));
    setFixedSize(392, 204);
    DialogLabel(this, "Label1", QStringLiteral("The loaded body lies on the left of the way from A to B."), 16, 12);
    DialogLabel(this, "Label2", QStringLiteral("x [m]"), 64, 40);
    DialogLabel(this, "Label3", QStringLiteral("y [m]"), 176, 40);
    DialogLabel(this, "Label4", QStringLiteral("A"), 16, 60);
    DialogLabel(this, "Label5", QStringLiteral("B"), 16, 88);
    DialogLabel(this, "Label6", QStringLiteral("mu"), 16, 124);
    const BaseJoint& joint = data.Joint;
    const double values[5] = {joint.X1, joint.Y1, joint.X2, joint.Y2, joint.Mu};
    for (int f = kAx; f <= kMu; ++f) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(f + 1));
        edit->setGeometry(f == kMu ? 64 : 64 + (f % 2) * 112, f == kMu ? 120 : 56 + (f / 2) * 28, 97, 22);
        // Without a joint the points are left blank and mu shows its usual value.
        if (joint.Set || f == kMu) {
            stored_[f] = values[f];
            shown_[f] = Shown(values[f]);
            edit->setText(shown_[f]);
        }
        Edits[f] = edit;
    }
    Button1 = DialogButton(this, "Button1", QStringLiteral("OK"), 16, 164, true);
    Button2 = DialogButton(this, "Button2", QStringLiteral("Cancel"), 99, 164);
    Button3 = DialogButton(this, "Button3", QStringLiteral("Remove"), 182, 164);
    Button4 = DialogButton(this, "Button4", QStringLiteral("Pick A and B"), 265, 164);
    Button4->setFixedWidth(111);
    Button3->setVisible(joint.Set);
    connect(Button1, &QPushButton::clicked, this, &Tbase_joint::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tbase_joint::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tbase_joint::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &Tbase_joint::Button4Click);
    Edits[kAx]->setFocus();
}

std::optional<double> Tbase_joint::value(Field field)
{
    const QString text = Edits[field]->text();
    if (stored_[field] && text == shown_[field])
        return stored_[field];
    try {
        return ParseReal(text.trimmed().toStdString());
    } catch (const InvalidNumericInput&) {
        dialogs_.message(QStringLiteral("%1 is not a number: \"%2\"").arg(QLatin1String(kFieldNames[field]), text),
                         MessageKind::Plain);
        return std::nullopt;
    }
}

std::optional<BaseJoint> Tbase_joint::typedJoint()
{
    double v[4] = {};
    for (int f = kAx; f <= kBy; ++f) {
        const std::optional<double> read = value(static_cast<Field>(f));
        if (!read)
            return std::nullopt;
        v[f] = *read;
        if (v[f] < 0 || v[f] > areaLength_) {
            dialogs_.message(QStringLiteral("%1 must lie within 0 to %2 m, the drawing area")
                                 .arg(QLatin1String(kFieldNames[f]))
                                 .arg(areaLength_),
                             MessageKind::Plain);
            return std::nullopt;
        }
    }
    if (v[kAx] == v[kBx] && v[kAy] == v[kBy]) {
        dialogs_.message(QStringLiteral("A and B are one point: the base joint needs two"), MessageKind::Plain);
        return std::nullopt;
    }
    const std::optional<double> mu = positiveMu();
    if (!mu)
        return std::nullopt;
    return BaseJoint{true, v[kAx], v[kAy], v[kBx], v[kBy], *mu};
}

std::optional<double> Tbase_joint::positiveMu()
{
    const std::optional<double> mu = value(kMu);
    if (mu && !(*mu > 0)) {
        dialogs_.message(QStringLiteral("mu must be greater than 0"), MessageKind::Plain);
        return std::nullopt;
    }
    return mu;
}

void Tbase_joint::Button1Click()
{
    const std::optional<BaseJoint> joint = typedJoint();
    if (!joint)
        return;
    choice_ = {BaseJointChoice::Action::Set, *joint};
    accept();
}

void Tbase_joint::Button2Click()
{
    reject();
}

void Tbase_joint::Button3Click()
{
    choice_ = {BaseJointChoice::Action::Remove, BaseJoint{}};
    accept();
}

void Tbase_joint::Button4Click()
{
    // The points come from the mouse; only mu is taken from here.
    const std::optional<double> mu = positiveMu();
    if (!mu)
        return;
    BaseJoint joint;
    joint.Mu = *mu;
    choice_ = {BaseJointChoice::Action::Pick, joint};
    accept();
}

}  // namespace kalven
