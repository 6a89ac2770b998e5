// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What the browser's window does to the page, carried out in JavaScript
// (dom_window.js). Places and sizes are CSS pixels; a control is named as
// the design names it ("Piece", "Turn" ...). Every fact of the game's the
// page shows comes through here: the page knows none of its own.
#pragma once

extern "C" {

// An empty window for load `serial`, `width` by `height` pixels, with its
// caption, and the designed font (`families`, a CSS list, `points` in size)
// for the controls that ask for it.
void tumbra_dom_build(unsigned serial, const char* caption, double width,
                      double height, const char* families, double points);
// Block `block` of circles (0 the play board, 1 the goal picture), `size`
// pixels square at `left`.
void tumbra_dom_block(int block, const char* name, const char* description,
                      double left, double size);
// A control as it stands now: made, when `what` is -1, or changed in what
// `what` names (the number of a Change: place, visibility, colour,
// caption; -2 for none but its names). A circle stands in its block
// (`block` 0 or 1, `left` counted from the block), the others in the window
// (`block` -1). `colour` is a packed colour, or -1 where the control shows
// none of its own, and `fore` that of its text, or -1 for the page's;
// `designed_font` is 1 where it shows the designed font. The names are left
// as they are where `spoken_name` is null.
void tumbra_dom_control(const char* name, int index, int what, int block,
                        double left, double top, double width, double height,
                        int visible, int colour, int fore, int designed_font,
                        const char* caption, const char* spoken_name,
                        const char* description);
// Puts a control after those before it in the keyboard's order.
void tumbra_dom_tab_next(const char* name, int index);
// Puts the window in the page, fitted to it, and gives the control the
// keyboard.
void tumbra_dom_show(const char* name, int index);
// Takes the window out of the page.
void tumbra_dom_unload(void);
// A modal box; returns 1 for OK and 2 for Cancel once the player closes it.
// The caller waits for it (Asyncify), and the page takes no other input
// meanwhile. A critical box has the stop icon, spoken as `critical_icon`,
// and OK alone; any other has OK and Cancel (`critical_icon` null).
int tumbra_dom_message_box(const char* text, const char* critical_icon,
                           const char* title);
// A programming error: says so once on the console and in the page, and
// the page passes no event on to the game after it.
void tumbra_dom_stop(const char* what);
}
