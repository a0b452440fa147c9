#pragma once
// Tprint_text: the text report in a fixed-pitch view, the left margin, and OK, which prints it.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "core/project_data.h"

class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTextDocument;
class QTextEdit;

namespace kalven {

class UserDialogs;

inline const QString kPrintTextCaption = QStringLiteral(" Print text - arrangements");

class Tprint_text : public QDialog {
    Q_OBJECT
public:
    // Builds the report from the data as it is now; later changes do not reach it. OK sets up and
    // prints on the given printer.
    Tprint_text(ProjectData& data, UserDialogs& dialogs, QPrinter& printer, QWidget* parent = nullptr);
    ~Tprint_text() override;

    // OK: keeps the margin for later reports, then prints on the printer chosen in the set-up
    // dialog and closes. A cancelled set-up prints nothing and leaves the report as it was built.
    void Button1Click();

    // The report as it goes to the printer: 10 points, the title still bold, `margin` blanks in
    // front of every line.
    std::unique_ptr<QTextDocument> printedReport(int margin) const;

    QTextEdit* RichEdit1 = nullptr;
    QLabel* Label1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* Button1 = nullptr;

private:
    void FormCreate();
    void fillView();

    ProjectData& data_;
    UserDialogs& dialogs_;
    QPrinter& printer_;
    std::vector<std::string> lines_;
};

// A fixed-pitch face, 8 points: "Courier New" where it is installed, otherwise DejaVu Sans Mono,
// otherwise the system's fixed-pitch font.
QFont ReportFont();

}  // namespace kalven
