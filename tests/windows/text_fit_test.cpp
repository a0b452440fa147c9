// Every fixed text of every window fits its widget and its window, at Qt's default font and at
// each of the two installed sans-serif families, whichever of them the desktop picks.

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QPrinter>
#include <QStyle>
#include <QTableWidget>

#include "core/dxf_import.h"
#include "support/started_window.h"

namespace kalven {
namespace {

int Advance(const QWidget& w, const QString& text)
{
    return QFontMetrics(w.font()).horizontalAdvance(text);
}

// Pixels the text of `w` needs and pixels `w` gives it (the height, for a label that wraps its
// lines); nothing for a widget without a text. Margins are the style's, as the widgets draw them.
std::optional<std::pair<int, int>> TextRoom(QWidget& w)
{
    const QStyle& style = *w.style();
    if (auto* label = qobject_cast<QLabel*>(&w); label && label->wordWrap())
        return std::pair{label->heightForWidth(label->width()), label->height()};
    if (auto* label = qobject_cast<QLabel*>(&w); label && !label->text().isEmpty()) {
        // A framed label puts half an "x" before its text.
        const int indent = label->indent() >= 0      ? label->indent()
                           : label->frameWidth() > 0 ? Advance(w, QStringLiteral("x")) / 2
                                                     : 0;
        return std::pair{Advance(w, label->text()) + indent + 2 * label->margin(), label->contentsRect().width()};
    }
    // Radio buttons and check boxes need their hint whole, a group box its title and frame.
    if (qobject_cast<QRadioButton*>(&w) || qobject_cast<QCheckBox*>(&w) || qobject_cast<QGroupBox*>(&w))
        return std::pair{w.minimumSizeHint().width(), w.width()};
    if (auto* button = qobject_cast<QAbstractButton*>(&w); button && !button->text().isEmpty())
        return std::pair{Advance(w, button->text()) + style.pixelMetric(QStyle::PM_ButtonMargin) +
                             2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth),
                         w.width()};
    if (auto* spin = qobject_cast<QSpinBox*>(&w))
        return std::pair{Advance(w, spin->locale().toString(spin->maximum())) + 4,  // the editor's own margins
                         spin->findChild<QLineEdit*>()->width()};
    return std::nullopt;
}

void ExpectTextsFit(QWidget& window, const QString& what)
{
    window.show();
    QCoreApplication::processEvents();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        const QString name =
            what + QLatin1Char(' ') + w->objectName() + QLatin1Char(' ') + w->metaObject()->className();
        if (const auto room = TextRoom(*w)) {
            EXPECT_LE(room->first, room->second) << name.toStdString();
            EXPECT_TRUE(window.rect().contains(QRect(w->mapTo(&window, QPoint()), w->size()))) << name.toStdString();
        }
        auto* grid = qobject_cast<QTableWidget*>(w);
        if (!grid)
            continue;
        const int margin = 2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin);
        const int cellMargin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QString header = grid->horizontalHeaderItem(c)->text();
            EXPECT_LE(Advance(*grid->horizontalHeader(), header) + margin, grid->columnWidth(c))
                << (name + header).toStdString();
            for (int r = 0; r < grid->rowCount(); ++r)
                EXPECT_LE(Advance(*grid, grid->item(r, c)->text()) + cellMargin, grid->columnWidth(c))
                    << (name + grid->item(r, c)->text()).toStdString();
        }
        EXPECT_LE(grid->horizontalHeader()->length(), grid->viewport()->width()) << name.toStdString();
    }
    window.hide();
}

void ExpectEveryWindowFits(const QString& font)
{
    testing::StartedWindow s;
    ProjectData& data = s.window.data();
    // Area 7 with as many vertices as a file may hold, at the widest coordinates.
    data.AreaLength = 1200;
    data.CorrectionArea = 7;
    data.AreaUsed[7] = true;
    data.VertexCount[7] = kVertexCapacity;
    for (int v = 1; v <= kVertexCapacity; ++v)
        data.VertexX[v][7] = data.VertexY[v][7] = 1199.995;
    const DxfDrawing dxf = ReadDxfFile(QStringLiteral(KALVEN_TEST_DATA "/twenty_five_outlines_2000.dxf")).drawing;
    QPrinter printer;
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"title", [&] { return std::make_unique<Ttitle>(data); }},
        {"coordinates", [&] { return std::make_unique<Tcoor_teren>(data); }},
        {"directory", [&] { return std::make_unique<Tmirt_dir>(data, s.dialogs); }},
        {"data grid", [&] { return std::make_unique<Tabc_kavern>(data); }},
        {"length", [&] { return std::make_unique<TForm1_dlzka>(data, s.dialogs); }},
        {"colours", [&] { return std::make_unique<Tmirt_color>(data, s.dialogs); }},
        {"report", [&] { return std::make_unique<Tprint_text>(data, s.dialogs, printer); }},
        {"help", [&] { return std::make_unique<Tunit15_help>(kTheoryTopic, KALVEN_SHARE_DIR, s.dialogs); }},
        {"picture", [&] { return std::make_unique<THelp_Load_area>(); }},
        {"about", [&] { return std::make_unique<Tabout>(); }},
        {"dxf", [&] { return std::make_unique<Tdxf_import>(dxf, data); }},
    };
    for (const auto& [what, make] : windows)
        ExpectTextsFit(*make(), font + QLatin1Char(' ') + QLatin1String(what));

    // The status panels with the widest texts they take: a cursor at 1200 m by 1200 m (a square
    // screen), and the texts of an armed input, wider than those of a mouse move and a new length.
    const char* const panels[3] = {"    X = 1200.00      Y = 1200.00", " Loaded area - input data",
                                   "  End right mouse button !"};
    for (int panel = 0; panel < 3; ++panel)
        s.window.setPanelText(panel, panels[panel]);
    ExpectTextsFit(s.window, font + QStringLiteral(" main window"));
}

TEST(TextsFit, EveryWindowAtTheDefaultFontAndAtEachInstalledSansFamily)
{
    ExpectEveryWindowFits(QStringLiteral("default"));
    const QFont saved = QApplication::font();
    for (const char* family : {"DejaVu Sans", "Noto Sans"}) {
        QFont font = saved;
        font.setFamily(QString::fromLatin1(family));
        if (QFontInfo(font).family() != QLatin1String(family)) {
            ADD_FAILURE() << family << " is missing; the set-up installs it";
            continue;
        }
        QApplication::setFont(font);
        ExpectEveryWindowFits(QString::fromLatin1(family));
    }
    QApplication::setFont(saved);
}

}  // namespace
}  // namespace kalven
