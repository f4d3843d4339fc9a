#include "app/halmirawindow.h"

#include "app/commandbutton.h"
#include "app/hscrollbar.h"
#include "app/words.h"
#include "core/window/wiring.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <vector>

void registerFontSubstitutes()
{
    // fontconfig alone would pick a much wider face for the design font.
    QStringList substitutes;
    for (const char *family : layout::fontSubstitutes)
        substitutes << QString::fromLatin1(family);
    QFont::insertSubstitutions(QString::fromLatin1(layout::fontFamily), substitutes);
}

QString pictureResource(layout::Picture picture)
{
    return QStringLiteral(":/") + fromUtf8(layout::pictureFile(picture));
}

// Fonts are sized in pixels at 96 dpi, so text keeps its size against the twip-placed controls.
QFont designFont(const layout::Font &design)
{
    QFont font(QString::fromLatin1(layout::fontFamily));
    font.setPixelSize(layout::fontPixels(design));
    font.setWeight(design.bold ? QFont::Bold : QFont::Normal);
    return font;
}

namespace {

QPalette withBackground(QPalette palette, QPalette::ColorRole role)
{
    palette.setColor(role, toQColor(layout::backColor));
    return palette;
}

// A picture as the preload decoded it, or decoded now where it was not preloaded.
QPixmap pictureFrom(const Pictures &pictures, const QString &resource)
{
    const QImage image = pictures.value(resource);
    return QPixmap::fromImage(image.isNull() ? QImage(resource) : image);
}

// The control without its text, which comes after its font.
QWidget *makeWidget(const layout::Control &row, const Pictures &pictures, QWidget *parent)
{
    switch (row.kind) {
    case layout::Kind::TextBox: {
        auto *box = new QLineEdit(parent);
        if (row.style == layout::Style::CaptionBox) {
            box->setFrame(false);
            box->setPalette(withBackground(box->palette(), QPalette::Base));
            box->setFocusPolicy(Qt::ClickFocus);
        }
        return box;
    }
    case layout::Kind::ScrollBar: {
        auto *bar = new HScrollBar(parent);
        bar->setRange(layout::scrollMinimum, layout::scrollMaximum);
        bar->setSingleStep(layout::scrollStep);
        bar->setPageStep(layout::scrollStep);
        // A drag reports its value once, on release, like the other ways of changing it.
        bar->setTracking(false);
        bar->setFocusPolicy(Qt::StrongFocus);
        return bar;
    }
    case layout::Kind::CommandButton:
        return new CommandButton(parent);
    case layout::Kind::PictureBox:
    case layout::Kind::Image: {
        auto *picture = new QLabel(parent);
        picture->setPixmap(pictureFrom(pictures, pictureResource(row.picture)));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (row.kind == layout::Kind::PictureBox)
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return picture;
    }
    case layout::Kind::Label: {
        auto *label = new QLabel(parent);
        label->setAutoFillBackground(true);
        label->setPalette(withBackground(label->palette(), QPalette::Window));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    }
    return nullptr;
}

// A text box lays its text out each time its font or text changes, so the text comes last.
void setInitialText(QWidget *widget, const QString &text)
{
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->setText(text);
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(widget); label && label->pixmap().isNull()) {
        label->setText(text);
        // A label sets its first line at its top edge, so a mark that rises above the face's
        // ascent, as a caron on a capital does, would lose its top row there.
        const QFontMetrics metrics = label->fontMetrics();
        const int above = -metrics.tightBoundingRect(text).top() - metrics.ascent();
        label->setContentsMargins(0, std::max(0, above), 0, 0);
    }
}

} // namespace

std::vector<QString> windowPictures()
{
    std::vector<QString> paths{pictureResource(layout::windowIcon)};
    for (const layout::Control &row : layout::controls)
        if (row.picture != layout::Picture::None)
            paths.push_back(pictureResource(row.picture));
    return paths;
}

HalmiraWindow::HalmiraWindow(const Pictures &pictures, Language language)
    : WidgetForm(language), pictureMenu_(new PictureMenu(*this))
{
    setObjectName(QString::fromLatin1(layout::windowName));
    setWindowTitle(words(layout::caption, language));
    setWindowIcon(pictureFrom(pictures, pictureResource(layout::windowIcon)));
    setAutoFillBackground(true);
    setPalette(withBackground(palette(), QPalette::Window));
    setFont(designFont({}));
    resize(twipsToPixels(layout::openingWidth), twipsToPixels(layout::openingHeight));

    for (const layout::Control &row : layout::controls)
        build(row, pictures);
    setTabOrder();
    wire();
    control(layout::firstFocus().name)->setFocus();
}

void HalmiraWindow::keyPressEvent(QKeyEvent *event)
{
    if (!pictureMenu_->keyPressed(event))
        WidgetForm::keyPressEvent(event);
}

void HalmiraWindow::contextMenuEvent(QContextMenuEvent *event)
{
    // From the keyboard, the menu opens over the drawing rather than where the pointer is.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? mapToGlobal(canvasView().geometry().center() / 2)
                          : event->globalPos();
    pictureMenu_->popup(at);
}

// Each control's event runs its handler, as the engine's table has it; the window's own Load
// runs now, before any input.
void HalmiraWindow::wire()
{
    std::vector<Handler> onLoad;
    for (const Wire &wire : wiring) {
        const Handler handler = wire.handler;
        switch (wire.event) {
        case Event::Load:
            onLoad.push_back(handler);
            break;
        case Event::Click:
            connect(qobject_cast<QPushButton *>(control(wire.control)), &QPushButton::clicked, this,
                    [this, handler] { handle(handler); });
            break;
        case Event::Change:
            connect(qobject_cast<QScrollBar *>(control(wire.control)), &QScrollBar::valueChanged,
                    this, [this, handler] { handle(handler); });
            break;
        }
    }
    for (const Handler handler : onLoad)
        handle(handler);
}

void HalmiraWindow::build(const layout::Control &row, const Pictures &pictures)
{
    QWidget *widget = makeWidget(row, pictures, this);
    widget->setObjectName(QString::fromUtf8(row.name));
    // Registered before anything a screen reader hears of: its view of a control is made once.
    addControl(widget, !layout::isWindowless(row.kind));
    widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                        twipsToPixels(row.height));
    if (row.font.points > 0)
        widget->setFont(designFont(row.font));
    setInitialText(widget, words(row.text, language()));
    widget->setVisible(row.shown);
    // A screen reader names each control by its text, or by what it does.
    widget->setAccessibleName(words(layout::spokenName(row), language()));
}

void HalmiraWindow::setTabOrder()
{
    constexpr auto order = layout::tabOrder();
    for (std::size_t i = 1; i < order.size() && order[i]->tabIndex >= 0; ++i)
        QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));
}
