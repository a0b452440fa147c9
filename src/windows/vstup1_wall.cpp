#include "windows/vstup1_wall.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QThread>
#include <QToolButton>
#include <QWindow>

#include "commands/user_dialogs.h"
#include "core/config_file.h"
#include "core/file_names.h"
#include "core/text_file.h"
#include "core/text_reader.h"
#include "core/win1252.h"
#include "platform/error_report.h"
#include "platform/qt_canvas.h"
#include "platform/resources.h"
#include "platform/undo_history.h"
#include "windows/drawing_image.h"
#include "windows/qt_editing_dialogs.h"

namespace kalven {

namespace {

// Panel 0 is 20 pixels wider than designed: "    X = 1200.00      Y = 1200.00" needs it in DejaVu Sans.
constexpr int kPanelWidths[4] = {180, 260, 150, 100};

QIcon icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

Tvstupy::Tvstupy(UserDialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    InitResources();
    setProjectCaption(QString());
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    buildLayout();
    buildMenu();
    connectCommands();
    canvas_ = std::make_unique<QtCanvas>(Image1_vstupy->image(), palette());
    editing_ = std::make_unique<QtEditingDialogs>(data_, dialogs_, this);
    history_ = std::make_unique<UndoHistory>();
    commands_ = std::make_unique<ProjectCommands>(data_, dialogs_, *editing_, *canvas_, *this, *this, *history_);
    followHistory();
    qApp->installEventFilter(this);
}

Tvstupy::~Tvstupy() = default;

void Tvstupy::buildLayout()
{
    auto* client = new QWidget(this);
    client->setMouseTracking(true);
    client->installEventFilter(this);
    setCentralWidget(client);

    Image1_vstupy = new DrawingImage(client);
    Image1_vstupy->setObjectName(QStringLiteral("Image1_vstupy"));
    Image1_vstupy->move(80, 0);

    SpBu_Kavern = new QToolButton(client);
    SpBu_Kavern->setObjectName(QStringLiteral("SpBu_Kavern"));
    SpBu_Kavern->setGeometry(8, 16, 23, 22);
    SpBu_Kavern->setCheckable(true);
    SpBu_Kavern->setIcon(icon("load_area"));
    SpBu_Kavern->setToolTip(QStringLiteral("Load areas"));

    SpinEdit_kavern = new QSpinBox(client);
    SpinEdit_kavern->setObjectName(QStringLiteral("SpinEdit_kavern"));
    SpinEdit_kavern->setGeometry(32, 16, 41, 22);
    SpinEdit_kavern->setRange(1, kAreaCount);
    SpinEdit_kavern->setValue(1);

    SpBu_Kavern_no = new QToolButton(client);
    SpBu_Kavern_no->setObjectName(QStringLiteral("SpBu_Kavern_no"));
    SpBu_Kavern_no->setGeometry(8, 40, 23, 22);
    SpBu_Kavern_no->setCheckable(true);
    SpBu_Kavern_no->setIcon(icon("delete_area"));
    SpBu_Kavern_no->setToolTip(QStringLiteral("Delete load area"));

    SpBu_Kavern_abc = new QToolButton(client);
    SpBu_Kavern_abc->setObjectName(QStringLiteral("SpBu_Kavern_abc"));
    SpBu_Kavern_abc->setGeometry(32, 40, 41, 22);
    SpBu_Kavern_abc->setText(QStringLiteral("data"));

    Button1 = new QPushButton(QStringLiteral("Compute"), client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 88, 65, 33);
    Button1->setDefault(true);

    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        // Panel 3 takes the rest of the bar, so that its explanations can be read whole.
        if (i < 3)
            panels_[i]->setFixedWidth(kPanelWidths[i]);
        else
            panels_[i]->setMinimumWidth(kPanelWidths[i]);
        statusBar()->addWidget(panels_[i], i < 3 ? 0 : 1);
    }
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
}

void Tvstupy::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    FileMenu = bar->addMenu(QStringLiteral("&File"));
    New1 = FileMenu->addAction(icon("new"), QStringLiteral("&New"));
    Open1 = FileMenu->addAction(icon("open"), QStringLiteral("&Open"));
    Save1 = FileMenu->addAction(icon("save"), QStringLiteral("&Save"));
    Printgraphic1 = FileMenu->addAction(icon("print_graphic"), QStringLiteral("&Print graphic"));
    Printtext1 = FileMenu->addAction(icon("print_text"), QStringLiteral("Print &text"));
    DxfIn1 = FileMenu->addAction(icon("dxf_in"), QStringLiteral("&Dxf In"));
    End1 = FileMenu->addAction(icon("end"), QStringLiteral("&End"));

