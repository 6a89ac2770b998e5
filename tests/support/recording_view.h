// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Any view, watched: every message box is written down and answered as the
// test chooses, and everything passes through to the view it wraps, which
// shows the box and closes it with that answer.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/view.h"

namespace tumbra::testing {

struct MessageBoxRecord {
  std::string text;
  BoxStyle style;
  std::string title;
};

class RecordingView final : public View {
 public:
  // `arrange` is told of each box and its answer before `inner` shows it,
  // and sees that the box closes with that answer.
  using Arrange = std::function<void(const MessageBoxRecord&, BoxAnswer)>;
  RecordingView(View& inner, Arrange arrange)
      : inner_(inner), arrange_(std::move(arrange)) {}

  // Every box so far, and the function that answers the next (OK if none).
  std::vector<MessageBoxRecord> boxes;
  std::function<BoxAnswer(const MessageBoxRecord&)> answer;

  void open() override { inner_.open(); }
  void add(const Control& c) override { inner_.add(c); }
  void change(const Control& c, Change what) override {
    inner_.change(c, what);
  }
  void present(const Control& first) override { inner_.present(first); }
  void close() override { inner_.close(); }
  void stop(const std::string& what) override { inner_.stop(what); }
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override {
    boxes.push_back({text, style, title});
    const MessageBoxRecord record = boxes.back();
    const BoxAnswer chosen = answer ? answer(record) : BoxAnswer::Ok;
    arrange_(record, chosen);
    return inner_.ask(text, style, title);
  }

 private:
  View& inner_;
  Arrange arrange_;
};

}  // namespace tumbra::testing
