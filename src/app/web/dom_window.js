// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window on the page: what web_toolkit.cpp asks of the page,
// and the page's events passed back to the game. Turn buttons act on the
// press of a mouse button (left 1, right 2, middle 4), never on a click or
// a key; on a touch screen a tap is the left button and a touch held for
// half a second the right one.

mergeInto(LibraryManager.library, {
  $TumbraDom: {
    names: ['Piece', 'Turn', 'Tries', 'Reset'],
    window: null,        // the window's box, while one is loaded
    serial: 0,           // of the load on the page
    busy: false,         // a handler runs, maybe waiting for a box
    stopped: false,      // a programming error ended the game
    elements: {},        // 'Turn 3' -> element

    key: function(name, index) { return name + ' ' + index; },

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

    // Scales the box down where the page is smaller than it.
    fit: function() {
      if (!TumbraDom.window) return;
      var scale = Math.min(1, window.innerWidth / 417,
                           window.innerHeight / 161);
      TumbraDom.window.style.setProperty('--scale', String(scale));
    },

    shift: function(event) {
      return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
             (event.altKey ? 4 : 0);
    },

    press: function(serial, index, code, event, button) {
      var at = button.getBoundingClientRect();
      var scale = at.width / button.offsetWidth || 1;
      TumbraDom.send('tumbra_turn_mousedown', [
        serial, index, code, TumbraDom.shift(event),
        (event.clientX - at.left) / scale * 15,
        (event.clientY - at.top) / scale * 15
      ]);
    },

    wireTurn: function(button, serial, index) {
      // Mouse buttons 0, 1, 2, 3, 4 of the page are the game's 1, 4, 2, 8, 16.
      var codes = [1, 4, 2, 8, 16];
      button.addEventListener('mousedown', function(event) {
        event.preventDefault();  // no focus ring, no text selection
        var code = codes[event.button];
        TumbraDom.press(serial, index, code === undefined ? 0 : code, event,
                        button);
      });
      var held = null;
      button.addEventListener('pointerdown', function(event) {
        if (event.pointerType === 'mouse') return;
        event.preventDefault();  // and so no mouse events after the touch
        var start = event;
        held = setTimeout(function() {
          held = null;
          TumbraDom.press(serial, index, 2, start, button);
        }, 500);
      });
      var release = function(event) {
        if (event.pointerType === 'mouse' || held === null) return;
        clearTimeout(held);
        held = null;
        if (event.type === 'pointerup') {
          TumbraDom.press(serial, index, 1, event, button);
        }
      };
      button.addEventListener('pointerup', release);
      button.addEventListener('pointercancel', release);
    }
  },

  tumbra_dom_build__deps: ['$TumbraDom'],
  tumbra_dom_build: function(serial) {
    var box = document.createElement('div');
    box.className = 'window';
    TumbraDom.serial = serial;
    TumbraDom.window = box;
    TumbraDom.elements = {};
    var blocks = [['Play board',
                   'Five rows of five circles, turned by the Turn buttons', 0],
                  ['Goal picture',
                   'The colours the play board must show to finish the level',
                   256]];
    TumbraDom.blocks = blocks.map(function(b) {
      var block = document.createElement('div');
      block.className = 'block';
      block.setAttribute('role', 'group');
      block.setAttribute('aria-label', b[0]);
      block.setAttribute('aria-description', b[1]);
      block.style.left = b[2] + 'px';
      block.dataset.left = b[2];
      box.appendChild(block);
      return block;
    });
    box.addEventListener('contextmenu', function(event) {
      event.preventDefault();  // the right button turns
    });
  },

  tumbra_dom_add__deps: ['$TumbraDom'],
  tumbra_dom_add: function(name, index, left, top, width, height, visible,
                           colour, caption, spokenName, description) {
    name = TumbraDom.names[name];
    caption = UTF8ToString(caption);
    var element;
    var parent = TumbraDom.window;
    if (name === 'Piece') {
      element = document.createElement('div');
      element.className = 'circle';
      element.setAttribute('role', 'img');
      element.style.backgroundColor = TumbraDom.rgb(colour);
      parent = TumbraDom.blocks[index >= 26 ? 1 : 0];
    } else if (name === 'Tries') {
      element = document.createElement('div');
      element.className = 'tries';
      element.textContent = caption;
    } else {
      element = document.createElement('button');
      element.type = 'button';
      element.className = name === 'Turn' ? 'turn' : 'reset';
      element.textContent = caption;
      var serial = TumbraDom.serial;
      if (name === 'Turn') {
        TumbraDom.wireTurn(element, serial, index);
      } else {
        element.addEventListener('click', function() {
          TumbraDom.send('tumbra_reset_click', [serial]);
        });
      }
    }
    element.dataset.control = TumbraDom.key(name, index);
    element.setAttribute('aria-label', UTF8ToString(spokenName));
    description = UTF8ToString(description);
    if (description) element.setAttribute('aria-description', description);
    element.style.left = (left - (parent.dataset.left || 0)) + 'px';
    element.style.top = top + 'px';
    element.style.width = width + 'px';
    element.style.height = height + 'px';
    element.hidden = !visible;
    TumbraDom.elements[TumbraDom.key(name, index)] = element;
    // The keyboard goes Turn 1 to 5, then Reset, as the design orders them:
    // Reset, designed first, stays last on the page.
    var reset = TumbraDom.elements['Reset 0'];
    if (reset && reset !== element && reset.parentNode === parent) {
      parent.insertBefore(element, reset);
    } else {
      parent.appendChild(element);
    }
  },

  tumbra_dom_visible__deps: ['$TumbraDom'],
  tumbra_dom_visible: function(name, index, visible) {
    TumbraDom.elements[TumbraDom.key(TumbraDom.names[name], index)].hidden =
        !visible;
  },

  tumbra_dom_place__deps: ['$TumbraDom'],
  tumbra_dom_place: function(name, index, left, top) {
    var element =
        TumbraDom.elements[TumbraDom.key(TumbraDom.names[name], index)];
    element.style.left =
        (left - (element.parentNode.dataset.left || 0)) + 'px';
    element.style.top = top + 'px';
  },

  tumbra_dom_colour__deps: ['$TumbraDom'],
  tumbra_dom_colour: function(index, colour, spokenName) {
    var element = TumbraDom.elements[TumbraDom.key('Piece', index)];
    element.style.backgroundColor = TumbraDom.rgb(colour);
    element.setAttribute('aria-label', UTF8ToString(spokenName));
  },

  tumbra_dom_caption__deps: ['$TumbraDom'],
  tumbra_dom_caption: function(name, index, text, description) {
    name = TumbraDom.names[name];
    var element = TumbraDom.elements[TumbraDom.key(name, index)];
    element.textContent = UTF8ToString(text);
    if (name === 'Reset') element.setAttribute('aria-label', UTF8ToString(text));
    description = UTF8ToString(description);
    if (description) element.setAttribute('aria-description', description);
  },

  tumbra_dom_show__deps: ['$TumbraDom'],
  tumbra_dom_show: function() {
    document.title = 'Tumbra!';
    var stage = document.getElementById('tumbra-stage');
    if (TumbraDom.window.parentNode !== stage) {
      stage.appendChild(TumbraDom.window);
    }
    TumbraDom.fit();
    if (!TumbraDom.fitting) {
      TumbraDom.fitting = true;
      window.addEventListener('resize', TumbraDom.fit);
    }
    var first = TumbraDom.elements['Turn 1'];
    if (first) first.focus({preventScroll: true});
  },

  tumbra_dom_unload__deps: ['$TumbraDom'],
  tumbra_dom_unload: function() {
    if (TumbraDom.window) TumbraDom.window.remove();
    TumbraDom.window = null;
    TumbraDom.elements = {};
    TumbraDom.blocks = [];
  },

  tumbra_dom_message_box__deps: ['$TumbraDom'],
  tumbra_dom_message_box: function(text, style, title) {
    text = UTF8ToString(text);
    title = UTF8ToString(title);
    return Asyncify.handleSleep(function(wakeUp) {
      var box = document.createElement('dialog');
      box.className = 'box';
      var heading = document.createElement('h2');
      heading.id = 'tumbra-box-title';
      heading.textContent = title;
      box.setAttribute('aria-labelledby', heading.id);
      var body = document.createElement('p');
      if (style === 16) {
        var icon = document.createElement('span');
        icon.className = 'critical';
        icon.setAttribute('role', 'img');
        icon.setAttribute('aria-label', 'Critical stop');
        icon.textContent = '\u2715';
        body.appendChild(icon);
      }
      var words = document.createElement('span');
      words.textContent = text;
      body.appendChild(words);
      var buttons = document.createElement('form');
      buttons.method = 'dialog';
      var ok = document.createElement('button');
      ok.value = 'ok';
      ok.textContent = 'OK';
      buttons.appendChild(ok);
      if (style !== 16) {
        var cancel = document.createElement('button');
        cancel.value = 'cancel';
        cancel.textContent = 'Cancel';
        buttons.appendChild(cancel);
      }
      box.append(heading, body, buttons);
      // Escape closes the box as Cancel, or as OK where OK is alone; every
      // way out ends here, so the game never waits on a closed box.
      box.addEventListener('close', function() {
        var answer = box.returnValue === 'ok' || style === 16 ? 1 : 2;
        box.remove();
        wakeUp(answer);
      });
      document.body.appendChild(box);
      box.showModal();
      ok.focus();
    });
  },

  tumbra_dom_stop__deps: ['$TumbraDom'],
  tumbra_dom_stop: function(what) {
    TumbraDom.stop(UTF8ToString(what));
  }
});
