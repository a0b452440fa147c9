// kalven-report: the text report of a project on standard output, computed as the Compute command
// computes it, and on request the graphic printout as a PDF page, the drawing area as a PNG and
// every computed number as JSON.
#include <QBuffer>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPalette>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#include "analysis/base_joint.h"
#include "analysis/compute_sequence.h"
#include "analysis/text_report.h"
#include "core/project_data.h"
#include "core/project_file.h"
#include "core/status_panels.h"
#include "core/text_file.h"
#include "core/text_reader.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "platform/graphic_page.h"
#include "platform/qt_canvas.h"
#include "core/win1252.h"

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
    "Usage: kalven-report [--margin N] [--pdf FILE [--landscape]] [--png FILE [--size WxH]] [--json FILE]\n"
    "                    PROJECT.klv\n"
    "\n"
    "Reads a KALVEN project, checks and computes it as the Compute command does, and writes the\n"
    "text report to standard output (UTF-8).\n"
    "\n"
    "  --margin N    blanks in front of every report line, 0 to 30 (default 0)\n"
    "  --pdf FILE    the graphic printout as a one-page A4 PDF, portrait\n"
    "  --landscape   the PDF page in landscape\n"
    "  --png FILE    the drawing area after Compute as a PNG image\n"
    "  --size WxH    the drawing area's size in pixels (default 928x696)\n"
    "  --json FILE   every computed number, the base joint's included, as JSON; not written\n"
    "                when the project fails its check\n"
    "  --help        this text\n"
    "\n"
    "Exit status: 0 computed, 1 the load areas failed their check or a result is not finite\n"
    "(the report has no results), 2 the project file cannot be read (not a regular file, more\n"
    "than 1 MiB) or is malformed, 64 bad arguments, 73 an output file\n"
    "cannot be written (an earlier file of that name is then unchanged). Messages go to\n"
    "standard error.\n";

constexpr int kMaxImageSide = 16384;

