#include "windows/numeric_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QValidator>

#include "core/cell_number.h"

namespace kalven {

namespace {

constexpr int kRowHeight = 24;
constexpr const char* kColumnProperty = "gridColumn";
constexpr int kShownValueRole = Qt::UserRole;
constexpr int kShownTextRole = Qt::UserRole + 1;
constexpr int kEditedRole = Qt::UserRole + 2;

// Refuses every change (a typed digit, a deleted point) after which an integer cell would stand
// for more than 32 bits hold, so what the cell shows is what is stored.
class Int32Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override { return CellInt32(text) ? Acceptable : Invalid; }
};

// Creates the line editors of the grid, writes every change into its cell at once (so the cells
// always hold what is on screen) and lets the grid see each key before the editor does.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(NumericGrid& grid) : QStyledItemDelegate(&grid), grid_(&grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setProperty(kColumnProperty, index.column());
        if (!grid_->isTextColumn(index.column())) {
            // Only typed digits and points reach a number cell: no dropping or pasting of other text.
            editor->setAcceptDrops(false);
            editor->setContextMenuPolicy(Qt::NoContextMenu);
        }
        if (grid_->isIntegerColumn(index.column()))
            editor->setValidator(new Int32Validator(editor));
        const QPersistentModelIndex cell(index);
        NumericGrid* grid = grid_;
        // Only the editor knows that the user changed a cell: a value typed again as it is shown
        // must replace the stored value, though the text is the same.
        connect(editor, &QLineEdit::textEdited, grid, [grid, cell](const QString& text) {
            if (cell.isValid()) {
                grid->model()->setData(cell, text, Qt::EditRole);  // first: the editor then matches its cell
                grid->model()->setData(cell, true, kEditedRole);
            }
        });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() != text) {  // not on the echo of the editor's own change
            line->setText(text);
            line->selectAll();
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        const int column = object->property(kColumnProperty).toInt();
        if (event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (grid_->handleKey(column, key))
                return true;
            if (key.key() == Qt::Key_Escape)
                return false;  // not taken by the editor: it reaches the dialog, as Cancel
        }
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton && !grid_->isTextColumn(column))
            return true;  // the X11 selection paste
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    NumericGrid* grid_;
};

}  // namespace

NumericGrid::NumericGrid(int columns, int rows, QWidget* parent)
    : QTableWidget(rows, columns, parent), textColumns_(static_cast<std::size_t>(columns), false),
      integerColumns_(static_cast<std::size_t>(columns), false)
{
    setItemDelegate(new GridDelegate(*this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);  // the editor is opened by the grid itself
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    // The header row stands still while the rows scroll, as a fixed row does.
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setFixedHeight(kRowHeight);

    for (int c = 0; c < columns; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem();
            if (c == 0)
                makeFixed(*item);
            setItem(r, c, item);
        }
    }
    if (rows > 0 && columns > 1)
        setGridCell(1, 1);
}

void NumericGrid::makeFixed(QTableWidgetItem& item) const
{
    item.setFlags(Qt::NoItemFlags);  // never current, selected or edited
    item.setBackground(palette().brush(QPalette::Button));
    item.setForeground(palette().brush(QPalette::ButtonText));
}

void NumericGrid::setTextColumn(int column)
{
    if (column >= 0 && column < columnCount())
        textColumns_[static_cast<std::size_t>(column)] = true;
}

bool NumericGrid::isTextColumn(int column) const
{
    return column >= 0 && column < columnCount() && textColumns_[static_cast<std::size_t>(column)];
}

void NumericGrid::setIntegerColumn(int column)
{
    if (column >= 0 && column < columnCount())
        integerColumns_[static_cast<std::size_t>(column)] = true;
}

bool NumericGrid::isIntegerColumn(int column) const
{
    return column >= 0 && column < columnCount() && integerColumns_[static_cast<std::size_t>(column)];
}

QString NumericGrid::cellText(int column, int row) const
{
    const QTableWidgetItem* cell = row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
    return cell ? cell->text() : QString();
}

void NumericGrid::setCellText(int column, int row, const QString& text)
{
    QTableWidgetItem* cell = row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
    if (cell)
        cell->setText(text);
}

void NumericGrid::setCellReal(int column, int row, const QString& text, double value)
{
    setCellText(column, row, text);
    if (QTableWidgetItem* cell = row >= 1 ? item(row - 1, column) : nullptr) {
        cell->setData(kShownValueRole, value);
        cell->setData(kShownTextRole, text);
        cell->setData(kEditedRole, false);
    }
}

double NumericGrid::cellReal(int column, int row) const
{
    const QTableWidgetItem* cell = row >= 1 ? item(row - 1, column) : nullptr;
    if (cell && cell->data(kShownValueRole).isValid() && !cell->data(kEditedRole).toBool() &&
        cell->text() == cell->data(kShownTextRole).toString())
        return cell->data(kShownValueRole).toDouble();
    return CellReal(cellText(column, row));
}

int NumericGrid::gridColumn() const
{
    return currentIndex().isValid() ? currentIndex().column() : 0;
}

int NumericGrid::gridRow() const
{
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

void NumericGrid::setGridCell(int column, int row)
{
    if (column >= 1 && column < columnCount() && row >= 1 && row <= rowCount())
        setCurrentCell(row - 1, column);
}

void NumericGrid::moveToNextCell()
{
    if (rowCount() == 0 || columnCount() < 2)
        return;
    int column = gridColumn();
    int row = gridRow();
    if (row < 1 || column < 1) {
        setGridCell(1, 1);
        return;
    }
    if (column < columnCount() - 1) {
        ++column;
    } else {
        column = 1;
        row = row < rowCount() ? row + 1 : 1;
    }
    setGridCell(column, row);
}

QLineEdit* NumericGrid::cellEditor() const
{
    return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

bool NumericGrid::handleKey(int column, const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveToNextCell();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    if (isTextColumn(column))
        return false;
    if (event.matches(QKeySequence::Paste))
        return true;
    if (event.matches(QKeySequence::SelectAll) || event.matches(QKeySequence::Copy))
        return false;  // so that what is typed next replaces the value
    const QString text = event.text();
    for (QChar c : text) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')))
            return true;
    }
    return false;  // a digit, a point, or a key that types nothing (arrows, Home, End)
}

void NumericGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableWidget::currentChanged(current, previous);
    QWidget* oldEditor = previous.isValid() ? indexWidget(previous) : nullptr;
    const bool hadFocus = hasFocus() || (oldEditor && oldEditor->hasFocus());
    if (oldEditor) {
        if (hadFocus)
            setFocus();  // keeps the focus in the grid while the old editor goes
        commitData(oldEditor);
        QAbstractItemView::closePersistentEditor(previous);
    }
    if (current.isValid() && current.column() == 0 && columnCount() > 1) {
        setCurrentCell(current.row(), 1);  // the fixed column never holds the cursor
    } else if (current.isValid() && (current.flags() & Qt::ItemIsEditable)) {
        QAbstractItemView::openPersistentEditor(current);
    }
    if (QWidget* editor = cellEditor(); editor && hadFocus)
        editor->setFocus();
}

void NumericGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();  // for the dialog: Cancel
        return;
    }
    if (handleKey(gridColumn(), *event)) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void NumericGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    if (QWidget* editor = cellEditor())
        editor->setFocus(event->reason());
}

}  // namespace kalven
