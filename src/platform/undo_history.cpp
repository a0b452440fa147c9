#include "platform/undo_history.h"

#include <QUndoCommand>

namespace kalven {

namespace {

class EditStep : public QUndoCommand {
public:
    EditStep(const QString& name, std::function<void()> undo, std::function<void()> redo)
        : QUndoCommand(name), undo_(std::move(undo)), redo_(std::move(redo))
    {
    }
    void undo() override { undo_(); }
    void redo() override
    {
        // The stack redoes a step as it takes it, but the edit has been made already.
        if (made_)
            redo_();
        made_ = true;
    }

private:
    std::function<void()> undo_;
    std::function<void()> redo_;
    bool made_ = false;
};

}  // namespace

UndoHistory::UndoHistory()
{
    stack_.setUndoLimit(kUndoSteps);
}

void UndoHistory::add(const QString& name, std::function<void()> undo, std::function<void()> redo)
{
    stack_.push(new EditStep(name, std::move(undo), std::move(redo)));
}

void UndoHistory::undo()
{
    stack_.undo();
}

void UndoHistory::redo()
{
    stack_.redo();
}

}  // namespace kalven
