#pragma once

#include "app/picturemenu.h"
#include "app/preload.h"
#include "app/widgetform.h"
#include "core/window/layout.h"

#include <QFont>

// The program's one window: it builds its controls from the layout table, wires their signals
// to the handlers and runs its Load handler before it takes any input.
class HalmiraWindow : public WidgetForm
{
public:
    // Pictures not given are decoded here.
    explicit HalmiraWindow(const Pictures &pictures = {}, Language language = Language::Czech);

    PictureMenu &pictureMenu() { return *pictureMenu_; }

protected:
    // The picture's keys and menu, wherever a control does not take them for its own.
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void build(const layout::Control &row, const Pictures &pictures);
    void setTabOrder();
    void wire();

    PictureMenu *pictureMenu_;
};

// The resources of the window's pictures, its icon among them.
std::vector<QString> windowPictures();

// Where a picture is kept among the program's resources.
QString pictureResource(layout::Picture picture);

// The font a layout row asks for; the default font where it names none.
QFont designFont(const layout::Font &design);

// Registers the font substitutes that stand in for the design's font; call before any widget
// is built.
void registerFontSubstitutes();
