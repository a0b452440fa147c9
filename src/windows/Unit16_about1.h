#pragma once
// Tabout: the program's name, version and makers, its terms of use and a word about the makers.
// A click anywhere on it or a typed character closes it.

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace kalven {

class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;  // terms of use: the licence the program is distributed under
    QPlainTextEdit* Memo2 = nullptr;  // the makers

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormClick();
    void FormKeyPress();
};

}  // namespace kalven