    EditMenu = bar->addMenu(QStringLiteral("&Edit"));
    Undo1 = EditMenu->addAction(QStringLiteral("&Undo"));
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = EditMenu->addAction(QStringLiteral("&Redo"));
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    AreaMenu = bar->addMenu(QStringLiteral("&Area"));
    Length1 = AreaMenu->addAction(icon("length"), QStringLiteral("&Length + Rounding"));
    Text1 = AreaMenu->addAction(icon("title"), QStringLiteral("&Title"));
    Correctionterrain1 = AreaMenu->addAction(icon("correction"), QStringLiteral("&Correction-load area"));
    Correctionterrain1->setStatusTip(QStringLiteral("Correction of XY-coordinate"));
    Correctionterrain1->setToolTip(QStringLiteral("Correction of XY-coordinate"));
    BaseJoint1 = AreaMenu->addAction(QStringLiteral("&Base joint"));

    OptionsMenu = bar->addMenu(QStringLiteral("&Options"));
    SetColor1 = OptionsMenu->addAction(icon("color"), QStringLiteral("Set &Color"));
    Directory1 = OptionsMenu->addAction(icon("directory"), QStringLiteral("Di&rectory"));

    HelpMenu = bar->addMenu(QStringLiteral("&Help"));
    QMenu* helpSub = HelpMenu->addMenu(icon("help"), QStringLiteral("&Help"));
    Caverns1 = helpSub->addAction(icon("help_area"), QStringLiteral("&Load area"));
    Directory_Content1 = helpSub->addAction(icon("help_directory"), QStringLiteral("&Directory content"));
    Theory1 = HelpMenu->addAction(icon("theory"), QStringLiteral("&Theory"));
    About1 = HelpMenu->addAction(icon("about"), QStringLiteral("&About"));
}

