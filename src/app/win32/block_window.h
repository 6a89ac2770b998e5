// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A block of circles, the play board or the goal picture, as one window.
// Circles never take input or the keyboard, so they need no window of their
// own: the block paints the circles the control model holds for it, every
// one over the window's background, composed off screen so that a repaint
// never flickers. Screen readers meet them as the block's children.
#pragma once

#include <windows.h>

namespace tumbra {

class WinView;

// Answers the block's WM_PAINT; a block of no view paints its background.
void paint_block(HWND block, WinView* view);

}  // namespace tumbra
