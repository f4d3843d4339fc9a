#pragma once

#include "core/picture/about.h"
#include "core/picture/drawing.h"

#include <QObject>
#include <QPoint>
#include <QString>

class QAction;
class QKeyEvent;
class QMenu;
class WidgetForm;

// The teacher's picture where a desktop user looks for it: a context menu on the drawing, and
// Ctrl+C, Ctrl+S and Ctrl+P. Copy puts the SVG and a PNG at print resolution on the clipboard;
// save writes SVG, PNG or PDF; print draws the picture on a landscape page. All of it is there
// once a run has drawn something; the window's input gate holds a request given during a run
// until the run is over.
class PictureMenu : public QObject
{
public:
    explicit PictureMenu(WidgetForm &form);

    // After a run has drawn something.
    bool available() const;
    // Opens the menu at a place on the screen.
    void popup(QPoint global);
    // Takes the picture's keys; false for any other key, or while there is no picture.
    bool keyPressed(QKeyEvent *event);

    void copy();
    void save();
    void print();

    // What the window shows now, as the picture draws it.
    picture::Drawing drawing() const;
    picture::About about() const;
    // The name a saved picture is offered under: the program's, then the language's code.
    QString fileBaseName() const;

private:
    void say(const QString &text);
    void failed(const QString &text);

    WidgetForm &form_;
    QMenu *menu_;
    QAction *copy_;
    QAction *save_;
    QAction *print_;
};
