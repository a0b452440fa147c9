#include "windows/Unit15_help1.h"

#include <QKeyEvent>
#include <QTextEdit>

#include "core/text_file.h"
#include "platform/rtf_reader.h"
#include "commands/user_dialogs.h"
#include "core/file_names.h"

namespace kalven {

namespace {

// Room for pictures in a help text written by the user; the delivered ones hold some 15 KB.
constexpr std::size_t kHelpFileLimit = std::size_t{16} << 20;

}  // namespace

Tunit15_help::Tunit15_help(int topic, const std::string& startDir, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("unit15_help"));
    setWindowTitle(QStringLiteral(" HELP"));
    resize(640, 316);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(16, 8, 593, 265);
    RichEdit1->setReadOnly(true);
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long paragraphs wrap at the box's width; the horizontal bar stays for wide lines.
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->installEventFilter(this);
    FormCreate(topic, startDir);
}

std::string Tunit15_help::helpFilePath(int topic, const std::string& startDir)
{
    const char* name = nullptr;
    if (topic == kTheoryTopic)
        name = kTheoryHelpFile;
    else if (topic == kDirectoryTopic)
        name = kDirectoryHelpFile;
    if (!name)
        return {};
    return FileInFolder(startDir, name);
}

void Tunit15_help::FormCreate(int topic, const std::string& startDir)
{
    const std::string path = helpFilePath(topic, startDir);
    if (path.empty())
        return;
    const FileRead read = ReadBoundedFile(path, kHelpFileLimit);
    if (!read.bytes) {
        const bool refused = read.failure == ReadFailure::NotRegularFile || read.failure == ReadFailure::TooLarge;
        const QString name = FileNameText(path);
        dialogs_.message(refused ? ReadRefusalText(name, read.failure, kHelpFileLimit)
                                 : QStringLiteral("Cannot open file ") + name,
                         MessageKind::Error);
        return;
    }
    ReadRtf(*read.bytes, *RichEdit1->document());
    RichEdit1->moveCursor(QTextCursor::Start);
}

void Tunit15_help::RichEdit1KeyPress()
{
    close();
}

bool Tunit15_help::eventFilter(QObject* watched, QEvent* event)
{
    // A typed character closes the viewer; keys without a character (cursor, page, function
    // keys) move through the text as usual.
    if (watched == RichEdit1 && event->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
        RichEdit1KeyPress();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kalven
