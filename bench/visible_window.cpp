// A second yardstick, between the bare window and halmira: halmira's visible controls with their
// texts, places and fonts, but without its pictures and its hidden controls. Set against both,
// it shows what of halmira's start-up is the window's visible content and what the rest.
#include "app/halmirawindow.h"
#include "app/words.h"
#include "core/window/layout.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

QWidget *makeControl(const layout::Control &row, QWidget *parent)
{
    const QString text = words(row.text, Language::Czech);
    switch (row.kind) {
    case layout::Kind::TextBox:
        return new QLineEdit(text, parent);
    case layout::Kind::CommandButton:
        return new QPushButton(text, parent);
    case layout::Kind::ScrollBar:
        return new QScrollBar(Qt::Horizontal, parent);
    case layout::Kind::Label:
        return new QLabel(text, parent);
    case layout::Kind::PictureBox:
    case layout::Kind::Image:
        break;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    QWidget window;
    window.setWindowTitle(QStringLiteral("visible"));
    window.setFont(designFont({}));
    window.resize(twipsToPixels(layout::openingWidth), twipsToPixels(layout::openingHeight));
    for (const layout::Control &row : layout::controls) {
        if (!row.shown)
            continue;
        QWidget *control = makeControl(row, &window);
        if (!control)
            continue;
        if (row.font.points > 0)
            control->setFont(designFont(row.font));
        control->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top),
                             twipsToPixels(row.width), twipsToPixels(row.height));
    }
    window.show();
    return QApplication::exec();
}
