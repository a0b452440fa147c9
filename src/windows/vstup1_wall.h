#pragma once
// Tvstupy, the main window: the drawing area, the tool column, the status bar and the menu.
// Every command of the program starts here; the project's commands run in ProjectCommands:
//   vstup1_wall.cpp          creation, layout, menu, start-up and the hand-over of each command
//   vstup1_wall_print.cpp    the text report and the graphic printout
//   vstup1_wall_help.cpp     colours, help and about windows

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "commands/project_commands.h"
#include "core/program_name.h"
#include "core/project_data.h"
#include "core/status_panels.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kalven {

class Canvas;
class DrawingImage;
class QtCanvas;
class QtEditingDialogs;
class Tmirt_color;
class UndoHistory;
class UserDialogs;

inline const QString kProgramCaption = QString::fromLatin1(kProgramName);
inline const QString kOwnerNotice = QStringLiteral("(c) KALVEN developers");

class Tvstupy : public QMainWindow, public StatusPanels, public CommandWindow {
    Q_OBJECT
public:
    explicit Tvstupy(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~Tvstupy() override;

    // How FormCreate leaves the window: hidden (its inside then takes the whole work area), or
    // shown maximised, its inside being what the window manager leaves inside its frame.
    enum class Showing { Hidden, Maximised };

    // FormCreate: resets the project, reads kalven1.cfg from the current directory, places the
    // window on the screen's work area, sizes the drawing image from the window's inside and draws
    // the raster. False when the configuration could not be read; its messages have been shown,
    // the window was never shown and the program must end.
    bool FormCreate(Showing showing = Showing::Hidden);

    ProjectData& data() { return data_; }
    const ProjectData& data() const { return data_; }
    UserDialogs& dialogs() { return dialogs_; }
    Canvas& canvas();
    ProjectCommands& commands() { return *commands_; }

    // CommandWindow
    void showDrawing() override;  // shows what was drawn on the drawing image
    QSize drawingSize() const override;
    int chosenArea() const override;
    void releaseAreaButton() override;
    void releaseDeleteButton() override;
    void endProgram() override;

    // StatusPanels
    void setPanelText(int panel, const std::string& text) override;
    QString panelText(int panel) const;

    // True once End or an accepted close request has ended the program.
    bool ended() const { return ended_; }

    // Components, named as in the window's design.
    DrawingImage* Image1_vstupy = nullptr;
    QToolButton* SpBu_Kavern = nullptr;
    QSpinBox* SpinEdit_kavern = nullptr;
    QToolButton* SpBu_Kavern_no = nullptr;
    QToolButton* SpBu_Kavern_abc = nullptr;
    QPushButton* Button1 = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* AreaMenu = nullptr;
    QMenu* OptionsMenu = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Printgraphic1 = nullptr;
    QAction* Printtext1 = nullptr;
    QAction* DxfIn1 = nullptr;
    QAction* End1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Length1 = nullptr;
    QAction* Text1 = nullptr;
    QAction* Correctionterrain1 = nullptr;
    QAction* BaseJoint1 = nullptr;
    QAction* SetColor1 = nullptr;
    QAction* Directory1 = nullptr;
    QAction* Caverns1 = nullptr;
    QAction* Directory_Content1 = nullptr;
    QAction* Theory1 = nullptr;
    QAction* About1 = nullptr;
    // The colour dialog: created at the first "Set Color" and kept, so its working copy lasts.
    Tmirt_color* mirt_color = nullptr;

    // Operations of the main window.
    void Osnova();   // raster and frame
    void Kresli();   // load areas and title
    void Vypocet();  // resultant computation and its drawing

    // Command handlers. Every one of them does nothing while a polygon input is under way
    // (Idle false), except the Help entries and About.
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Printgraphic1Click();
    void Printtext1Click();
    void DxfIn1Click();
    void End1Click();
    void Undo1Click();
    void Redo1Click();
    void Length1Click();
    void Text1Click();
    void Correctionterrain1Click();
    void BaseJoint1Click();
    void SetColor1Click();
    void Directory1Click();
    void Caverns1Click();
    void Directory_Content1Click();
    void Theory1Click();
    void About1Click();
    void Button1Click();
    void SpBu_KavernClick();
    void SpBu_Kavern_noClick();
    void SpBu_Kavern_abcClick();
    void Image1_vstupyMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1_vstupyMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    // FormCloseQuery: true when the window may close.
    bool FormCloseQuery();

    // Sets the caption " KALVEN  V 1.0      " + path after a successful Save or Open, or the
    // caption of the start for an empty path.
    void setProjectCaption(const QString& path) override;
    // The initial folder of the open and save dialogs.
    QString dialogDirectory() const { return commands_->dialogDirectory(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    // Puts the window on the work area of the screen; the size of its inside.
    QSize placeOnWorkArea(Showing showing);
    void waitForWindowSystem();
    void buildMenu();
    void connectCommands();
    // The Edit menu's entries name the step they would take back or make again.
    void followHistory();
    // Escape and Backspace reach the polygon input wherever the keyboard focus is in the window.
    bool polygonInputKey(QObject* watched, QEvent* event);
    // Runs a command through the general error report, then shows the drawing.
    void guarded(const std::function<void()>& command);
    QPrinter& printer();

    ProjectData data_;
    UserDialogs& dialogs_;
    std::unique_ptr<QtCanvas> canvas_;
    std::unique_ptr<QtEditingDialogs> editing_;
    std::unique_ptr<UndoHistory> history_;
    std::unique_ptr<ProjectCommands> commands_;
    // The printer of both printouts, made at the first of them and kept, so the printer, paper and
    // orientation chosen in one set-up are where the next set-up starts.
    std::unique_ptr<QPrinter> printer_;
    QLabel* panels_[4] = {};
    bool ended_ = false;
    bool closeConfirmed_ = false;
};

}  // namespace kalven
