#pragma once
// Image1_vstupy: a widget that keeps its picture (a QImage) and reports mouse-down and
// mouse-move in image pixels.

#include <QImage>
#include <QWidget>

namespace kalven {

class DrawingImage : public QWidget {
    Q_OBJECT
public:
    explicit DrawingImage(QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // Gives the picture a new size; the widget takes the same size.
    void setImageSize(int width, int height);

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMoved(Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace kalven
