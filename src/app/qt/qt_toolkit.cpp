// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/qt/qt_toolkit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/qt/block_widget.h"
#include "app/qt/circle_look.h"
#include "app/qt/form_window.h"
#include "app/qt/turn_button.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

const QFont& designed_font() {
  // Made once: every reload gives it to Reset and Tries again, and a font
  // made afresh would be matched against the system's fonts afresh.
  static const QFont font = [] {
    QFont f;
    // Where "MS Sans Serif" is missing, the nearest plain sans-serif stands
    // in. Each family missing before one is found costs the start a search
    // of the system's fonts, so the list is short.
    f.setFamilies({design::font_family, "DejaVu Sans", "Liberation Sans"});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(design::font_points);
    f.setWeight(QFont::Normal);
    return f;
  }();
  return font;
}

QMargins frame_margins_of(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(),
          frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

void configure_application() {
  // A reload hides the old window before the new one shows.
  QApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName(TUMBRA_APP_ID);
  QIcon icon;
  // Title bars and task bars take up to 64 pixels; the desktop's own menus
  // read the larger icons from the installed theme. Each size read here is
  // decoded at every start.
  for (int size : {16, 24, 32, 48, 64}) {
    // PNG only: without format detection Qt loads none of its image
    // plugins, which would cost a megabyte of memory for a few small icons.
    QImageReader reader(QString(":/icons/" TUMBRA_APP_ID "-%1.png").arg(size),
                        "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  QApplication::setWindowIcon(icon);
}

void stop_program(const char* what) {
  std::fprintf(stderr, "tumbra: stopped by a programming error: %s\n", what);
  std::fflush(stderr);
  const QString platform = QGuiApplication::platformName();
  if (qApp != nullptr && platform != "offscreen" && platform != "minimal") {
    QMessageBox::critical(
        nullptr, design::caption,
        QString("The game stopped on a programming error:\n%1")
            .arg(QString::fromUtf8(what)));
  }
  std::_Exit(1);
}

QtToolkit::QtToolkit(FormEvents& events) : events_(events) {
  install_block_accessibility();
  install_window_accessibility();
}

QtToolkit::~QtToolkit() { delete window_.data(); }

template <class Handler>
void QtToolkit::dispatch(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    stop_program(error.what());
  }
}

QWidget* QtToolkit::window() const { return window_.data(); }

QWidget* QtToolkit::widget(ControlName name, std::int16_t index) const {
  auto it = controls_.find({name, index});
  return it == controls_.end() ? nullptr : it->second.widget;
}

void QtToolkit::show_window() {
  if (window_.isNull()) {
    ++serial_;
    build_design();
    events_.Form_Load();
  }
  centre_on_screen();
  window_->show();
  follow_frame();
  window_->activateWindow();
  if (QWidget* first = widget(ControlName::Turn, 1)) first->setFocus();
}

void QtToolkit::build_design() {
  QScreen* screen =
      screen_.isNull() ? QGuiApplication::primaryScreen() : screen_.data();
  if (screen == nullptr) throw ProgramError("no screen to show the window on");
  twips_.pixels_per_twip = screen->logicalDotsPerInch() / 1440.0;

  window_ = new FormWindow([] { QCoreApplication::exit(0); },
                           [this] { follow_frame(); });
  seen_margins_ = QMargins();
  window_->setScreen(screen);
  window_->setWindowTitle(design::caption);
  window_->resize(twips_.to_pixels(design::client_width),
                  twips_.to_pixels(design::client_height));
  board_ = make_block(accessible::board_name, accessible::board_description, 0);
  goal_ = make_block(accessible::goal_name, accessible::goal_description,
                     lattice::goal_offset);

  for (const design::Control& c : design::controls) {
    Control& record = controls_[{c.name, c.index}];
    record.left = static_cast<float>(c.left);
    record.top = static_cast<float>(c.top);
    record.width = c.width;
    record.height = c.height;
    if (c.name == ControlName::Piece) {
      record.block = block_for(c.index);
      record.block->add(c.index, {{}, 0, 0, design::piece_back_color, false});
    } else {
      record.widget = make_control(c.name, c.index);
    }
    if (c.caption != nullptr) {
      set_caption({c.name, c.index, serial_}, c.caption);
    }
    place(c.index, record);
    if (record.widget != nullptr) record.widget->setVisible(c.visible);
  }
  // Turn 1, then Tries (a label never takes the focus), then Reset.
  QWidget::setTabOrder(widget(ControlName::Turn, 1),
                       widget(ControlName::Reset, 0));
}

BlockWidget* QtToolkit::block_for(std::int16_t piece) const {
  return piece >= lattice::first_goal_piece ? goal_ : board_;
}

BlockWidget* QtToolkit::make_block(const char* name, const char* description,
                                   int left_twips) {
  // A block is as tall as the client area and as wide as it is tall.
  constexpr int extent = design::client_height;
  auto* block = new BlockWidget(window_.data(), twips_.overlap());
  block->setGeometry(twips_.rect(left_twips, 0, extent, extent));
  block->setAccessibleName(name);
  block->setAccessibleDescription(description);
  return block;
}

QWidget* QtToolkit::make_control(ControlName name, std::int16_t index) {
  QWidget* parent = window_.data();
  switch (name) {
    case ControlName::Piece: break;  // drawn by its block
    case ControlName::Turn: {
      const std::uint32_t serial = serial_;
      auto* button = new TurnButton(
          parent, [this, index, serial](std::int16_t code, std::int16_t shift,
                                        QPointF at) {
            if (serial != serial_) return;  // a press on a retired window
            dispatch([&] {
              events_.Turn_MouseDown(
                  index, code, shift,
                  static_cast<float>(twips_.to_twips(at.x())),
                  static_cast<float>(twips_.to_twips(at.y())));
            });
          });
      button->setFocusPolicy(Qt::StrongFocus);
      button->setAccessibleName(
          QString::fromStdString(accessible::turn_name(index)));
      button->setAccessibleDescription(
          QString::fromStdString(accessible::turn_description(index)));
      return button;
    }
    case ControlName::Tries: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignCenter);
      // A new caption repaints the inside only, not the overlapping circles.
      label->setContentsMargins(twips_.overlap(), twips_.overlap(),
                                twips_.overlap(), twips_.overlap());
      label->setFont(designed_font());
      label->setAutoFillBackground(true);
      QPalette palette = label->palette();
      palette.setColor(QPalette::Window, to_qcolor(design::tries_back_color));
      palette.setColor(QPalette::WindowText,
                       to_qcolor(design::tries_fore_color));
      label->setPalette(palette);
      label->setAccessibleName(accessible::tries_name);
      return label;
    }
    case ControlName::Reset: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      button->setFont(designed_font());
      button->setAccessibleDescription(accessible::reset_description);
      const std::uint32_t serial = serial_;
      QObject::connect(button, &QPushButton::clicked, button, [this, serial] {
        if (serial != serial_) return;
        dispatch([&] { events_.Reset_Click(); });
      });
      return button;
    }
  }
  return nullptr;
}

