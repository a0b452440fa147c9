#include "windows/unit3_print_text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "analysis/text_report.h"
#include "windows/dialog_widgets.h"
#include "windows/print_jobs.h"
#include "commands/user_dialogs.h"
#include "platform/error_report.h"
#include "core/win1252.h"

namespace kalven {

namespace {

constexpr int kMaxMargin = 30;
constexpr qreal kPrintPointSize = 10;

}  // namespace

QFont ReportFont()
{
    // Only a face whose characters share one width keeps the report's columns; a face fontconfig
    // puts in for a missing one may not. Courier New where it is itself installed, else the face
    // the package brings, so every installation prints alike.
    for (const QString& family : {QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")}) {
        QFont font(family, 8);
        const QFontInfo face(font);
        if (face.family() == family && face.fixedPitch())
            return font;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(8);
    return font;
}

Tprint_text::Tprint_text(ProjectData& data, UserDialogs& dialogs, QPrinter& printer, QWidget* parent)
    : QDialog(parent), data_(data), dialogs_(dialogs), printer_(printer)
{
    setWindowTitle(kPrintTextCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(632, 480);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setGeometry(8, 8, 529, 433);
    RichEdit1->setReadOnly(true);
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setFont(ReportFont());
    RichEdit1->document()->setDefaultFont(ReportFont());

    Label1 = DialogLabel(this, "Label1", QStringLiteral("Left margin"), 552, 16);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(552, 32, 49, 22);
    SpinEdit1->setRange(0, kMaxMargin);
    SpinEdit1->setSingleStep(1);
    Button1 = DialogButton(this, "Button1", QStringLiteral("OK"), 544, 416, true);
    // A refused job is reported with the window left open behind the report.
    connect(Button1, &QPushButton::clicked, this, [this] { RunReported(dialogs_, [this] { Button1Click(); }); });
    FormCreate();
}

Tprint_text::~Tprint_text() = default;

void Tprint_text::FormCreate()
{
    lines_ = BuildTextReport(data_);
    fillView();
    SpinEdit1->setValue(data_.PrintLeftMargin);
}

void Tprint_text::fillView()
{
    QStringList text;
    for (const std::string& line : lines_)
        text << FromWin1252(line);
    RichEdit1->setPlainText(text.join(QChar::LineFeed));

    // The view counts one character per line break where the report's text counts two.
    const int start = ReportLineStart(lines_, kReportTitleLine) - (kReportTitleLine - 1);
    const int last = RichEdit1->document()->characterCount() - 1;
    const int length = static_cast<int>(data_.Title.size());
    QTextCursor title(RichEdit1->document());
    title.setPosition(std::min(start, last));
    title.setPosition(std::min(start + length, last), QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    title.mergeCharFormat(bold);
}

std::unique_ptr<QTextDocument> Tprint_text::printedReport(int margin) const
{
    std::unique_ptr<QTextDocument> report(RichEdit1->document()->clone());
    QFont font = report->defaultFont();
    font.setPointSizeF(kPrintPointSize);
    report->setDefaultFont(font);
    QTextCursor all(report.get());
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(kPrintPointSize);
    all.mergeCharFormat(size);

    const QString blanks(margin, QLatin1Char(' '));
    for (QTextBlock block = report->begin(); block.isValid() && margin > 0; block = block.next()) {
        QTextCursor start(block);
        QTextCharFormat plain = start.charFormat();
        plain.setFontWeight(QFont::Normal);
        start.insertText(blanks, plain);
    }
    return report;
}

void Tprint_text::Button1Click()
{
    data_.PrintLeftMargin = SpinEdit1->value();
    RichEdit1->hide();
    // The margin goes into a copy, so a cancelled set-up leaves the view as built and the next OK
    // puts the margin in front of the lines once.
    const std::unique_ptr<QTextDocument> report = printedReport(data_.PrintLeftMargin);
    if (!dialogs_.printerSetup(printer_)) {
        RichEdit1->show();
        return;
    }
    try {
        PrintDocument(printer_, *report, kPrintTextCaption);
    } catch (...) {
        RichEdit1->show();  // the window stays open behind the error report
        throw;
    }
    accept();
}

}  // namespace kalven
