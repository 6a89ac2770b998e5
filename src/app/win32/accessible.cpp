// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/accessible.h"

#include <oleacc.h>

#include <string>
#include <utility>
#include <vector>

#include "app/accessible_text.h"
#include "app/win32/screen_reader_libraries.h"
#include "app/win32/standard_accessible.h"
#include "app/win32/block_window.h"
#include "app/win32/form_window.h"
#include "app/win32/wide.h"
#include "app/win32/window_classes.h"

namespace tumbra {

namespace {

bool is_self(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT text(const std::string& utf8, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (utf8.empty()) return S_FALSE;
  *out = libraries().make_text(widen(utf8).c_str());
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT number(LONG value, VARIANT* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = VARIANT{};
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

// One window's accessible object: the system's own, with what the game
// says of it in place of what the system would guess.
class Accessible final : public StandardAccessible {
 public:
  Accessible(HWND window, IAccessible* standard)
      : StandardAccessible(standard), window_(window) {}

  // IAccessible: what the game says
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<LONG>(circles().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child,
                                         IDispatch** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    // The circles are simple elements, reached through their parent.
    return circle(child) != nullptr ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (is_self(child)) {
      if (const Control* c = control()) return text(heard(*c).name, name);
      if (const accessible::Block* b = block()) return text(b->name, name);
      return standard_->get_accName(child, name);
    }
    const Control* c = circle(child);
    if (c == nullptr) return E_INVALIDARG;
    return text(accessible::spoken(*c).name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!is_self(child)) return circle(child) ? text({}, value) : E_INVALIDARG;
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child,
                                               BSTR* description) override {
    if (is_self(child)) {
      if (const Control* c = control()) {
        return text(heard(*c).description, description);
      }
      if (const accessible::Block* b = block()) {
        return text(b->description, description);
      }
      return standard_->get_accDescription(child, description);
    }
    return circle(child) ? text({}, description) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!is_self(child)) {
      return circle(child) ? number(ROLE_SYSTEM_GRAPHIC, role) : E_INVALIDARG;
    }
    if (block() != nullptr) return number(ROLE_SYSTEM_GROUPING, role);
    if (const Control* c = control()) {
      return number(c->name == ControlName::Tries ? ROLE_SYSTEM_STATICTEXT
                                                  : ROLE_SYSTEM_PUSHBUTTON,
                    role);
    }
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child,
                                         VARIANT* state) override {
    if (is_self(child)) return standard_->get_accState(child, state);
    return circle(child) ? number(STATE_SYSTEM_READONLY, state) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return is_self(child) ? standard_->get_accHelp(child, help) : text({}, help);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child,
                                                    BSTR* keys) override {
    return is_self(child) ? standard_->get_accKeyboardShortcut(child, keys)
                          : text({}, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child,
                                                 BSTR* action) override {
    // A Turn button turns only on a mouse press; it offers no action.
    if (!is_self(child) || turn()) return text({}, action);
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return is_self(child) ? standard_->accSelect(flags, child) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width,
                                        long* height, VARIANT child) override {
    if (is_self(child)) {
      return standard_->accLocation(left, top, width, height, child);
    }
    const Control* c = circle(child);
    if (c == nullptr) return E_INVALIDARG;
    const RECT r = on_screen(*c);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start,
                                        VARIANT* end) override {
    if (is_self(start) && direction != NAVDIR_FIRSTCHILD &&
        direction != NAVDIR_LASTCHILD) {
      return standard_->accNavigate(direction, start, end);
    }
    const LONG count = static_cast<LONG>(circles().size());
    LONG to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = 1; break;
      case NAVDIR_LASTCHILD: to = count; break;
      case NAVDIR_NEXT: to = start.lVal + 1; break;
      case NAVDIR_PREVIOUS: to = start.lVal - 1; break;
      default: return S_FALSE;
    }
    if (to < 1 || to > count) {
      if (end != nullptr) *end = VARIANT{};
      return S_FALSE;
    }
    return number(to, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    const auto shown = circles();
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const RECT r = on_screen(*shown[i]);
      if (PtInRect(&r, POINT{x, y})) return number(static_cast<LONG>(i + 1), hit);
    }
    return standard_->accHitTest(x, y, hit);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!is_self(child) || turn()) return DISP_E_MEMBERNOTFOUND;
    return standard_->accDoDefaultAction(child);
  }

 private:
  // A live region is heard by its name: the label's is the tries in words.
  static accessible::Spoken heard(const Control& c) {
    accessible::Spoken said = accessible::spoken(c);
    if (c.name == ControlName::Tries) std::swap(said.name, said.description);
    return said;
  }
  const Control* control() const {
    FormWindow* form = win32::form_of(window_);
    return form == nullptr ? nullptr : form->control_of(window_);
  }
  bool turn() const {
    const Control* c = control();
    return c != nullptr && c->name == ControlName::Turn;
  }
  const accessible::Block* block() const {
    const BlockWindow* b = win32::block_of(window_);
    return b == nullptr ? nullptr : &accessible::blocks[b->goal()];
  }
  std::vector<const Control*> circles() const {
    const BlockWindow* b = win32::block_of(window_);
    return b == nullptr ? std::vector<const Control*>{} : b->circles();
  }
  // The circle a child id names: its place among the showing circles.
  const Control* circle(const VARIANT& child) const {
    if (child.vt != VT_I4) return nullptr;
    const auto shown = circles();
    if (child.lVal < 1 || child.lVal > static_cast<LONG>(shown.size())) {
      return nullptr;
    }
    return shown[static_cast<std::size_t>(child.lVal - 1)];
  }
  RECT on_screen(const Control& c) const {
    const PixelRect at = win32::block_of(window_)->in_block(c);
    POINT origin{at.x, at.y};
    ClientToScreen(window_, &origin);
    return {origin.x, origin.y, origin.x + at.width, origin.y + at.height};
  }

  HWND window_;
};

}  // namespace

LRESULT answer_get_object(HWND window, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return 0;
  FormWindow* form = win32::form_of(window);
  const BlockWindow* block = win32::block_of(window);
  if ((form == nullptr && block == nullptr) || !libraries().loaded()) return 0;
  if (FormWindow* of = form ? form : win32::form_of(GetParent(window))) {
    of->screen_reader_asked();
  }
  IAccessible* standard = nullptr;
  if (FAILED(libraries().standard_object(window, OBJID_CLIENT,
                                         __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* answer = new Accessible(window, standard);
  const LRESULT result =
      libraries().answer(__uuidof(IAccessible), wparam, answer);
  answer->Release();
  return result;
}

bool screen_readers_listen() { return libraries_loaded(); }

}  // namespace tumbra
