#include "app/halmirawindow.h"

#include "app/commandbutton.h"
#include "app/hscrollbar.h"
#include "core/animation/startclick.h"
#include "core/window/announcements.h"
#include "core/window/handlers.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <vector>

void registerFontSubstitutes()
{
    // Liberation Sans has metrics close to the classic dialog font, so the Czech texts fit
    // their boxes; fontconfig alone would pick a much wider face.
    QFont::insertSubstitutions(QString::fromLatin1(layout::fontFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
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

bool isPicture(layout::Kind kind)
{
    return kind == layout::Kind::PictureBox || kind == layout::Kind::Image;
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
        picture->setPixmap(pictureFrom(pictures, QString::fromUtf8(row.text)));
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
    else if (auto *label = qobject_cast<QLabel *>(widget); label && label->pixmap().isNull())
        label->setText(text);
}

bool isWindowless(layout::Kind kind)
{
    return kind == layout::Kind::Image || kind == layout::Kind::Label;
}

} // namespace

std::vector<QString> windowPictures()
{
    std::vector<QString> paths{QString::fromLatin1(layout::windowIcon)};
    for (const layout::Control &row : layout::controls)
        if (isPicture(row.kind))
            paths.push_back(QString::fromUtf8(row.text));
    return paths;
}

HalmiraWindow::HalmiraWindow(const Pictures &pictures, QWidget *parent) : WidgetForm(parent)
{
    setObjectName(QString::fromLatin1(layout::windowName));
    setWindowTitle(QString::fromUtf8(layout::caption));
    setWindowIcon(pictureFrom(pictures, QString::fromLatin1(layout::windowIcon)));
    setAutoFillBackground(true);
    setPalette(withBackground(palette(), QPalette::Window));
    setFont(designFont({}));
    resize(twipsToPixels(layout::openingWidth), twipsToPixels(layout::openingHeight));

    for (const layout::Control &row : layout::controls)
        build(row, pictures);
    setTabOrder();

    auto *start = qobject_cast<QPushButton *>(control("comStart"));
    auto *konec = qobject_cast<QPushButton *>(control("comKonec"));
    auto *scroll = qobject_cast<QScrollBar *>(control("HScroll1"));
    connect(start, &QPushButton::clicked, this,
            [this] { run([this](Form &form) { animate(form); }); });
    connect(konec, &QPushButton::clicked, this, [this] { run(comKonecClick); });
    connect(scroll, &QScrollBar::valueChanged, this, [this] { run(hScroll1Change); });
    start->setFocus();
    canvasView().setAccessibleName(QString::fromUtf8(announcements::sceneName));

    run(formLoad);
}

void HalmiraWindow::animate(Form &form)
{
    // The handler's first drawing, the wipe, paints over the windowless controls.
    coverWindowless();
    announcer().say(QString::fromUtf8(announcements::runStarted));
    comStartClick(form);
    const QString description = QString::fromUtf8(announcements::sceneDescription);
    canvasView().setAccessibleDescription(description);
    announcer().say(QString::fromUtf8(announcements::runFinished) + u' ' + description);
}

void HalmiraWindow::build(const layout::Control &row, const Pictures &pictures)
{
    QWidget *widget = makeWidget(row, pictures, this);
    widget->setObjectName(QString::fromUtf8(row.name));
    // Registered before anything a screen reader hears of: its view of a control is made once.
    addControl(widget, !isWindowless(row.kind));
    widget->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                        twipsToPixels(row.height));
    if (row.font.points > 0)
        widget->setFont(designFont(row.font));
    setInitialText(widget, QString::fromUtf8(row.text));
    widget->setVisible(row.shown);
    // A screen reader names each control by its Czech text, or by what it does.
    widget->setAccessibleName(
        QString::fromUtf8(row.accessibleName ? row.accessibleName : row.text));
}

void HalmiraWindow::setTabOrder()
{
    constexpr auto order = layout::tabOrder();
    for (std::size_t i = 1; i < order.size() && order[i]->tabIndex >= 0; ++i)
        QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));
}
