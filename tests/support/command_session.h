#pragma once
// ProjectCommands without a window: scripted answers for the message boxes and file dialogs, a
// fake of the editing dialogs that changes the project as a person in them would, and a window
// stand-in that records what the commands asked of it.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "commands/project_commands.h"
#include "platform/undo_history.h"
#include "support/fake_user_dialogs.h"
#include "support/started_window.h"
#include "support/recording_canvas.h"
#include "support/recording_panels.h"
#include "support/working_folder.h"
#include "windows/qt_editing_dialogs.h"

namespace kalven::testing {

class FakeEditingDialogs : public EditingDialogs {
public:
    // What the person does in the next editing dialog: changes the project and answers whether
    // the dialog was closed with OK. With nothing queued the dialog is cancelled untouched.
    void answer(std::function<bool()> edit) { edits_.push_back(std::move(edit)); }
    // The options chosen in the next DXF import dialog; nothing: cancelled.
    void answerDxf(std::function<std::optional<DxfImportOptions>(const DxfDrawing&)> choose)
    {
        dxf_.push_back(std::move(choose));
    }

    bool editLength() override { return next("length"); }
    void editTitle() override { next("title"); }
    void editAreaData() override { next("area data"); }
    void editCorrection() override { next("correction"); }
    void editDirectory() override { next("directory"); }
    std::optional<DxfImportOptions> chooseDxfImport(const DxfDrawing& drawing) override
    {
        shown.push_back("dxf import");
        if (dxf_.empty()) {
            ADD_FAILURE() << "unexpected DXF import dialog";
            return std::nullopt;
        }
        auto choose = std::move(dxf_.front());
        dxf_.pop_front();
        return choose(drawing);
    }

    // How a base joint dialog answered with true is left.
    BaseJointChoice joint;
    BaseJointChoice editBaseJoint() override { return next("base joint") ? joint : BaseJointChoice{}; }

    bool allAnswered() const { return edits_.empty() && dxf_.empty(); }
    std::vector<std::string> shown;  // the dialogs shown, in order

private:
    bool next(const char* name)
    {
        shown.push_back(name);
        if (edits_.empty()) {
            ADD_FAILURE() << "unexpected " << name << " dialog";
            return false;
        }
        auto edit = std::move(edits_.front());
        edits_.pop_front();
        return edit();
    }

    std::deque<std::function<bool()>> edits_;
    std::deque<std::function<std::optional<DxfImportOptions>(const DxfDrawing&)>> dxf_;
};

struct FakeCommandWindow : CommandWindow {
    explicit FakeCommandWindow(const FakeUserDialogs& d) : dialogs(d) {}
    void setProjectCaption(const QString& path) override { caption = path; }
    // Records how many dialogs had been shown when the drawing was.
    void showDrawing() override { shownAfter.push_back(dialogs.calls().size()); }
    QSize drawingSize() const override { return size; }
    int chosenArea() const override { return area; }
    void releaseAreaButton() override { areaButtonDown = false; }
    void releaseDeleteButton() override { deleteButtonDown = false; }
    void endProgram() override { ended = true; }

    const FakeUserDialogs& dialogs;
    QString caption;  // the path in the caption
    std::vector<std::size_t> shownAfter;
    QSize size{601, 425};  // 24.04 pixels a metre on a 25 m area
    int area = 1;
    bool areaButtonDown = true;
    bool deleteButtonDown = true;
    bool ended = false;
};

// The commands on a recording canvas, in a fresh working folder, with an empty project. The
// editing dialogs are the fake, or the real dialogs shown through the scripted dialogs.
struct CommandSession {
    enum class Editing { Fake, Real };
    WorkingFolder folder;
    ProjectData data;
    FakeUserDialogs dialogs;
    FakeEditingDialogs editing;
    QtEditingDialogs realEditing{data, dialogs, nullptr};
    RecordingCanvas canvas;
    RecordingPanels panels;
    FakeCommandWindow window{dialogs};
    UndoHistory history;
    const Editing kind;
    ProjectCommands commands{
        data,   dialogs, kind == Editing::Real ? static_cast<EditingDialogs&>(realEditing) : editing, canvas, panels,
        window, history};

    explicit CommandSession(Editing editingKind = Editing::Fake) : kind(editingKind)
    {
        ProjectReset(data);
        commands.setDialogDirectory(QStringLiteral("examples"));
    }
    // Queues what the person does in the next real dialog, which must be a D.
    template <typename D> void inDialog(std::function<void(D&)> act) { AnswerDialog<D>(dialogs, std::move(act)); }
    // Runs the command; true when it drew anything.
    bool draws(void (ProjectCommands::*command)())
    {
        canvas.clear();
        (commands.*command)();
        return !canvas.calls().empty();
    }
    bool quiet() const { return dialogs.calls().empty() && editing.shown.empty(); }
};

}  // namespace kalven::testing
