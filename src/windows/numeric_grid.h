#pragma once
// StringGrid1 of the editing dialogs: a grid with a fixed header row and a fixed first column,
// a cell editor that is always open on the current cell, number columns that take only the
// digits and the point, and Enter moving to the next cell: to the right, then to column 1 of the
// next row, and from the last row back to row 1.
//
// Cells are addressed as (column, row): row 0 is the fixed header row, column 0 the fixed first
// column, rows 1..rowCount() the editable rows, as the dialogs' designs number them.

#include <QTableWidget>
#include <cstdint>
#include <vector>

#include "core/cell_number.h"

class QKeyEvent;
class QLineEdit;

namespace kalven {

class NumericGrid : public QTableWidget {
    Q_OBJECT
public:
    // columns: the fixed first column included; rows: the editable rows below the header.
    NumericGrid(int columns, int rows, QWidget* parent = nullptr);

    // A column in which every character may be typed (a free text); the others are numbers.
    void setTextColumn(int column);
    bool isTextColumn(int column) const;
    // A number column read as an integer: its cells take no change after which the value would
    // need more than 32 bits.
    void setIntegerColumn(int column);
    bool isIntegerColumn(int column) const;

    QString cellText(int column, int row) const;
    void setCellText(int column, int row, const QString& text);
    std::int32_t cellInteger(int column, int row) const { return CellInteger(cellText(column, row)); }
    // Shows `text`, the short form of `value`. Until the user edits the cell, cellReal gives back
    // `value` itself, so a cell nobody touched keeps the digits its form does not show.
    void setCellReal(int column, int row, const QString& text, double value);
    double cellReal(int column, int row) const;

    // The current cell; row 0 and column 0 when there is none.
    int gridColumn() const;
    int gridRow() const;
    void setGridCell(int column, int row);
    void moveToNextCell();
    // The editor open on the current cell.
    QLineEdit* cellEditor() const;

    // The key filter and Enter movement for a key typed in `column`; true when the key is used up.
    bool handleKey(int column, const QKeyEvent& event);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void makeFixed(QTableWidgetItem& item) const;

    std::vector<bool> textColumns_;
    std::vector<bool> integerColumns_;
};

}  // namespace kalven