void QtToolkit::unload_window() {
  if (window_.isNull()) return;
  screen_ = window_->screen();
  // The handler that unloads may belong to one of this window's buttons, so
  // the window goes away once control is back in the event loop.
  window_->hide();
  window_->deleteLater();
  window_ = nullptr;
  board_ = goal_ = nullptr;
  controls_.clear();
}

void QtToolkit::follow_frame() {
  // A new window has no frame until the window manager reparents it and
  // says how wide the frame is, which may come well after the show. Each
  // time the frame changes the window is centred again, with the frame; a
  // move by the player leaves the frame as it was and the window where the
  // player put it.
  if (window_.isNull() || !window_->isVisible()) return;
  const QMargins frame = frame_margins_of(*window_);
  if (frame == seen_margins_) return;
  seen_margins_ = frame;
  if (frame.isNull()) return;  // not known yet, or no frame at all
  frame_margins_ = frame;
  centre_on_screen();
}

void QtToolkit::centre_on_screen() {
  QScreen* screen = window_->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area = screen->availableGeometry();
  const QSize frame = window_->size().grownBy(frame_margins_);
  const int x = area.left() + std::max(0, (area.width() - frame.width()) / 2);
  const int y = area.top() + std::max(0, (area.height() - frame.height()) / 2);
  if (frame_margins_.isNull()) {
    window_->move(x, y);  // no frame: the client is the whole window
    return;
  }
  // The client area is placed, not the frame: window managers differ in how
  // they read a frame position that Qt asks for, but all of them put a
  // client where it is asked to stand.
  window_->setGeometry(
      QRect(QPoint(x + frame_margins_.left(), y + frame_margins_.top()),
            window_->size()));
}

ControlRef QtToolkit::element(ControlName name, std::int16_t index) {
  if (window_.isNull() || controls_.count({name, index}) == 0) {
    throw ProgramError("control " + describe(name, index) + " does not exist");
  }
  return {name, index, serial_};
}

void QtToolkit::create_element(ControlName array, std::int16_t index) {
  if (array != ControlName::Piece && array != ControlName::Turn) {
    throw ProgramError(std::string(name_of(array)) + " is not a control array");
  }
  if (window_.isNull()) throw ProgramError("no window is loaded");
  if (controls_.count({array, index}) != 0) {
    throw ProgramError("control " + describe(array, index) + " already exists");
  }
  const design::Control& model_design = design::control(array);
  const Control model = controls_.at({array, model_design.index});
  Control record = model;
  if (array == ControlName::Piece) {
    // A copy of the template: its colour, hidden, in the block it belongs to.
    record.block = block_for(index);
    record.block->add(
        index,
        {{}, 0, 0, model.block->circle(model_design.index).colour, false});
  } else {
    record.widget = make_control(array, index);
    record.widget->setVisible(false);
    auto* copy = static_cast<QPushButton*>(record.widget);
    copy->setText(static_cast<QPushButton*>(model.widget)->text());
    // Each new Turn button follows the one before it in the tab order.
    QWidget* before =
        widget(ControlName::Turn, static_cast<std::int16_t>(index - 1));
    QWidget::setTabOrder(before != nullptr ? before : model.widget, copy);
  }
  place(index, controls_[{array, index}] = record);
}

