// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window toolkit: everything the game needs of a window, and nothing
// more. The game's procedures reach the screen only through this interface,
// so the same logic runs on the Qt window of the desktop program, on the
// browser's page and on the in-memory window of the tests
// (src/app/qt/, src/app/web/, src/app/headless/), all views of one control
// model (src/app/control_model.h).
//
// Units and types follow the game's design: positions are single-precision
// twips (1/1440 inch) from the top-left corner of the client area, control
// array indexes and mouse-button codes are 16-bit integers, and a colour is
// one packed value with red in the lowest byte.
//
// Every operation that names a control requires that control to exist in the
// window that is loaded now. Asking for a missing control, or using a
// reference from a window that has since been unloaded, is a programming error
// and throws ProgramError; no operation fails in any other way.
#pragma once

#include <cstdint>
#include <string>

namespace tumbra {

// A packed colour: red + 256 * green + 65536 * blue, the top byte 0.
using Colour = std::uint32_t;

// The controls of the window. Piece and Turn are control arrays; Tries and
// Reset are single controls (their index is always 0).
enum class ControlName : std::uint8_t { Piece, Turn, Tries, Reset };

// A reference to one control of one loaded window. `window` is the serial
// number of the load that created the control; once that window is unloaded
// the reference is stale and every operation on it throws.
struct ControlRef {
  ControlName name;
  std::int16_t index;
  std::uint32_t window;
};

// The control's name as the design gives it, and "Piece(7)" for messages.
constexpr const char* name_of(ControlName name) {
  switch (name) {
    case ControlName::Piece: return "Piece";
    case ControlName::Turn: return "Turn";
    case ControlName::Tries: return "Tries";
    case ControlName::Reset: return "Reset";
  }
  return "?";
}

inline std::string describe(ControlName name, std::int16_t index) {
  return std::string(name_of(name)) + "(" + std::to_string(index) + ")";
}

// The buttons-and-icon code of a message box.
enum class BoxStyle : std::int16_t {
  OkCancel = 1,         // OK and Cancel, no icon
  CriticalOkOnly = 16,  // a single OK button and the critical-stop icon
};

// The button that closed a message box (closing it from its title bar or with
// Escape counts as Cancel, or as OK where OK is the only button).
enum class BoxAnswer : std::uint8_t { Ok, Cancel };

// Mouse-button codes delivered by the Turn mouse-down event: the three of
// the design, and the mouse's fourth and fifth (back and forward).
namespace mouse {
inline constexpr std::int16_t left = 1;
inline constexpr std::int16_t right = 2;
inline constexpr std::int16_t middle = 4;
inline constexpr std::int16_t back = 8;
inline constexpr std::int16_t forward = 16;
}  // namespace mouse

// The window's event handlers, called by the toolkit on the one event thread,
// one at a time, each to completion.
class FormEvents {
 public:
  virtual ~FormEvents() = default;

  // Runs every time the window is loaded, after its designed controls exist
  // and before it becomes visible.
  virtual void Form_Load() = 0;

  // A mouse button went down over Turn element `index` (on the press, not the
  // release): button 1 left, 2 right, 4 middle, other codes other buttons.
  // Keyboard activation of a Turn button never calls this.
  virtual void Turn_MouseDown(std::int16_t index, std::int16_t button,
                              std::int16_t shift, float x, float y) = 0;

  // The player clicked Reset.
  virtual void Reset_Click() = 0;
};

// What the game asks of its window; the window's input reaches the game
// through FormEvents.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Show the window. When it is not loaded, first creates it from
  // its design (the designed controls Reset, Turn 1, Tries and the hidden
  // template Piece 0, with their designed settings) and runs Form_Load to
  // completion. Then shows it, modeless and without an owner, centred on the
  // screen, with Turn 1 holding the focus. May be called from inside one of
  // the window's own event handlers, right after unload_window().
  virtual void show_window() = 0;

  // Unload the window: it and every control in it, the created elements
  // included, go away, and every ControlRef to them goes stale. The game's
  // own state is not the toolkit's and survives. Does not end the program,
  // and may be called from inside a handler of one of the window's own
  // controls: the handler goes on running and must touch no old control.
  virtual void unload_window() = 0;

  // Get element `index` of a control array (Piece or Turn), or the single
  // control Tries or Reset (index 0). The control must exist.
  virtual ControlRef element(ControlName name, std::int16_t index) = 0;

  // Create element `index` of a control array, which must not be in use.
  // Every setting is copied from the array's designed element (Piece 0 or
  // Turn 1), its place, size, caption and colours included, except that the
  // new element is invisible and carries the new index; it receives the
  // array's events with its own index.
  virtual void create_element(ControlName array, std::int16_t index) = 0;

  // Make a control visible. The game never hides one.
  virtual void show_control(ControlRef control) = 0;
  virtual bool visible(ControlRef control) = 0;

  // Place a control, in twips from the top-left corner of the client
  // area. A value read back is exactly the value last set.
  virtual void set_left(ControlRef control, float twips) = 0;
  virtual void set_top(ControlRef control, float twips) = 0;
  virtual float left(ControlRef control) = 0;
  virtual float top(ControlRef control) = 0;

  // Colour a circle (Piece elements only). The circle shows the colour at
  // once; the value read back is exactly the value last set.
  virtual void set_back_color(ControlRef piece, Colour colour) = 0;
  virtual Colour back_color(ControlRef piece) = 0;

  // Set the caption of a Turn element, Tries or Reset; the control shows
  // it at once.
  virtual void set_caption(ControlRef control, const std::string& text) = 0;
  virtual std::string caption(ControlRef control) = 0;

  // Show a modal message box and wait until the player closes it. No
  // other event of the window is handled meanwhile.
  virtual BoxAnswer message_box(const std::string& text, BoxStyle style,
                                const std::string& title) = 0;
};

// Pack a colour from its red, green and blue amounts (0 to 255).
constexpr Colour pack_colour(std::uint8_t red, std::uint8_t green,
                             std::uint8_t blue) {
  return Colour{red} + 256u * Colour{green} + 65536u * Colour{blue};
}

}  // namespace tumbra
