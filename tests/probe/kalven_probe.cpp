// kalven-probe: drives one reader or writer of the main window as a person would, with scripted
// answers, and prints what the person would have been told. A by-hand tool for
// scripts/robustness_campaign.sh:
//   kalven-probe cfg            start in the current folder (reads its kalven1.cfg)
//   kalven-probe help FOLDER    the theory help, read from FOLDER
//   kalven-probe dxf FILE       Dxf In of FILE, every outline accepted (kalven1.cfg in the current folder)
//   kalven-probe open FILE      Open of FILE
//   kalven-probe save FILE      Save of the empty project as FILE
//   kalven-probe dir TEXT       Directory, TEXT typed as the folder and OK (writes kalven1.cfg)
// Exit status: 0 when the command did its work (for dxf: an area was imported), 1 when it was
// refused, 64 on bad arguments.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <cstdio>
#include <string>

#include "windows/Unit15_help1.h"
#include "windows/unit13_dir.h"
#include "windows/vstup1_wall.h"
#include "support/fake_user_dialogs.h"

using namespace kalven;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string mode = argc >= 2 ? argv[1] : "";
    const QString arg = argc >= 3 ? QFile::decodeName(argv[2]) : QString();
    kalven::testing::FakeUserDialogs dialogs;
    // Prints what the person was told; 0 when nothing, else 1.
    const auto told = [&dialogs] {
        for (const QString& text : dialogs.messages())
            std::printf("message: %s\n", qPrintable(text.simplified().left(200)));
        return dialogs.messages().empty() ? 0 : 1;
    };
    if (mode == "help" && argc == 3) {
        Tunit15_help help(kTheoryTopic, argv[2], dialogs);
        const int status = told();
        std::printf("text: %lld characters\n", static_cast<long long>(help.RichEdit1->toPlainText().size()));
        return status;
    }
    Tvstupy window(dialogs);
    const bool started = window.FormCreate();
    if (mode == "cfg" && argc == 2)
        return told(), started ? 0 : 1;
    if (!started || argc != 3)
        return told(), 64;
    if (mode == "dir") {
        dialogs.answerModal([&arg](QDialog& dialog) {
            auto& typed = static_cast<Tmirt_dir&>(dialog);
            typed.Edit1->setText(arg);
            typed.Button1->click();
            return dialog.result() == QDialog::Accepted;
        });
        window.Directory1Click();
        return told();
    }
    dialogs.answerFile(arg);
    if (mode == "dxf") {
        dialogs.answerModal([](QDialog&) { return true; });
        window.DxfIn1Click();
    } else if (mode == "open") {
        window.Open1Click();
    } else if (mode == "save") {
        window.Save1Click();
    } else {
        return 64;
    }
    const int status = told();
    int used = 0;
    for (int area = 1; area <= kAreaCount; ++area)
        used += window.data().AreaUsed[area] ? 1 : 0;
    std::printf("areas used: %d\n", used);
    // An import tells how it went even when it succeeded.
    return mode == "dxf" ? (used > 0 ? 0 : 1) : status;
}
