#pragma once
// The steps a user can take back: each edit of the project arrives here as a name for the Edit
// menu and the two ways of putting the project in its place.

#include <QString>
#include <functional>

namespace kalven {

class EditHistory {
public:
    virtual ~EditHistory() = default;
    // An edit that has just been made. undo puts the project back as it was before it, redo as it
    // was after it; neither runs now. A new edit drops the steps that had been undone.
    virtual void add(const QString& name, std::function<void()> undo, std::function<void()> redo) = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;
};

}  // namespace kalven
