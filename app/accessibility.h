#pragma once

#include <QList>

class QWidget;

// What a screen reader finds in the window beyond what Qt gives each widget:
// - at a point, the topmost control that shows there, as the window is stacked, so the canvas
//   never takes a point from a control drawn above it;
// - the canvas as a picture with a name, and not showing while nothing is drawn on it;
// - the windowless controls, once the scene is painted over them, as no longer showing;
// - the announcer as a notification.
// Install once, before the window is built.
void installAccessibility();

// The window, whose children a point is looked up among; before a screen reader asks for it.
void registerForm(QWidget *form);

// A control the scene can paint over, not yet painted over; before a screen reader asks for it.
void registerWindowless(QWidget *control);

// The scene has been painted over the windowless controls: the canvas shows, and they do not.
void paintedOver(QWidget *canvas, const QList<QWidget *> &windowless);
