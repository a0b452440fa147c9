#include "windows/Unit16_about1.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSvgRenderer>

#include "platform/resources.h"

namespace kalven {

namespace {

constexpr int kPictureWidth = 500;
constexpr int kPictureHeight = 407;

const char* const kMakers = "KALVEN developers are structural engineers and programmers who write small, exact tools "
                            "for the everyday static calculation of building structures.\n"
                            "KALVEN reduces the area loads of a cross-section - concrete, soil, earth pressure, "
                            "surface loads - to their resultant, so that a wall, a footing or a cellar can be checked "
                            "in minutes and the figures can be traced by hand.";

QPixmap AboutPicture()
{
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    QSvgRenderer renderer(QStringLiteral(":/pictures/about_picture.svg"));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

// The licence file's words, each paragraph joined into one line so that the box wraps it.
QString LicenceText()
{
    QFile file(QStringLiteral(":/LICENSE"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("MIT License\nCopyright (c) 2026 KALVEN developers");
    QStringList paragraphs = QString::fromUtf8(file.readAll()).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
    for (QString& paragraph : paragraphs)
        paragraph = paragraph.simplified();
    return paragraphs.join(QStringLiteral("\n\n"));
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, const QString& text, bool bold, int top, int height)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(4, top, kPictureWidth, height);
    memo->setReadOnly(true);
    QFont font = memo->font();
    font.setPointSize(12);
    font.setBold(bold);
    memo->setFont(font);
    memo->setPlainText(text);
    return memo;
}

}  // namespace

Tabout::Tabout(QWidget* parent) : QDialog(parent)
{
    InitResources();
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral(" About"));
    resize(509, 739);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(4, 4, kPictureWidth, kPictureHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(AboutPicture());

    Memo1 = Memo(this, "Memo1", LicenceText(), true, 415, 200);
    Memo2 = Memo(this, "Memo2", QString::fromLatin1(kMakers), false, 619, 112);

    for (QWidget* target : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Memo1), Memo1->viewport(),
                            static_cast<QWidget*>(Memo2), Memo2->viewport()})
        target->installEventFilter(this);
}

void Tabout::FormClick()
{
    close();
}

void Tabout::FormKeyPress()
{
    close();
}

void Tabout::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    FormClick();
}

void Tabout::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty())
        FormKeyPress();
    else
        QDialog::keyPressEvent(event);
}

bool Tabout::eventFilter(QObject* watched, QEvent* event)
{
    // The scroll bars of the text boxes are not watched: they scroll the terms without closing.
    if (event->type() == QEvent::MouseButtonRelease) {
        FormClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->text().isEmpty()) {
        FormKeyPress();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kalven
