#pragma once
// Printing into PDF files in the tests, and reading them back with the poppler tools.

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include "support/fake_user_dialogs.h"

namespace kalven::testing {

// Fake dialogs whose printer set-up, when confirmed, points the printer at a PDF file.
class PdfPrinterDialogs : public FakeUserDialogs {
public:
    explicit PdfPrinterDialogs(QString path, QPageSize size = QPageSize(QPageSize::A4))
        : path_(std::move(path)), size_(std::move(size))
    {
    }
    void setPath(QString path) { path_ = std::move(path); }

    bool printerSetup(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        printer.setPageSize(size_);
        return FakeUserDialogs::printerSetup(printer);
    }

private:
    QString path_;
    QPageSize size_;
};

// Standard output of a poppler tool, empty when it fails.
inline QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Poppler("pdfinfo", {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text in the order it was printed.
inline QString PdfText(const QString& path)
{
    return Poppler("pdftotext", {"-raw", path, "-"});
}

// The printed characters without any blank or line break, so a line broken at the page edge
// reads the same as one that is not.
inline std::string WithoutBlanks(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text.toStdString();
}

}  // namespace kalven::testing
