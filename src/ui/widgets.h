// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <functional>

#include "screens/element.h"

namespace tj::ui {

// The text a label shows in a box of `box` pixels: the whole text when it fits (on one
// line, or wrapped when `wrap`), else shortened in the middle with "…", so that both its
// start and its end stay readable. At least one line is always allowed.
QString fittedText(const QString& text, const QFont& font, const QSize& box, bool wrap);

// A button whose caption wraps over several lines, drawn in its own background colour,
// with a clear focus ring and, when marked, a check or cross beside the caption. Enter
// presses it like Space, in dialogs and main windows alike.
class WrapButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;
  void setCaption(const QString& text);
  void setFace(const QColor& c);
  void setMark(Mark m);
  // Where the caption is drawn: inside the insets, and right of the mark when marked.
  QRect captionRect() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QString caption_;
  QColor face_;
  Mark mark_ = Mark::None;
};

// A picture: stretched or at its own size; a short text drawn large where no file could
// be read; clickable when `onClick` is set, and then also by Enter or Space once it has
// the keyboard focus, which it shows with a ring.
class PictureBox final : public QLabel {
 public:
  using QLabel::QLabel;
  void setPicture(const QPixmap& pm, const QString& fallbackText, bool stretch, double scale);
  // Makes it a button for the keyboard and screen readers: it takes the focus, Enter or
  // Space or the screen reader's press action run `onClick`.
  void makeButton();
  bool isButton() const { return button_; }
  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QPixmap pm_;
  QString text_;
  bool button_ = false;
  bool stretch_ = false;
  double scale_ = 1;
};

// A frame: background, caption at its top left, children placed inside.
class FrameBox final : public QWidget {
 public:
  using QWidget::QWidget;
  void setLook(const QString& caption, const QFont& font, const QColor& back, const QColor& fore);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString caption_;
  QFont font_;
  QColor back_, fore_;
};

// A single-line text box that reports each key before it takes it; the key is never swallowed.
class KeyLineEdit final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  std::function<void(int)> onKey;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // Taking the focus tells screen readers only the focus, no caret or selection move: Orca
  // 43 takes such a move, which Qt sends before the focus, for the focus and then announces
  // nothing (the name box of player 2 and its prompt went unheard).
  void focusInEvent(QFocusEvent* e) override;
};

// A read-only table of plain texts whose columns share its width by weight and whose rows
// are as tall as their wrapped texts; both follow every change of its size.
class TextTable final : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;
  void setColumnWeights(std::vector<int> weights);

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void fit();
  std::vector<int> weights_;
};

}  // namespace tj::ui
