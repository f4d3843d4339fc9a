#pragma once

class Form;

// The window's small handlers; the Start handler is the animation.

// Writes the first pace value, before the window takes input.
void formLoad(Form &form);
// Turns the scroll bar's value into the pace value.
void hScroll1Change(Form &form);
// Closes the window, which ends the program.
void comKonecClick(Form &form);
