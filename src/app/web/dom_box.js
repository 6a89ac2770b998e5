// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The game's message box on the page: a modal dialog, its text and title
// as the game gives them, OK alone with the critical icon or OK and Cancel.
// The handler that opened it waits, through Asyncify, until it is closed.

mergeInto(LibraryManager.library, {
  tumbra_dom_message_box: function(text, icon, title) {
    var critical = icon !== 0;
    text = UTF8ToString(text);
    title = UTF8ToString(title);
    return Asyncify.handleSleep(function(wakeUp) {
      // The texts go in as text, never as markup.
      // The box itself takes the keyboard as it opens, so that a screen
      // reader says it as a dialog with its title and its text; Return
      // or the space bar answer it as OK, the box's default button.
      var box = document.createElement('dialog');
      box.className = 'box';
      box.tabIndex = -1;
      box.setAttribute('aria-labelledby', 'tumbra-box-title');
      box.setAttribute('aria-describedby', 'tumbra-box-text');
      box.innerHTML = '<h2 id="tumbra-box-title"></h2><p>' +
          (critical ? '<span class="critical" role="img">\u2715</span>' : '') +
          '<span id="tumbra-box-text"></span></p><form method="dialog">' +
          '<button value="ok">OK</button>' +
          (critical ? '' : '<button value="cancel">Cancel</button>') + '</form>';
      box.querySelector('h2').textContent = title;
      if (critical) {
        box.querySelector('.critical').setAttribute('aria-label', UTF8ToString(icon));
      }
      box.querySelector('p > span:last-child').textContent = text;
      box.addEventListener('keydown', function(event) {
        if (event.target === box && (event.key === 'Enter' || event.key === ' ')) {
          event.preventDefault();
          box.close('ok');
        }
      });
      // Escape closes the box as Cancel, or as OK where OK is alone; every
      // way out ends here, so the game never waits on a closed box.
      box.addEventListener('close', function() {
        var answer = box.returnValue === 'ok' || critical ? 1 : 2;
        document.body.appendChild(said);
        box.remove();
        wakeUp(answer);
      });
      // What screen readers were last told goes into the box, where it
      // stays readable: the box makes the rest of the page inert, and a
      // screen reader may read the winning turn's alert only once it is
      // open.
      var said = document.getElementById('tumbra-said');
      box.appendChild(said);
      document.body.appendChild(box);
      box.showModal();
      box.focus();
    });
  }
});
