#include "window/halmirawindow.h"

#include "animation/startclick.h"
#include "app/hscrollbar.h"
#include "window/handlers.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <vector>

void registerFontSubstitutes()
{
    // Liberation Sans has metrics close to the classic dialog font, so the Czech texts fit
    // their boxes; fontconfig alone would pick a much wider face.
    QFont::insertSubstitutions(QString::fromLatin1(layout::fontFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans")});
}

namespace {

// Fonts are sized in pixels at 96 dpi, so text keeps its size against the twip-placed controls.
QFont designFont(const layout::Font &spec)
{
    QFont font(QString::fromLatin1(layout::fontFamily));
    const double points = spec.points > 0 ? spec.points : layout::defaultFontPoints;
    font.setPixelSize(static_cast<int>(std::lround(points * 96 / 72)));
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    return font;
}

QPalette withBackground(QPalette palette, QPalette::ColorRole role)
{
    palette.setColor(role, toQColor(layout::backColor));
    return palette;
}

bool isPicture(layout::Kind kind)
{
    return kind == layout::Kind::PictureBox || kind == layout::Kind::Image;
}

QWidget *makeWidget(const layout::Control &spec, const Pictures &pictures, QWidget *parent)
{
    const QString text = QString::fromUtf8(spec.text);
    switch (spec.kind) {
    case layout::Kind::TextBox: {
        // The font comes before the text: a text box lays its text out each time either changes.
        auto *box = new QLineEdit(parent);
        if (spec.font.points > 0)
            box->setFont(designFont(spec.font));
        box->setText(text);
        if (spec.style == layout::Style::CaptionBox) {
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
        return new QPushButton(text, parent);
    case layout::Kind::PictureBox:
    case layout::Kind::Image: {
        auto *picture = new QLabel(parent);
        const QImage image = pictures.value(text);
        picture->setPixmap(QPixmap::fromImage(image.isNull() ? QImage(text) : image));
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (spec.kind == layout::Kind::PictureBox)
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return picture;
    }
    case layout::Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAutoFillBackground(true);
        label->setPalette(withBackground(label->palette(), QPalette::Window));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    }
    return nullptr;
}

bool isWindowless(layout::Kind kind)
{
    return kind == layout::Kind::Image || kind == layout::Kind::Label;
}

} // namespace

std::vector<QString> windowPictures()
{
    std::vector<QString> paths{QString::fromLatin1(layout::windowIcon)};
    for (const layout::Control &spec : layout::controls)
        if (isPicture(spec.kind))
            paths.push_back(QString::fromUtf8(spec.text));
    return paths;
}

HalmiraWindow::HalmiraWindow(const Pictures &pictures, QWidget *parent) : WidgetForm(parent)
{
    setObjectName(QString::fromLatin1(layout::windowName));
    setWindowTitle(QString::fromUtf8(layout::caption));
    const QString icon = QString::fromLatin1(layout::windowIcon);
    setWindowIcon(QPixmap::fromImage(pictures.contains(icon) ? pictures[icon] : QImage(icon)));
    setAutoFillBackground(true);
    setPalette(withBackground(palette(), QPalette::Window));
    setFont(designFont({}));
    resize(twipsToPixels(layout::openingWidth), twipsToPixels(layout::openingHeight));

    for (const layout::Control &spec : layout::controls)
        build(spec, pictures);
    setTabOrder();

    auto *start = qobject_cast<QPushButton *>(control("comStart"));
    auto *konec = qobject_cast<QPushButton *>(control("comKonec"));
    auto *scroll = qobject_cast<QScrollBar *>(control("HScroll1"));
    connect(start, &QPushButton::clicked, this, [this] { run(comStartClick); });
    connect(konec, &QPushButton::clicked, this, [this] { run(comKonecClick); });
    connect(scroll, &QScrollBar::valueChanged, this, [this] { run(hScroll1Change); });
    start->setFocus();

    run(formLoad);
}

void HalmiraWindow::build(const layout::Control &spec, const Pictures &pictures)
{
    QWidget *widget = makeWidget(spec, pictures, this);
    widget->setObjectName(QString::fromUtf8(spec.name));
    widget->setGeometry(twipsToPixels(spec.left), twipsToPixels(spec.top),
                        twipsToPixels(spec.width), twipsToPixels(spec.height));
    if (spec.font.points > 0)
        widget->setFont(designFont(spec.font));
    widget->setVisible(spec.shown);
    // A screen reader names each control by its Czech text, or by what it does.
    widget->setAccessibleName(
        QString::fromUtf8(spec.accessibleName ? spec.accessibleName : spec.text));
    addControl(widget, !isWindowless(spec.kind));
}

void HalmiraWindow::setTabOrder()
{
    std::vector<const layout::Control *> order;
    for (const layout::Control &spec : layout::controls)
        if (spec.tabIndex >= 0)
            order.push_back(&spec);
    std::sort(order.begin(), order.end(),
              [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(control(order[i - 1]->name), control(order[i]->name));
}
