#include "windows/unit13_dir.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/config_file.h"
#include "core/text_file.h"
#include "core/file_names.h"
#include "commands/user_dialogs.h"

namespace kalven {

Tmirt_dir::Tmirt_dir(ProjectData& data, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), data_(data), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral(" Initial directory - input"));
    setFixedSize(402, 158);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 24, 345, 21);
    Edit1->setText(FileNameText(data_.InitialDir));
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(88, 80, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(224, 80, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Tmirt_dir::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tmirt_dir::Button2Click);
}

void Tmirt_dir::Button1Click()
{
    // A folder whose name Qt cannot show (bytes that are not UTF-8) keeps its bytes unless edited.
    if (Edit1->text() != FileNameText(data_.InitialDir))
        data_.InitialDir = FolderLine(FileNameBytes(Edit1->text()));
    const std::string bytes = FormatConfiguration(data_.InitialDir, data_.ColorSettings);
    if (WriteTextFile(QString::fromLatin1(kConfigFileName), bytes) != WriteResult::Written) {
        dialogs_.message(QString::fromLatin1(kMsgFileOutputError), MessageKind::Plain);
        return;  // the dialog stays open; the new folder holds for this run
    }
    accept();
}

void Tmirt_dir::Button2Click()
{
    reject();
}

}  // namespace kalven
