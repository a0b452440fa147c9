#pragma once
// The edit history on Qt's undo stack, whose signals keep the Edit menu's entries up to date.

#include <QUndoStack>

#include "commands/edit_history.h"

namespace kalven {

// Steps kept before the oldest is forgotten; a step holds the project twice, about 30 kB.
inline constexpr int kUndoSteps = 200;

class UndoHistory : public EditHistory {
public:
    UndoHistory();
    void add(const QString& name, std::function<void()> undo, std::function<void()> redo) override;
    void undo() override;
    void redo() override;

    QUndoStack& stack() { return stack_; }

private:
    QUndoStack stack_;
};

}  // namespace kalven
