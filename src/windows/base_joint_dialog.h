#pragma once
// Tbase_joint: the project's base joint as five numbers, A and B in metres and the friction
// coefficient mu. OK hands back a checked joint, "Remove" takes the joint away (offered only when
// there is one), "Pick A and B" leaves the points to two clicks on the drawing. The dialog itself
// changes nothing: the command applies the choice as one edit.

#include <QDialog>
#include <array>
#include <optional>

#include "commands/project_commands.h"
#include "core/project_data.h"

class QLineEdit;
class QPushButton;

namespace kalven {

class UserDialogs;

class Tbase_joint : public QDialog {
    Q_OBJECT
public:
    Tbase_joint(const ProjectData& data, UserDialogs& dialogs, QWidget* parent = nullptr);

    void Button1Click();  // OK
    void Button2Click();  // Cancel
    void Button3Click();  // Remove
    void Button4Click();  // Pick A and B

    BaseJointChoice choice() const { return choice_; }

    enum Field { kAx, kAy, kBx, kBy, kMu };
    std::array<QLineEdit*, 5> Edits{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;

private:
    // The field's number, or nothing once a message has said why it is none. A field left as it
    // was filled gives the stored value itself, not its rounded text.
    std::optional<double> value(Field field);
    // mu when it is a number above 0.
    std::optional<double> positiveMu();
    // The typed joint, or nothing once a message has said what is wrong with it.
    std::optional<BaseJoint> typedJoint();

    UserDialogs& dialogs_;
    const int areaLength_;
    std::array<QString, 5> shown_;
    std::array<std::optional<double>, 5> stored_;
    BaseJointChoice choice_;
};

}  // namespace kalven
