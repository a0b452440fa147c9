// kalven-report: the text report of a project on standard output, computed as the Compute command
// computes it, and on request the graphic printout as a PDF page and the drawing area as a PNG.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPalette>
#include <QPrinter>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "analysis/resultant.h"
#include "analysis/text_report.h"
#include "analysis/validation.h"
#include "core/project_data.h"
#include "core/project_file.h"
#include "core/status_panels.h"
#include "core/text_reader.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "platform/print_jobs.h"
#include "platform/qt_canvas.h"
#include "platform/win1252.h"

namespace {

using namespace kalven;

enum ExitStatus {
    kComputed = 0,
    kValidationFailed = 1,
    kUnreadableProject = 2,
    kBadArguments = 64,
    kOutputFailed = 73,
};

constexpr const char* kUsage =
    "Usage: kalven-report [--margin N] [--pdf FILE [--landscape]] [--png FILE [--size WxH]] PROJECT.klv\n"
    "\n"
    "Reads a KALVEN project, checks and computes it as the Compute command does, and writes the\n"
    "text report to standard output (UTF-8).\n"
    "\n"
    "  --margin N    blanks in front of every report line, 0 to 30 (default 0)\n"
    "  --pdf FILE    the graphic printout as a one-page A4 PDF, portrait\n"
    "  --landscape   the PDF page in landscape\n"
    "  --png FILE    the drawing area after Compute as a PNG image\n"
    "  --size WxH    the drawing area's size in pixels (default 928x696)\n"
    "  --help        this text\n"
    "\n"
    "Exit status: 0 computed, 1 the load areas failed their check (the report has no results),\n"
    "2 the project file cannot be read or is malformed, 64 bad arguments, 73 an output file\n"
    "cannot be written. Messages go to standard error.\n";

constexpr int kMaxImageSide = 16384;

struct Options {
    int margin = 0;
    std::optional<QString> pdf;
    bool landscape = false;
    std::optional<QString> png;
    int width = 928;
    int height = 696;
    QString project;
    bool help = false;
};

void Say(const std::string& text)
{
    std::fputs(("kalven-report: " + text + "\n").c_str(), stderr);
}

std::optional<int> WholeNumber(const std::string& text, int low, int high)
{
    try {
        const int v = ParseInt32(text);
        if (v >= low && v <= high)
            return v;
    } catch (const InvalidNumericInput&) {
    }
    return std::nullopt;
}

// The options, or nothing after a message about the first bad one.
std::optional<Options> ParseArguments(const QStringList& args)
{
    Options o;
    bool sizeGiven = false;
    for (int k = 1; k < args.size(); ++k) {
        const QString& arg = args[k];
        const auto value = [&]() -> std::optional<std::string> {
            if (k + 1 >= args.size()) {
                Say(arg.toStdString() + " needs a value");
                return std::nullopt;
            }
            return args[++k].toStdString();
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            o.help = true;
            return o;
        } else if (arg == QLatin1String("--margin")) {
            const auto text = value();
            if (!text)
                return std::nullopt;
            const auto margin = WholeNumber(*text, 0, 30);
            if (!margin) {
                Say("the margin must be a whole number from 0 to 30, not \"" + *text + "\"");
                return std::nullopt;
            }
            o.margin = *margin;
        } else if (arg == QLatin1String("--pdf") || arg == QLatin1String("--png")) {
            const auto text = value();
            if (!text)
                return std::nullopt;
            (arg == QLatin1String("--pdf") ? o.pdf : o.png) = QString::fromStdString(*text);
        } else if (arg == QLatin1String("--landscape")) {
            o.landscape = true;
        } else if (arg == QLatin1String("--size")) {
            const auto text = value();
            if (!text)
                return std::nullopt;
            const auto x = text->find('x');
            const auto w = x == std::string::npos ? std::nullopt : WholeNumber(text->substr(0, x), 1, kMaxImageSide);
            const auto h = x == std::string::npos ? std::nullopt : WholeNumber(text->substr(x + 1), 1, kMaxImageSide);
            if (!w || !h) {
                Say("the size must read WxH with each side from 1 to " + std::to_string(kMaxImageSide) +
                    " pixels, not \"" + *text + "\"");
                return std::nullopt;
            }
            o.width = *w;
            o.height = *h;
            sizeGiven = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            Say("unknown option " + arg.toStdString());
            return std::nullopt;
        } else if (o.project.isEmpty()) {
            o.project = arg;
        } else {
            Say("one project file only");
            return std::nullopt;
        }
    }
    if (o.project.isEmpty()) {
        Say("no project file given");
        return std::nullopt;
    }
    if (o.landscape && !o.pdf) {
        Say("--landscape goes with --pdf");
        return std::nullopt;
    }
    if (sizeGiven && !o.png) {
        Say("--size goes with --png");
        return std::nullopt;
    }
    return o;
}

std::optional<ProjectData> ReadProject(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Say("cannot read " + path.toStdString() + ": " + file.errorString().toStdString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    try {
        return ReadProjectFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               ProjectData{});
    } catch (const std::exception& e) {
        Say(path.toStdString() + " is not a KALVEN project: " + e.what());
        return std::nullopt;
    }
}

void WriteReport(const ProjectData& data, int margin)
{
    for (const std::string& line : WithLeftMargin(BuildTextReport(data), margin)) {
        const QByteArray utf8 = FromWin1252(line).toUtf8() + '\n';
        std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
    }
    std::fflush(stdout);
}

bool WritePdf(const ProjectData& data, const QString& path, bool landscape)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    try {
        PrintGraphicPage(printer, data, QGuiApplication::palette());
    } catch (const std::exception& e) {
        Say("cannot write " + path.toStdString() + ": " + e.what());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::optional<Options> options = ParseArguments(QGuiApplication::arguments());
    if (!options) {
        std::fputs("Try kalven-report --help\n", stderr);
        return kBadArguments;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return kComputed;
    }
    std::optional<ProjectData> project = ReadProject(options->project);
    if (!project)
        return kUnreadableProject;
    ProjectData& data = *project;

    // The drawing area as Open leaves it, then the Compute command.
    QImage image(options->width, options->height, QImage::Format_RGB32);
    image.fill(Qt::white);
    int status = kComputed;
    {
        QtCanvas canvas(image, QGuiApplication::palette());
        NoStatusPanels panels;
        DrawRaster(canvas, data, image.width(), image.height(), panels);
        DrawLoadAreas(canvas, data, image.width(), image.height());
        if (ValidateForCompute(data))
            ComputeResultant(data, canvas, image.width(), image.height(), panels);
        else
            status = kValidationFailed;
        if (!data.ValidationMessage.empty())
            Say(FromWin1252(data.ValidationMessage).toStdString());
    }

    WriteReport(data, options->margin);
    if (options->pdf && !WritePdf(data, *options->pdf, options->landscape))
        status = kOutputFailed;
    if (options->png && !image.save(*options->png, "PNG")) {
        Say("cannot write " + options->png->toStdString());
        status = kOutputFailed;
    }
    return status;
}
