#pragma once
// The commands of the main window without its widgets: the project file, the questions before a
// project is thrown away, the editing dialogs' effects, the DXF import, polygon input, Compute,
// and undo and redo of every edit.
// The window keeps its widgets and hands each command over in one line, so a test can drive any
// command with scripted answers and a recording canvas.

#include <QSize>
#include <QString>
#include <optional>

#include "core/dxf_import.h"
#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"
#include "drawing/polygon_input.h"

namespace kalven {

class EditHistory;
class UserDialogs;

// Status panel 3 explains the polygon input and every refused click or arming.
inline constexpr const char* kInputHint = "Esc cancels, Backspace removes the last point";
// Panel 3 while the base joint's two points are picked.
inline constexpr const char* kJointPickHint = "Click A, then B with the left button; Esc cancels";

// What only the main window can do for a command.
class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    // The caption " KALVEN  V 1.0      " + path, after a successful Save or Open; the caption of
    // the start for an empty path, when an undo takes back the first Open.
    virtual void setProjectCaption(const QString& path) = 0;
    // Shows what has been drawn so far, before a message box covers the window.
    virtual void showDrawing() = 0;
    // The drawing image's size in pixels; the commands' drawings fill it.
    virtual QSize drawingSize() const = 0;
    // The load area number chosen beside the area buttons.
    virtual int chosenArea() const = 0;
    virtual void releaseAreaButton() = 0;
    virtual void releaseDeleteButton() = 0;
    // End was confirmed: the window closes without asking again.
    virtual void endProgram() = 0;
};

// How the base joint dialog was left.
struct BaseJointChoice {
    enum class Action { Cancel, Set, Remove, Pick };
    Action action = Action::Cancel;
    // Set: the joint as typed; Pick: the friction coefficient the picked joint gets.
    BaseJoint joint;
};

// The modal dialogs that edit the project in place. Each is shown through UserDialogs::runModal.
class EditingDialogs {
public:
    virtual ~EditingDialogs() = default;
    // Length and rounding; true when closed with OK.
    virtual bool editLength() = 0;
    virtual void editTitle() = 0;
    // Multiplier, alpha, shift and text of every load area.
    virtual void editAreaData() = 0;
    // The vertices of load area CorrectionArea.
    virtual void editCorrection() = 0;
    // The initial folder of the file dialogs, which OK writes to kalven1.cfg.
    virtual void editDirectory() = 0;
    // The layers and unit to import from a read drawing; nothing when cancelled.
    virtual std::optional<DxfImportOptions> chooseDxfImport(const DxfDrawing& drawing) = 0;
    // The project's base joint to type, remove or pick with the mouse; it changes nothing itself.
    virtual BaseJointChoice editBaseJoint() = 0;
};

class ProjectCommands {
public:
    ProjectCommands(ProjectData& data, UserDialogs& dialogs, EditingDialogs& editing, Canvas& canvas,
                    StatusPanels& panels, CommandWindow& window, EditHistory& history);

    // The initial folder of the open, save and DXF file dialogs.
    void setDialogDirectory(const QString& directory) { dialogDirectory_ = directory; }
    QString dialogDirectory() const { return dialogDirectory_; }

    void Osnova();  // raster and frame
    void Kresli();  // load areas and title

    // Every command does nothing while a polygon is being entered (Idle false).
    void newProject();
    void open();
    void save();
    void dxfIn();
    void end();
    // The window's close request; true when it may close. It asks also while a polygon is entered:
    // closing without a question would throw the project away.
    bool mayClose();
    void length();
    void title();
    void areaData();
    void correction();
    void directory();
    // The base joint dialog, and the picking of A and B with the mouse that it may start.
    void baseJoint();
    void compute();
    // Resultant computation and its drawing, after the checks have passed.
    void Vypocet();
    // Take back the last edit of the project, or make it again; each redraws the project.
    void undo();
    void redo();

    // Polygon input on the drawing image.
    void armArea();
    void deleteArea();
    void mouseMove(int x, int y);
    void mouseDown(MouseButton button, int x, int y);
    // Escape: the polygon under input is given up and its area is as it was before arming; a
    // joint being picked is given up and the project's joint stays as it was.
    void cancelInput();
    // Backspace: the last picked vertex, or a picked joint point A, is taken back.
    void removeLastVertex();
    // True while the base joint's points are picked: the keys of the input are then taken too.
    bool pickingJoint() const { return jointPick_ != JointPick::Off; }
    // The mouse over the window beside the drawing image.
    void mouseOverWindow();
    // The rubber band: from the last placed vertex to the last mouse position.
    PixelPoint bandAnchor() const { return bandAnchor_; }

private:
    // What an edit changes and its undo puts back: the project, and the file the caption names.
    struct Snapshot {
        ProjectContent content;
        QString path;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const;
    // After an edit: a step named for the Edit menu, unless the edit changed nothing.
    void record(const QString& name, const Snapshot& before);
    void restore(const Snapshot& to, bool withPath);
    // An Idle-guarded command may run; an explanation in panel 3 is then done with.
    bool startCommand();
    // Panel 3, written only when its text changes.
    void showPanel3(const std::string& text);

    // Save without the Idle guard: the save question of a close request during polygon input
    // saves the project as it stands. False when a chosen file could not be written (the message
    // has been shown); a cancelled dialog is no failure.
    bool saveProject();
    // "Save current file ?" and, on Yes, the save. False when that save failed: the command that
    // asked stops, so the project is not thrown away unsaved.
    bool askToSave();
    PolygonInput polygonInput();
    // The joint's new value as one edit: the results go and the drawing is made anew.
    void setJoint(const BaseJoint& joint);
    // A left click while the joint is picked: A first, then B, never B on A.
    void pickJointPoint();
    // The mark of a picked A, in not-xor: drawn a second time it is gone again.
    void markJointA();

    enum class JointPick { Off, A, B };

    ProjectData& data_;
    UserDialogs& dialogs_;
    EditingDialogs& editing_;
    Canvas& canvas_;
    StatusPanels& panels_;
    CommandWindow& window_;
    EditHistory& history_;
    QString dialogDirectory_;
    QString projectPath_;   // the file of the last Save or Open
    Snapshot inputBefore_;  // the project when the polygon under input was armed
    std::string panel3_;
    PixelPoint bandAnchor_;
    PixelPoint bandEnd_;
    JointPick jointPick_ = JointPick::Off;
    BaseJoint pickedJoint_;  // A and mu while B is awaited
};

}  // namespace kalven