struct Options {
    int margin = 0;
    std::optional<std::string> pdf;
    bool landscape = false;
    std::optional<std::string> png;
    int width = 928;
    int height = 696;
    std::optional<std::string> json;
    std::string project;
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

// File names are the bytes of the command line, handed to the file system unconverted: a name
// that is not valid UTF-8 would not survive a trip through the locale's codec. The parser sees
// every byte as one Latin-1 character, which gives the bytes back unchanged; the option names
// are ASCII, so they read the same.
QString Chars(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Bytes(const QString& chars)
{
    return chars.toLatin1().toStdString();
}

// The first argument, as it was typed, that names one of the options (with a value attached when
// `attached`); a single dash may run several one-letter options together.
std::string OptionAsTyped(const std::vector<std::string>& args, const QStringList& names, bool attached = false)
{
    for (std::size_t k = 1; k < args.size(); ++k) {
        const QString arg = Chars(args[k]);
        const bool longForm = arg.startsWith(QLatin1String("--"));
        const QString name = arg.mid(longForm ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const bool named =
            names.contains(name) || (!longForm && names.front().size() == 1 && name.contains(names.front()));
        if (arg.startsWith(QLatin1Char('-')) && named && (!attached || arg.contains(QLatin1Char('='))))
            return args[k];
    }
    return "-" + Bytes(names.front());
}

// The options, or nothing after a message about a bad one.
std::optional<Options> ParseArguments(const std::vector<std::string>& args)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption margin(QStringLiteral("margin"), {}, QStringLiteral("N"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), {}, QStringLiteral("FILE"));
    const QCommandLineOption landscape(QStringLiteral("landscape"));
    const QCommandLineOption png(QStringLiteral("png"), {}, QStringLiteral("FILE"));
    const QCommandLineOption size(QStringLiteral("size"), {}, QStringLiteral("WxH"));
    const QCommandLineOption json(QStringLiteral("json"), {}, QStringLiteral("FILE"));
    QCommandLineParser parser;
    parser.addOptions({help, margin, pdf, landscape, png, size, json});
    QStringList chars;
    for (const std::string& arg : args)
        chars << Chars(arg);
    if (!parser.parse(chars)) {
        const QStringList valued{QStringLiteral("--margin"), QStringLiteral("--pdf"), QStringLiteral("--png"),
                                 QStringLiteral("--size"), QStringLiteral("--json")};
        if (!parser.unknownOptionNames().isEmpty())
            Say("unknown option " + OptionAsTyped(args, {parser.unknownOptionNames().front()}));
        else if (valued.contains(chars.back()))  // only the last argument can miss its value
            Say(args.back() + " needs a value");
        else
            Say("unknown option " + OptionAsTyped(args, help.names() + landscape.names(), true));
        return std::nullopt;
    }
    Options o;
    if (parser.isSet(help)) {
        o.help = true;
        return o;
    }
    // Every value is checked, a repeated option's too; the last one counts.
    for (const QString& value : parser.values(margin)) {
        const std::string text = Bytes(value);
        const auto m = WholeNumber(text, 0, 30);
        if (!m) {
            Say("the margin must be a whole number from 0 to 30, not \"" + text + "\"");
            return std::nullopt;
        }
        o.margin = *m;
    }
    for (const QString& value : parser.values(size)) {
        const std::string text = Bytes(value);
        const auto x = text.find('x');
        const auto w = x == std::string::npos ? std::nullopt : WholeNumber(text.substr(0, x), 1, kMaxImageSide);
        const auto h = x == std::string::npos ? std::nullopt : WholeNumber(text.substr(x + 1), 1, kMaxImageSide);
        if (!w || !h) {
            Say("the size must read WxH with each side from 1 to " + std::to_string(kMaxImageSide) + " pixels, not \"" +
                text + "\"");
            return std::nullopt;
        }
        o.width = *w;
        o.height = *h;
    }
    QStringList projects = parser.positionalArguments();
    while (!projects.isEmpty() && projects.front().isEmpty())  // an empty name before the project is no name
        projects.removeFirst();
    if (projects.size() > 1) {
        Say("one project file only");
        return std::nullopt;
    }
    if (projects.isEmpty()) {
        Say("no project file given");
        return std::nullopt;
    }
    o.project = Bytes(projects.front());
    if (parser.isSet(pdf))
        o.pdf = Bytes(parser.value(pdf));
    if (parser.isSet(png))
        o.png = Bytes(parser.value(png));
    if (parser.isSet(json))
        o.json = Bytes(parser.value(json));
    o.landscape = parser.isSet(landscape);
    if (o.landscape && !o.pdf) {
        Say("--landscape goes with --pdf");
        return std::nullopt;
    }
    if (parser.isSet(size) && !o.png) {
        Say("--size goes with --png");
        return std::nullopt;
    }
    return o;
}

std::optional<ProjectData> ReadProject(const std::string& path)
{
    const FileRead read = ReadBoundedFile(path, kProjectFileLimit);
    if (read.failure == ReadFailure::NotRegularFile || read.failure == ReadFailure::TooLarge) {
        Say(ReadRefusalText(path, read.failure, kProjectFileLimit));
        return std::nullopt;
    }
    if (!read.bytes) {
        Say("cannot read " + path + ": " + std::strerror(read.error));
        return std::nullopt;
    }
    try {
        bool endedEarly = false;
        ProjectData data = ReadProjectFile(*read.bytes, ProjectData{}, &endedEarly);
        // Only a warning: the values stand as read, and the report is made of them.
        if (endedEarly)
            Say("warning: " + path + ": " + kMsgFileEndsEarly);
        return data;
    } catch (const std::exception& e) {
        Say(path + " is not a KALVEN project: " + e.what());
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

// One file under two names; before either exists, one name in one folder, so that two outputs
// new to the disk (a.pdf and ./a.pdf) do not overwrite each other.
bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {
    }, sb{};
    const bool hasA = ::stat(a.c_str(), &sa) == 0;
    const bool hasB = ::stat(b.c_str(), &sb) == 0;
    if (hasA || hasB)
        return hasA && hasB && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    const auto folder = [](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string(".") : path.substr(0, std::max<std::size_t>(slash, 1));
    };
    const auto name = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
    return name(a) == name(b) && SameFile(folder(a), folder(b));
}

// An output may not be empty, nor the project itself under any name (a link, another spelling),
// nor another output: writing it would destroy what was just read or written.
bool OutputsAllowed(const Options& o)
{
    const std::pair<const char*, const std::optional<std::string>*> outputs[] = {
        {"--pdf", &o.pdf}, {"--png", &o.png}, {"--json", &o.json}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const std::optional<std::string>& output = *outputs[i].second;
        if (!output)
            continue;
        if (output->empty()) {
            Say("an output file needs a name");
            return false;
        }
        if (SameFile(*output, o.project)) {
            Say(*output + " is the project itself; choose another output file");
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            const std::optional<std::string>& earlier = *outputs[j].second;
            if (earlier && (*earlier == *output || SameFile(*earlier, *output))) {
                Say(std::string(outputs[j].first) + " and " + outputs[i].first + " name the same file " + *earlier);
                return false;
            }
        }
    }
    return true;
}

// Replaces the file only when all of it was written: a failure leaves an earlier file of that
// name byte for byte, and a device or FIFO of that name is never written or replaced.
bool WriteOutput(const std::string& path, const QByteArray& bytes)
{
    std::string why;
    switch (WriteWholeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &why)) {
    case WriteResult::Written:
        return true;
    case WriteResult::NotCreatable:
        Say("cannot write " + path + ": " + why);
        return false;
    case WriteResult::WriteFailed:
        Say("cannot write " + path + ": " + why + "; an earlier file of that name is unchanged");
        return false;
    }
    return false;
}

// A4 with the margins a PDF printer starts with.
bool WritePdf(const ProjectData& data, const std::string& path, bool landscape)
{
    const QPageLayout page(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(10, 10, 10, 10), QPageLayout::Point);
    const QByteArray bytes = GraphicPagePdf(data, page, QGuiApplication::palette());
    if (bytes.isEmpty()) {
        Say("cannot write " + path + ": the page could not be made");
        return false;
    }
    return WriteOutput(path, bytes);
}

bool WritePng(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        Say("cannot write " + path + ": the image could not be encoded");
        return false;
    }
    return WriteOutput(path, bytes);
}

// Every number of the last Compute at full precision, for calculation sheets: the forces of the
// areas in use, their sums, the resultant and, when the project has one, the base joint. A joint
// result its verdict does not give (the pressures outside the middle third, say) is null, not 0.
QJsonObject ComputedNumbers(const ProjectData& data)
{
    QJsonArray areas;
    int k = 0;
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaUsed[i])
            continue;
        // The list of forces keeps the areas' order and holds the arrow tips.
        const ForceRecord& f = data.ResultList[++k];
        areas.append(QJsonObject{{"Area", i},
                                 {"Text", FromWin1252(data.LoadAreaData[i].Text)},
                                 {"CentroidX", f.CentroidX},
                                 {"CentroidY", f.CentroidY},
                                 {"TipX", f.TipX},
                                 {"TipY", f.TipY},
                                 {"Force", f.Force},
                                 {"Alpha", f.Alpha}});
    }
    QJsonObject numbers{{"Title", FromWin1252(data.Title)},
                        {"Length", data.AreaLength},
                        {"Areas", areas},
                        {"SumFx", data.SumFx},
                        {"SumFy", data.SumFy},
                        {"Resultant", QJsonObject{{"Force", data.ResultantForce},
                                                  {"Angle", data.ResultantAngle},
                                                  {"Xc", data.ResultantXc},
                                                  {"Yc", data.ResultantYc},
                                                  {"TipX", data.ResultantTipX},
                                                  {"TipY", data.ResultantTipY},
                                                  {"LineX0", data.LineX0},
                                                  {"LineX1", data.LineX1}}}};
    const std::optional<JointResults> r = ProjectJointResults(data);
    if (!r)
        return numbers;
    const auto given = [](bool shown, const QJsonValue& value) { return shown ? value : QJsonValue(); };
    const bool crossed = r->verdict != JointVerdict::Parallel;
    const bool edges = r->verdict == JointVerdict::WithinMiddleThird;
    const bool contact = r->verdict == JointVerdict::OutsideMiddleThird;
    const bool sliding = SlidingShown(*r);
    const BaseJoint& joint = data.Joint;
    numbers.insert(
        "Joint", QJsonObject{{"X1", joint.X1},
                             {"Y1", joint.Y1},
                             {"X2", joint.X2},
                             {"Y2", joint.Y2},
                             {"Mu", joint.Mu},
                             {"Verdict", QString::fromStdString(JointVerdictText(r->verdict))},
                             {"Bw", r->Bw},
                             {"Sx", given(crossed, r->Sx)},
                             {"Sy", given(crossed, r->Sy)},
                             {"s", given(crossed, r->s)},
                             {"e", given(crossed, r->e)},
                             {"N", r->N},
                             {"T", r->T},
                             {"SigmaA", given(edges, r->SigmaA)},
                             {"SigmaB", given(edges, r->SigmaB)},
                             {"Contact", given(contact, r->Contact)},
                             {"SigmaMax", given(contact, r->SigmaMax)},
                             {"MaxAtA", given(contact, r->MaxAtA)},
                             {"Utilisation", given(sliding, r->Utilisation)},
                             {"Sliding", given(sliding, QString::fromStdString(SlidingVerdictText(r->Utilisation)))}});
    return numbers;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    // argv as the system passed it, less the options Qt took for itself.
    const std::optional<Options> options = ParseArguments(std::vector<std::string>(argv, argv + argc));
    if (!options) {
        std::fputs("Try kalven-report --help\n", stderr);
        return kBadArguments;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return kComputed;
    }
    const std::optional<std::string>& pdf = options->pdf;
    const std::optional<std::string>& png = options->png;
    const std::optional<std::string>& json = options->json;
    if (!OutputsAllowed(*options)) {
        std::fputs("Try kalven-report --help\n", stderr);
        return kBadArguments;
    }
    std::optional<ProjectData> project = ReadProject(options->project);
    if (!project)
        return kUnreadableProject;
    ProjectData& data = *project;

    // The drawing area as Open leaves it, then the Compute command.
    QImage image(options->width, options->height, QImage::Format_RGB32);
    image.fill(Qt::white);
    int status = kComputed;
    bool computed = false;
    {
        QtCanvas canvas(image, QGuiApplication::palette());
        NoStatusPanels panels;
        DrawRaster(canvas, data, image.width(), image.height(), panels);
        DrawLoadAreas(canvas, data, image.width(), image.height());
        const ComputeRun run = RunCompute(data, canvas, image.width(), image.height(), panels);
        // A result that is not finite fails as a faulty area does: the report has no results.
        computed = run.outcome == ComputeOutcome::Computed || run.outcome == ComputeOutcome::OffDesktop;
        if (!computed)
            status = kValidationFailed;
        if (!run.message.empty())
            Say(FromWin1252(run.message).toStdString());
    }

    WriteReport(data, options->margin);
    if (pdf && !WritePdf(data, *pdf, options->landscape))
        status = kOutputFailed;
    if (png && !WritePng(image, *png))
        status = kOutputFailed;
    // A project that failed its check has no numbers: an earlier file of that name stays as it was.
    if (json && computed && !WriteOutput(*json, QJsonDocument(ComputedNumbers(data)).toJson(QJsonDocument::Indented)))
        status = kOutputFailed;
    return status;
}
