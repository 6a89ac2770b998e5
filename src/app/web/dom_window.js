// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window on the page: what page_view.cpp asks of the page,
// and the page's events passed back to the game. The page decides nothing
// of the game's: places, names and colours come from the control model.
// Turn buttons act on the press of a mouse button, never on a click or a
// key; on a touch screen a tap is the left button and a touch held for half
// a second the right one.

mergeInto(LibraryManager.library, {
  $TumbraDom: {
    window: null,   // the window's box, while one is loaded
    serial: 0,      // of the load on the page
    busy: false,    // a handler runs, maybe waiting for a box
    stopped: false, // a programming error ended the game
    elements: {},   // 'Turn 3' -> element
    blocks: [],
    family: '',     // the designed font, as CSS
    size: '',
    built: null,    // the window the page was built with, until adopted

    rgb: function(colour) {
      return 'rgb(' + (colour & 255) + ', ' + ((colour >> 8) & 255) + ', ' +
             ((colour >> 16) & 255) + ')';
    },

    // Passes an event to the game, one at a time: while a handler runs
    // (a box may hold it) the page's events go nowhere.
    send: function(name, args) {
      if (TumbraDom.busy || TumbraDom.stopped) return;
      TumbraDom.busy = true;
      var types = args.map(function() { return 'number'; });
      Promise.resolve()
          .then(function() {
            return Module['ccall'](name, null, types, args, {async: true});
          })
          .catch(function(error) { TumbraDom.stop(String(error)); })
          .then(function() { TumbraDom.busy = false; });
    },

    stop: function(what) {
      if (TumbraDom.stopped) return;
      TumbraDom.stopped = true;
      console.error('tumbra: stopped by a programming error: ' + what);
      var message = document.createElement('p');
      message.className = 'stopped';
      message.setAttribute('role', 'alert');
      message.textContent = 'The game stopped on a programming error: ' + what;
      document.body.appendChild(message);
    },

    press: function(index, code, event, button) {
      var at = button.getBoundingClientRect();
      var scale = at.width / button.offsetWidth || 1;
      var shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
                  (event.altKey ? 4 : 0);
      TumbraDom.send('tumbra_turn_mousedown', [
        TumbraDom.serial, index, code, shift,
        (event.clientX - at.left) / scale, (event.clientY - at.top) / scale
      ]);
    },

    // Buttons are passed on as the page numbers them (0 left, 1 middle,
    // 2 right, 3 back, 4 forward); the game knows its own codes.
    wireTurn: function(button, index) {
      button.addEventListener('mousedown', function(event) {
        // No text selection; the keyboard, and a screen reader's locus
        // with it, goes to the button pressed, as a native button's does.
        event.preventDefault();
        button.focus({preventScroll: true});
        TumbraDom.press(index, event.button, event, button);
      });
      // A touch turns once at most: on lifting (the left button), or after
      // half a second held (the right); one that leaves the button first
      // turns nothing, as a native button cancels.
      var held = null;
      var on = function(event) {
        var at = button.getBoundingClientRect();
        return event.clientX >= at.left && event.clientX < at.right &&
               event.clientY >= at.top && event.clientY < at.bottom;
      };
      var forget = function() {
        clearTimeout(held);
        held = null;
      };
      button.addEventListener('pointerdown', function(event) {
        if (event.pointerType === 'mouse') return;
        event.preventDefault();  // and so no mouse events after the touch
        forget();
        var start = event;
        held = setTimeout(function() {
          held = null;
          TumbraDom.press(index, 2, start, button);  // the right button
        }, 500);
      });
      button.addEventListener('pointermove', function(event) {
        if (event.pointerType !== 'mouse' && held !== null && !on(event)) {
          forget();
        }
      });
      button.addEventListener('pointerup', function(event) {
        if (event.pointerType === 'mouse' || held === null) return;
        forget();
        if (on(event)) TumbraDom.press(index, 0, event, button);  // the left
      });
      button.addEventListener('pointercancel', forget);
      button.addEventListener('pointerleave', function(event) {
        if (event.pointerType !== 'mouse') forget();
      });
    },

    // The element the page was built with, taken over as it stands, or a
    // new one.
    make: function(name, index) {
      var built = TumbraDom.built &&
          TumbraDom.built.querySelector('[data-control="' + name + ' ' + index + '"]');
      var element = built || TumbraDom.create(name, index);
      if (name === 'Turn') {
        TumbraDom.wireTurn(element, index);
      } else if (name === 'Reset') {
        element.addEventListener('click', function() {
          TumbraDom.send('tumbra_reset_click', [TumbraDom.serial]);
        });
      }
      return element;
    },

    create: function(name, index) {
      var element;
      if (name === 'Piece') {
        element = document.createElement('div');
        element.className = 'circle';
        element.setAttribute('role', 'img');
      } else if (name === 'Tries') {
        // Read by its name and the count in words; the count's change is
        // said in the page's live region.
        element = document.createElement('div');
        element.className = 'tries';
        element.setAttribute('role', 'note');
      } else {
        element = document.createElement('button');
        element.type = 'button';
        element.className = name === 'Turn' ? 'turn' : 'reset';
      }
      element.dataset.control = name + ' ' + index;
      return element;
    }
  },

  tumbra_dom_build__deps: ['$TumbraDom'],
  tumbra_dom_build: function(serial, caption, width, height, families, points) {
    caption = UTF8ToString(caption);
    document.title = caption;
    document.getElementById('tumbra-stage').setAttribute('aria-label', caption);
    TumbraDom.size = points + 'pt';
    TumbraDom.family = UTF8ToString(families);
    // The first load takes over the window the page was built with.
    var stage = document.getElementById('tumbra-stage');
    var box = TumbraDom.built = stage.querySelector('.window[inert]');
    if (!box) {
      box = document.createElement('div');
      box.className = 'window';
    }
    box.dataset.width = width;
    box.dataset.height = height;
    box.style.width = width + 'px';
    box.style.height = height + 'px';
    TumbraDom.serial = serial;
    TumbraDom.window = box;
    TumbraDom.elements = {};
    TumbraDom.blocks = [];
  },

  tumbra_dom_block__deps: ['$TumbraDom'],
  tumbra_dom_block: function(index, name, description, left, size) {
    var block = TumbraDom.built
        ? TumbraDom.built.querySelector('.block[data-block="' + index + '"]')
        : document.createElement('div');
    block.dataset.block = index;
    block.className = 'block';
    block.setAttribute('role', 'group');
    block.setAttribute('aria-label', UTF8ToString(name));
    block.setAttribute('aria-description', UTF8ToString(description));
    block.style.left = left + 'px';
    block.style.width = block.style.height = size + 'px';
    TumbraDom.window.appendChild(block);
    TumbraDom.blocks[index] = block;
  },

  tumbra_dom_control__deps: ['$TumbraDom'],
  tumbra_dom_control: function(name, index, what, block, left, top, width,
                               height, visible, colour, fore, designedFont,
                               caption, spokenName, description) {
    name = UTF8ToString(name);
    var key = name + ' ' + index;
    var element = TumbraDom.elements[key];
    if (!element) {
      element = TumbraDom.elements[key] = TumbraDom.make(name, index);
      (block < 0 ? TumbraDom.window : TumbraDom.blocks[block])
          .appendChild(element);
    }
    // Only what changed is touched: a turn recolours a few circles.
    var all = what === -1;
    if (what === -2) what = null;  // the names alone
    var style = element.style;
    if (all || what === 0) {
      style.left = left + 'px';
      style.top = top + 'px';
    }
    if (all) {
      style.width = width + 'px';
      style.height = height + 'px';
      if (fore >= 0) style.color = TumbraDom.rgb(fore);
      if (designedFont) {
        style.fontFamily = TumbraDom.family;
        style.fontSize = TumbraDom.size;
      }
    }
    if (all || what === 1) element.hidden = !visible;
    if ((all || what === 2) && colour >= 0) {
      style.backgroundColor = TumbraDom.rgb(colour);
    }
    if ((all || what === 3) && name !== 'Piece') {
      caption = UTF8ToString(caption);
      // Changed in place where it can be: a text node replaced is a child
      // added, and Debian 13's Orca drops an added child that follows
      // another within a tenth of a second, the tries' alert with it.
      var text = element.firstChild;
      if (text && text.nodeType === 3 && !text.nextSibling) {
        if (text.data !== caption) text.data = caption;
      } else if (element.textContent !== caption) {
        element.textContent = caption;
      }
    }
    // Screen readers say the new tries in words, unasked, as every window
    // tells them: each count a new alert, which a screen reader says at
    // once, before a box that the turn opens takes the keyboard.
    if (what === 3 && name === 'Tries' && spokenName) {
      var said = document.createElement('div');
      said.setAttribute('role', 'alert');
      said.textContent = UTF8ToString(description);
      document.getElementById('tumbra-said').replaceChildren(said);
    }
    if (spokenName) {
      element.setAttribute('aria-label', UTF8ToString(spokenName));
      description = UTF8ToString(description);
      if (description) {
        element.setAttribute('aria-description', description);
      } else {
        element.removeAttribute('aria-description');
      }
    }
  },

  tumbra_dom_tab_next__deps: ['$TumbraDom'],
  tumbra_dom_tab_next: function(name, index) {
    // The page's order is the keyboard's: each goes last of the window's.
    var element = TumbraDom.elements[UTF8ToString(name) + ' ' + index];
    TumbraDom.window.appendChild(element);
  },

  tumbra_dom_show__deps: ['$TumbraDom'],
  tumbra_dom_show: function(name, index) {
    var stage = document.getElementById('tumbra-stage');
    if (TumbraDom.window.parentNode !== stage) {
      stage.appendChild(TumbraDom.window);
    }
    // The game is ready: its window takes presses.
    TumbraDom.built = null;
    TumbraDom.window.removeAttribute('inert');
    stage.removeAttribute('aria-busy');
    tumbraFit();
    TumbraDom.elements[UTF8ToString(name) + ' ' + index]
        .focus({preventScroll: true});
  },

  tumbra_dom_unload__deps: ['$TumbraDom'],
  tumbra_dom_unload: function() {
    if (TumbraDom.window) TumbraDom.window.remove();
    TumbraDom.window = null;
    TumbraDom.elements = {};
    TumbraDom.blocks = [];
  },

  tumbra_dom_stop__deps: ['$TumbraDom'],
  tumbra_dom_stop: function(what) {
    TumbraDom.stop(UTF8ToString(what));
  }
});
