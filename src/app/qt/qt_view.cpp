// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/qt_view.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/qt/accessibility.h"
#include "app/qt/block_widget.h"
#include "app/qt/circle_look.h"
#include "app/qt/designed_font.h"
#include "app/qt/fatal_stop.h"
#include "app/qt/form_window.h"
#include "app/qt/turn_button.h"
#include "toolkit/program_error.h"

namespace tumbra {

QtView::QtView(ControlModel& model) : model_(model) { install_accessibility(); }

QtView::~QtView() { delete window_.data(); }

QWidget* QtView::window() const { return window_.data(); }

QWidget* QtView::widget(ControlName name, std::int16_t index) const {
  const auto it = widgets_.find({name, index});
  return it == widgets_.end() ? nullptr : it->second;
}

BlockWidget* QtView::block(ControlName name, std::int16_t index) const {
  if (name != ControlName::Piece || model_.find(name, index) == nullptr)
    return nullptr;
  return blocks_[lattice::in_goal(index) ? 1 : 0];
}

QRect QtView::pixels(ControlName name, std::int16_t index) const {
  if (BlockWidget* b = block(name, index)) {
    return b->pixels(*model_.find(name, index)).translated(b->pos());
  }
  QWidget* w = widget(name, index);
  return w == nullptr
             ? QRect()
             : QRect(w->mapTo(window_.data(), QPoint(0, 0)), w->size());
}

void QtView::open() {
  QScreen* screen =
      screen_.isNull() ? QGuiApplication::primaryScreen() : screen_.data();
  if (screen == nullptr) throw ProgramError("no screen to show the window on");
  twips_ = Twips::at_dpi(screen->logicalDotsPerInch());

  window_ = new FormWindow([] { QCoreApplication::exit(0); });
  window_->setScreen(screen);
  window_->setWindowTitle(design::caption);
  window_->resize(twips_.to_pixels(design::client_width),
                  twips_.to_pixels(design::client_height));
  notice_ = new Notice(window_.data());
  for (bool goal : {false, true}) {
    auto* b = new BlockWidget(window_.data(), model_, goal, twips_);
    b->setAccessibleName(accessible::blocks[goal].name);
    b->setAccessibleDescription(accessible::blocks[goal].description);
    blocks_[goal] = b;
  }
}

QWidget* QtView::make_widget(const Control& c) {
  QWidget* parent = window_.data();
  const std::uint32_t load = model_.serial();
  switch (c.name) {
    case ControlName::Turn: {
      const std::int16_t index = c.index;
      auto* button = new TurnButton(
          parent, [this, load, index](std::int16_t code, std::int16_t shift,
                                      QPointF at) {
            model_.turn_mousedown(load, index, code, shift,
                                  static_cast<float>(twips_.to_twips(at.x())),
                                  static_cast<float>(twips_.to_twips(at.y())));
          });
      button->setFocusPolicy(Qt::StrongFocus);
      return button;
    }
    case ControlName::Reset: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      button->setFont(designed_font());
      QObject::connect(button, &QPushButton::clicked, button,
                       [this, load] { model_.reset_click(load); });
      return button;
    }
    case ControlName::Tries: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignCenter);
      // A new caption repaints the inside only, not the overlapping circles.
      const int inset = twips_.overlap();
      label->setContentsMargins(inset, inset, inset, inset);
      label->setFont(designed_font());
      label->setAutoFillBackground(true);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, to_qcolor(c.back_color));
      palette.setColor(QPalette::WindowText,
                       to_qcolor(design::tries_fore_color));
      label->setPalette(palette);
      return label;
    }
    case ControlName::Piece: break;  // painted by its block
  }
  return nullptr;
}

void QtView::add(const Control& c) {
  QWidget* w = make_widget(c);
  if (w == nullptr) return;
  widgets_[{c.name, c.index}] = w;
  for (Change what : {Change::Caption, Change::Place, Change::Visible}) {
    change(c, what);
  }
}

void QtView::change(const Control& c, Change what) {
  if (c.name == ControlName::Piece) {
    block(c.name, c.index)->circle_changed(c, what);
    return;
  }
  QWidget* w = widget(c.name, c.index);
  switch (what) {
    case Change::Place:
      w->setGeometry(to_qrect(twips_.rect(c.left, c.top, c.width, c.height)));
      return;
    case Change::Visible: w->setVisible(c.visible); return;
    case Change::Caption: {
      const QString text = QString::fromStdString(c.caption);
      if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
      } else {
        static_cast<QPushButton*>(w)->setText(text);
      }
      const accessible::Spoken said = accessible::spoken(c);
      w->setAccessibleName(QString::fromStdString(said.name));
      w->setAccessibleDescription(QString::fromStdString(said.description));
      // A new count is told at once, as the page's live region tells it:
      // the player need not move to hear what a turn did.
      if (c.name == ControlName::Tries) {
        notice_->say(QString::fromStdString(said.description));
      }
      return;
    }
    case Change::Colour: return;
  }
}

void QtView::present(const Control& first) {
  QWidget* before = nullptr;
  model_.each_in_tab_order([&](const Control& c) {
    QWidget* w = widget(c.name, c.index);
    if (before != nullptr) QWidget::setTabOrder(before, w);
    before = w;
  });
  window_->show_centred();
  widget(first.name, first.index)->setFocus();
}

void QtView::close() {
  screen_ = window_->screen();
  // The handler that unloads may belong to one of this window's buttons, so
  // the window goes away once control is back in the event loop.
  window_->hide();
  window_->deleteLater();
  window_ = nullptr;
  notice_ = nullptr;
  blocks_ = {};
  widgets_.clear();
}

BoxAnswer QtView::ask(const std::string& text, BoxStyle style,
                      const std::string& title) {
  QMessageBox box(window_.data());
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  const bool critical = style == BoxStyle::CriticalOkOnly;
  box.setIcon(critical ? QMessageBox::Critical : QMessageBox::NoIcon);
  box.setStandardButtons(critical ? QMessageBox::Ok
                                  : QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Ok);
  // A screen reader reads a box as it takes the keyboard, but not when the
  // box opens while it is still busy with the click that opened it (Orca
  // then takes the box for the window it was in): the window tells it what
  // the box says.
  if (notice_ != nullptr) notice_->say(box.windowTitle() + ". " + box.text());
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Cancel)
             ? BoxAnswer::Cancel
             : BoxAnswer::Ok;
}

void QtView::stop(const std::string& what) { stop_program(what.c_str()); }

}  // namespace tumbra
