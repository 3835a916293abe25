// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace tj::ui {

// A button whose caption wraps over several lines, drawn in its own background colour.
class WrapButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;
  void setCaption(const QString& text);
  void setFace(const QColor& c);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString caption_;
  QColor face_;
};

// A picture: stretched or at its own size; a short text drawn large where no file could
// be read; clickable when `onClick` is set.
class PictureBox final : public QLabel {
 public:
  using QLabel::QLabel;
  void setPicture(const QPixmap& pm, const QString& fallbackText, bool stretch, double scale);
  std::function<void()> onClick;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QPixmap pm_;
  QString text_;
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
};

}  // namespace tj::ui
