// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The real window, in Qt 6 Widgets: a view of the control model. The
// circles are painted by their block (the play board, the goal picture),
// Turn and Reset are push buttons, Tries a label, message boxes QMessageBox.
// A reload from inside one of the window's own handlers is safe: the old
// window is hidden at once and deleted when control returns to the event
// loop.
#pragma once

#include <QPointer>
#include <QRect>
#include <array>
#include <cstdint>
#include <map>
#include <utility>

#include "app/control_model.h"
#include "app/twips.h"
#include "app/view.h"

class QScreen;
class QWidget;

namespace tumbra {

class BlockWidget;
class FormWindow;
class Notice;

class QtView final : public View {
 public:
  // Shows `model`, and passes the window's input to it.
  explicit QtView(ControlModel& model);
  ~QtView() override;

  // The window now loaded, or nullptr; the widget of a button or the
  // label; where a control stands in the window, in pixels; and the block
  // that paints a circle.
  QWidget* window() const;
  QWidget* widget(ControlName name, std::int16_t index) const;
  QRect pixels(ControlName name, std::int16_t index) const;
  BlockWidget* block(ControlName name, std::int16_t index) const;

  void open() override;
  void add(const Control& control) override;
  void change(const Control& control, Change what) override;
  void present(const Control& first) override;
  void close() override;
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override;
  [[noreturn]] void stop(const std::string& what) override;

 private:
  QWidget* make_widget(const Control& control);

  ControlModel& model_;
  QPointer<FormWindow> window_;
  Notice* notice_ = nullptr;  // what the window says to screen readers
  std::array<BlockWidget*, 2> blocks_{};  // the play board, the goal
  std::map<std::pair<ControlName, std::int16_t>, QWidget*> widgets_;
  Twips twips_;
  QPointer<QScreen> screen_;  // the screen the window last stood on
};

}  // namespace tumbra
