// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What the browser's window does to the page, carried out in JavaScript
// (dom_window.js). Places and sizes are CSS pixels of the window's box, 15
// twips to the pixel; names are ControlName's numbers.
#pragma once

extern "C" {

// An empty window for load `serial`: its box and the two blocks.
void tumbra_dom_build(unsigned serial);
// A control, made as the design or a copy says.
void tumbra_dom_add(int name, int index, double left, double top, double width,
                    double height, int visible, unsigned colour,
                    const char* caption, const char* accessible_name,
                    const char* accessible_description);
void tumbra_dom_visible(int name, int index, int visible);
void tumbra_dom_place(int name, int index, double left, double top);
void tumbra_dom_colour(int index, unsigned colour, const char* accessible_name);
void tumbra_dom_caption(int name, int index, const char* text,
                        const char* accessible_description);
// Centres the window in the page, scaled down to fit, and gives Turn 1 the
// keyboard focus.
void tumbra_dom_show(void);
// Takes the window out of the page.
void tumbra_dom_unload(void);
// A modal box; returns 1 for OK and 2 for Cancel once the player closes
// it. The caller waits for it (Asyncify), and the page takes no other input
// meanwhile.
int tumbra_dom_message_box(const char* text, int style, const char* title);
// A programming error: says so once on the console and in the page, and
// the page passes no event on to the game after it.
void tumbra_dom_stop(const char* what);
}
