// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/accessibility.h"

#include <QAccessibleWidget>
#include <QPointer>

#include "app/accessible_text.h"
#include "app/qt/block_widget.h"
#include "app/qt/form_window.h"
#include "app/qt/turn_button.h"

namespace tumbra {

namespace {

// One circle: a graphic named by its place and colour, at its place on the
// screen. It lives as long as its block.
class CircleAccessible final : public QAccessibleInterface {
 public:
  CircleAccessible(BlockWidget* block, std::int16_t index)
      : block_(block), index_(index) {}

  bool isValid() const override { return circle() != nullptr; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return block_.isNull() ? nullptr : block_->window()->windowHandle();
  }
  QAccessibleInterface* parent() const override {
    return block_.isNull() ? nullptr
                           : QAccessible::queryAccessibleInterface(block_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    const Control* c = circle();
    if (t != QAccessible::Name || c == nullptr) return {};
    return QString::fromStdString(accessible::spoken(*c).name);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    const Control* c = circle();
    if (c == nullptr) return {};
    const QRect pixels = block_->pixels(*c);
    return QRect(block_->mapToGlobal(pixels.topLeft()), pixels.size());
  }
  QAccessible::Role role() const override { return QAccessible::Graphic; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.invisible = !isValid();
    return state;
  }

 private:
  // The circle while it shows in its block, or nullptr.
  const Control* circle() const {
    if (block_.isNull()) return nullptr;
    for (const Control* c : block_->shown()) {
      if (c->index == index_) return c;
    }
    return nullptr;
  }

  QPointer<BlockWidget> block_;
  std::int16_t index_;
};

// The block as a group whose children are its showing circles.
class BlockAccessible final : public QAccessibleWidget {
 public:
  explicit BlockAccessible(BlockWidget* block)
      : QAccessibleWidget(block, QAccessible::Grouping) {}

  int childCount() const override {
    return static_cast<int>(block()->shown().size());
  }
  QAccessibleInterface* child(int position) const override {
    const auto circles = block()->shown();
    if (position < 0 || position >= static_cast<int>(circles.size())) {
      return nullptr;
    }
    return block()->accessible_circle(
        circles[static_cast<std::size_t>(position)]->index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i) {
      if (this->child(i) == child) return i;
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* c = child(i);
      if (c != nullptr && c->rect().contains(x, y)) return c;
    }
    return nullptr;
  }

 private:
  BlockWidget* block() const { return static_cast<BlockWidget*>(widget()); }
};

// A Turn button offers a screen reader no press of its own: only a mouse
// press turns, and on which button decides the way. Without one, Orca's
// left and right clicks press it with the mouse, as a player would.
class TurnAccessible final : public QAccessibleWidget {
 public:
  explicit TurnAccessible(TurnButton* turn)
      : QAccessibleWidget(turn, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    const QString text = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !text.isEmpty()) return text;
    return static_cast<TurnButton*>(widget())->text();
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = static_cast<TurnButton*>(widget())->isDown();
    return state;
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* turn = dynamic_cast<TurnButton*>(object)) {
    return new TurnAccessible(turn);
  }
  if (auto* block = dynamic_cast<BlockWidget*>(object)) {
    return new BlockAccessible(block);
  }
  if (object->objectName() == QLatin1String("notification")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object),
                                 QAccessible::Notification);
  }
  // Qt takes a plain top-level widget for a client area; screen readers
  // announce a window only when it says it is one.
  if (auto* window = dynamic_cast<FormWindow*>(object)) {
    return new QAccessibleWidget(window, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void install_accessibility() {
  static bool installed = false;
  if (!installed) QAccessible::installFactory(factory);
  installed = true;
}

QAccessibleInterface* make_circle_accessible(BlockWidget* block,
                                             std::int16_t index) {
  return new CircleAccessible(block, index);
}

Notice::Notice(QWidget* window) : QWidget(window) {
  setGeometry(0, 0, 0, 0);
  for (QWidget*& said : said_) {
    said = new QWidget(this);
    said->setObjectName("notification");
    said->setFocusPolicy(Qt::NoFocus);
    said->setGeometry(0, 0, 0, 0);
    said->hide();
  }
}

void Notice::say(const QString& text) {
  if (!QAccessible::isActive() || !window()->isVisible()) return;
  QWidget* said = said_[next_];
  next_ = (next_ + 1) % said_.size();
  said->hide();
  said->setAccessibleName(text);
  said->show();  // the screen reader hears it as it shows
}

}  // namespace tumbra