QtToolkit::Control& QtToolkit::control(ControlRef ref) {
  if (window_.isNull() || ref.window != serial_) {
    throw ProgramError("control " + describe(ref.name, ref.index) +
                       " belongs to a window that was unloaded");
  }
  auto it = controls_.find({ref.name, ref.index});
  if (it == controls_.end()) {
    throw ProgramError("control " + describe(ref.name, ref.index) +
                       " does not exist");
  }
  return it->second;
}

BlockWidget& QtToolkit::circle_block(ControlRef ref) {
  if (ref.name != ControlName::Piece) {
    throw ProgramError("only a Piece has a colour");
  }
  return *control(ref).block;
}

void QtToolkit::place(std::int16_t index, Control& c) {
  const QRect pixels = twips_.rect(c.left, c.top, c.width, c.height);
  if (c.block == nullptr) {
    c.widget->setGeometry(pixels);
    return;
  }
  // A circle stands in its block, which stands in the window; screen
  // readers name it by its lattice cell in the block.
  const accessible::Cell cell = accessible::circle_cell(index, c.left, c.top);
  c.block->place(index, pixels.translated(-c.block->pos()), cell.row,
                 cell.column);
}

void QtToolkit::show_control(ControlRef ref) {
  Control& c = control(ref);
  if (c.block != nullptr) {
    c.block->show_circle(ref.index);
  } else {
    c.widget->show();
  }
}

bool QtToolkit::visible(ControlRef ref) {
  Control& c = control(ref);
  return c.block != nullptr ? c.block->circle(ref.index).visible
                            : c.widget->isVisibleTo(window_.data());
}

void QtToolkit::set_left(ControlRef ref, float twips) {
  Control& c = control(ref);
  c.left = twips;
  place(ref.index, c);
}

void QtToolkit::set_top(ControlRef ref, float twips) {
  Control& c = control(ref);
  c.top = twips;
  place(ref.index, c);
}

float QtToolkit::left(ControlRef ref) { return control(ref).left; }
float QtToolkit::top(ControlRef ref) { return control(ref).top; }

void QtToolkit::set_back_color(ControlRef ref, Colour colour) {
  circle_block(ref).set_colour(ref.index, colour);
}

Colour QtToolkit::back_color(ControlRef ref) {
  return circle_block(ref).circle(ref.index).colour;
}

QRect QtToolkit::pixels(ControlName name, std::int16_t index) const {
  const auto it = controls_.find({name, index});
  if (it == controls_.end()) return {};
  const Control& c = it->second;
  if (c.block != nullptr) {
    return c.block->circle(index).pixels.translated(c.block->pos());
  }
  return QRect(c.widget->mapTo(window_.data(), QPoint(0, 0)), c.widget->size());
}

BlockWidget* QtToolkit::block(ControlName name, std::int16_t index) const {
  const auto it = controls_.find({name, index});
  return it == controls_.end() ? nullptr : it->second.block;
}

void QtToolkit::set_caption(ControlRef ref, const std::string& text) {
  Control& c = control(ref);
  const QString caption = QString::fromStdString(text);
  switch (ref.name) {
    case ControlName::Tries:
      static_cast<QLabel*>(c.widget)->setText(caption);
      c.widget->setAccessibleDescription(
          QString::fromStdString(accessible::tries_description(text)));
      return;
    case ControlName::Turn:
    case ControlName::Reset:
      static_cast<QPushButton*>(c.widget)->setText(caption);
      return;
    case ControlName::Piece: break;
  }
  throw ProgramError("a Piece has no caption");
}

std::string QtToolkit::caption(ControlRef ref) {
  Control& c = control(ref);
  switch (ref.name) {
    case ControlName::Tries:
      return static_cast<QLabel*>(c.widget)->text().toStdString();
    case ControlName::Turn:
    case ControlName::Reset:
      return static_cast<QPushButton*>(c.widget)->text().toStdString();
    case ControlName::Piece: break;
  }
  return {};
}

BoxAnswer QtToolkit::message_box(const std::string& text, BoxStyle style,
                                 const std::string& title) {
  QMessageBox box(window_.data());
  box.setWindowModality(Qt::ApplicationModal);
  box.setTextFormat(Qt::PlainText);
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  if (style == BoxStyle::CriticalOkOnly) {
    box.setIcon(QMessageBox::Critical);
    box.setStandardButtons(QMessageBox::Ok);
  } else {
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  }
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return box.clickedButton() == box.button(QMessageBox::Cancel)
             ? BoxAnswer::Cancel
             : BoxAnswer::Ok;
}

}  // namespace tumbra