void Tvstupy::connectCommands()
{
    const auto bind = [this](QAction* action, void (Tvstupy::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    bind(New1, &Tvstupy::New1Click);
    bind(Open1, &Tvstupy::Open1Click);
    bind(Save1, &Tvstupy::Save1Click);
    bind(Printgraphic1, &Tvstupy::Printgraphic1Click);
    bind(Printtext1, &Tvstupy::Printtext1Click);
    bind(End1, &Tvstupy::End1Click);
    bind(Undo1, &Tvstupy::Undo1Click);
    bind(Redo1, &Tvstupy::Redo1Click);
    bind(Length1, &Tvstupy::Length1Click);
    bind(Text1, &Tvstupy::Text1Click);
    bind(Correctionterrain1, &Tvstupy::Correctionterrain1Click);
    bind(BaseJoint1, &Tvstupy::BaseJoint1Click);
    bind(SetColor1, &Tvstupy::SetColor1Click);
    bind(Directory1, &Tvstupy::Directory1Click);
    bind(Caverns1, &Tvstupy::Caverns1Click);
    bind(Directory_Content1, &Tvstupy::Directory_Content1Click);
    bind(Theory1, &Tvstupy::Theory1Click);
    bind(About1, &Tvstupy::About1Click);
    bind(DxfIn1, &Tvstupy::DxfIn1Click);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(SpBu_Kavern, &QToolButton::clicked, this, [this] { guarded([this] { SpBu_KavernClick(); }); });
    connect(SpBu_Kavern_no, &QToolButton::clicked, this, [this] { guarded([this] { SpBu_Kavern_noClick(); }); });
    connect(SpBu_Kavern_abc, &QToolButton::clicked, this, [this] { guarded([this] { SpBu_Kavern_abcClick(); }); });
    connect(Image1_vstupy, &DrawingImage::mouseMoved, this,
            [this](Qt::KeyboardModifiers m, int x, int y) { guarded([&] { Image1_vstupyMouseMove(m, x, y); }); });
    connect(Image1_vstupy, &DrawingImage::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
                guarded([&] { Image1_vstupyMouseDown(b, m, x, y); });
            });
}

void Tvstupy::followHistory()
{
    QUndoStack& stack = history_->stack();
    const auto name = [](QAction* action, const QString& entry, const QString& step) {
        action->setText(step.isEmpty() ? entry : entry + QLatin1Char(' ') + step);
    };
    connect(&stack, &QUndoStack::undoTextChanged, this,
            [this, name](const QString& step) { name(Undo1, QStringLiteral("&Undo"), step); });
    connect(&stack, &QUndoStack::redoTextChanged, this,
            [this, name](const QString& step) { name(Redo1, QStringLiteral("&Redo"), step); });
    connect(&stack, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    Undo1->setEnabled(false);
    Redo1->setEnabled(false);
}

void Tvstupy::guarded(const std::function<void()>& command)
{
    RunReported(dialogs_, command, [this] { showDrawing(); });
    showDrawing();
}

bool Tvstupy::FormCreate(Showing showing)
{
    Button1->setFocus();
    ProjectReset(data_);
    data_.StartDir = CurrentFolder();
    // The configuration comes first: without it the program ends before its window is seen. One
    // that is not a regular file or is too large to be one is unreadable too: its reason comes
    // first, then the end of the program as for any unreadable configuration.
    const FileRead read = ReadBoundedFile(QString::fromLatin1(kConfigFileName), kConfigFileLimit);
    const std::optional<std::string>& config = read.bytes;
    if (!config) {
        if (read.failure == ReadFailure::NotOpened)
            dialogs_.message(QString::fromLatin1(kMsgNoInitialFile), MessageKind::Plain);
        else if (read.failure != ReadFailure::ReadFailed)
            dialogs_.message(ReadRefusalText(QString::fromLatin1(kConfigFileName), read.failure, kConfigFileLimit),
                             MessageKind::Plain);
        dialogs_.message(QString::fromLatin1(kMsgInitialFileError), MessageKind::Plain);
        return false;
    }
    try {
        const Configuration parsed = ParseConfiguration(*config);
        data_.InitialDir = parsed.InitialDir;
        data_.ColorSettings = parsed.Colors;
    } catch (const InvalidNumericInput&) {
        dialogs_.message(QString::fromLatin1(kMsgInitialFileError), MessageKind::Plain);
        return false;
    }
    commands_->setDialogDirectory(FileNameText(data_.InitialDir));
    // The drawing image is sized once, from the inside of the placed window, and 96 x 72 pixels
    // smaller than it; nothing is drawn on it before.
    const QSize client = placeOnWorkArea(showing);
    Image1_vstupy->setImageSize(client.width() - 96, client.height() - 72);
    data_.MaxAreaLength = Image1_vstupy->image().width() - 20;
    Osnova();
    showDrawing();
    return true;
}

QSize Tvstupy::placeOnWorkArea(Showing showing)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Until a window manager has framed the window its frame is unknown: the inside takes the
    // whole work area, which is also the final size where no window manager runs.
    setGeometry(work);
    if (showing == Showing::Hidden)
        return size();
    showMaximized();
    waitForWindowSystem();
    // A window manager that does not maximise still gets a window whose frame fits the work area.
    const QRect frame = frameGeometry();
    if (!work.contains(frame)) {
        const QRect inside = geometry();
        setGeometry(work.adjusted(inside.left() - frame.left(), inside.top() - frame.top(),
                                  inside.right() - frame.right(), inside.bottom() - frame.bottom()));
        waitForWindowSystem();
    }
    return size();
}

void Tvstupy::waitForWindowSystem()
{
    // The window manager frames, places and sizes a new window in its own time: wait until the
    // window is on the screen and its geometry has stayed put for a moment, but never long.
    constexpr int kSteadyMs = 250;
    constexpr int kLimitMs = 3000;
    QElapsedTimer total;
    total.start();
    QElapsedTimer steady;
    steady.start();
    QRect inside = geometry();
    QRect frame = frameGeometry();
    while (total.elapsed() < kLimitMs) {
        // Only the window system's events: no command may run before the window is complete.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
        if (geometry() != inside || frameGeometry() != frame || !windowHandle() || !windowHandle()->isExposed()) {
            inside = geometry();
            frame = frameGeometry();
            steady.restart();
        } else if (steady.elapsed() >= kSteadyMs) {
            return;
        }
    }
}

Canvas& Tvstupy::canvas()
{
    return *canvas_;
}

void Tvstupy::showDrawing()
{
    canvas_->flush();
    Image1_vstupy->update();
}

void Tvstupy::setPanelText(int panel, const std::string& text)
{
    if (panel >= 0 && panel < 4)
        panels_[panel]->setText(FromWin1252(text));
}

QString Tvstupy::panelText(int panel) const
{
    return panel >= 0 && panel < 4 ? panels_[panel]->text() : QString();
}

void Tvstupy::setProjectCaption(const QString& path)
{
    setWindowTitle(path.isEmpty() ? kProgramCaption + QStringLiteral("  ") + kOwnerNotice
                                  : kProgramCaption + QStringLiteral("      ") + path);
}

QSize Tvstupy::drawingSize() const
{
    return Image1_vstupy->image().size();
}

int Tvstupy::chosenArea() const
{
    return SpinEdit_kavern->value();
}

void Tvstupy::releaseAreaButton()
{
    SpBu_Kavern->setChecked(false);
}

void Tvstupy::releaseDeleteButton()
{
    SpBu_Kavern_no->setChecked(false);
}

void Tvstupy::endProgram()
{
    ended_ = true;
    closeConfirmed_ = true;
    close();
}

void Tvstupy::closeEvent(QCloseEvent* event)
{
    if (closeConfirmed_) {
        event->accept();
        return;
    }
    bool mayClose = false;
    guarded([&] { mayClose = FormCloseQuery(); });
    if (mayClose) {
        ended_ = true;
        closeConfirmed_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool Tvstupy::eventFilter(QObject* watched, QEvent* event)
{
    if (polygonInputKey(watched, event))
        return true;
    if (watched == centralWidget() && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint p = move->position().toPoint();
        guarded([&] { FormMouseMove(move->modifiers(), p.x(), p.y()); });
    }
    return QMainWindow::eventFilter(watched, event);
}

bool Tvstupy::polygonInputKey(QObject* watched, QEvent* event)
{
    // The keys are taken before the focus widget sees them (a spin box would edit its text with
    // Backspace), and only while a polygon or the base joint is entered in this window, not in a
    // dialog above it.
    if (event->type() != QEvent::KeyPress || (data_.InputMode != kInputModeLoadArea && !commands_->pickingJoint()))
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    const auto* widget = qobject_cast<QWidget*>(watched);
    if ((key != Qt::Key_Escape && key != Qt::Key_Backspace) || !widget || widget->window() != this)
        return false;
    guarded([&] { key == Qt::Key_Escape ? commands_->cancelInput() : commands_->removeLastVertex(); });
    return true;
}

// The commands themselves run in ProjectCommands.
void Tvstupy::Osnova()
{
    commands_->Osnova();
}
void Tvstupy::Kresli()
{
    commands_->Kresli();
}
void Tvstupy::Vypocet()
{
    commands_->Vypocet();
}
void Tvstupy::New1Click()
{
    commands_->newProject();
}
void Tvstupy::Open1Click()
{
    commands_->open();
}
void Tvstupy::Save1Click()
{
    commands_->save();
}
void Tvstupy::DxfIn1Click()
{
    commands_->dxfIn();
}
void Tvstupy::End1Click()
{
    commands_->end();
}
void Tvstupy::Undo1Click()
{
    commands_->undo();
}
void Tvstupy::Redo1Click()
{
    commands_->redo();
}
bool Tvstupy::FormCloseQuery()
{
    return commands_->mayClose();
}
void Tvstupy::Length1Click()
{
    commands_->length();
}
void Tvstupy::Text1Click()
{
    commands_->title();
}
void Tvstupy::SpBu_Kavern_abcClick()
{
    commands_->areaData();
}
void Tvstupy::Correctionterrain1Click()
{
    commands_->correction();
}
void Tvstupy::BaseJoint1Click()
{
    commands_->baseJoint();
}
void Tvstupy::Directory1Click()
{
    commands_->directory();
}
void Tvstupy::Button1Click()
{
    commands_->compute();
}
void Tvstupy::SpBu_KavernClick()
{
    commands_->armArea();
}
void Tvstupy::SpBu_Kavern_noClick()
{
    commands_->deleteArea();
}
void Tvstupy::Image1_vstupyMouseMove(Qt::KeyboardModifiers, int x, int y)
{
    commands_->mouseMove(x, y);
}
void Tvstupy::FormMouseMove(Qt::KeyboardModifiers, int, int)
{
    commands_->mouseOverWindow();
}

void Tvstupy::Image1_vstupyMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    commands_->mouseDown(button == Qt::LeftButton    ? MouseButton::Left
                         : button == Qt::RightButton ? MouseButton::Right
                                                     : MouseButton::Middle,
                         x, y);
}

}  // namespace kalven
