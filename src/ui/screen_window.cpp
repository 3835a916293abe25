// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screen_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollArea>
#include <QTableWidget>
#include <QDialog>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTextBrowser>
#include <cmath>

#include "text/font_choice.h"
#include "screens/app.h"
#include "ui/look.h"
#include "ui/pictures.h"
#include "ui/rich_text.h"
#include "ui/widgets.h"

namespace tj::ui {

// The client area: paints the screen's background and relays out on resize.
class CanvasWidget final : public QWidget {
 public:
  CanvasWidget(ScreenWindow& owner, QColor back) : owner_(owner), back_(back) {}

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), back_); }
  void resizeEvent(QResizeEvent*) override { owner_.relayout(); }
  // A key no control took (a digit on a button) goes to the screen.
  void keyPressEvent(QKeyEvent* e) override {
    const QString text = e->text();
    if (text.size() == 1 && !owner_.detached_ && owner_.app_.pressScreenKey(owner_.screen_, text.at(0).unicode()))
      e->accept();
    else
      e->ignore();
  }

 private:
  ScreenWindow& owner_;
  QColor back_;
};

// Closing a full-screen window through its frame ends the program.
class MainWindow final : public QMainWindow {
 public:
  explicit MainWindow(ScreenWindow& owner) : owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    owner_.userClosed();
  }

 private:
  ScreenWindow& owner_;
};

// Dialogs close only through their own buttons: the frame never closes them, and Esc only
// presses a cancel button where the screen has one.
class DialogWindow final : public QDialog {
 public:
  explicit DialogWindow(ScreenWindow& owner) : owner_(owner) { setWindowFlag(Qt::WindowContextHelpButtonHint, false); }
  void reject() override {
    if (!owner_.detached_) owner_.app_.pressCancel(owner_.screen_);
  }

 protected:
  void closeEvent(QCloseEvent* e) override { e->ignore(); }

 private:
  ScreenWindow& owner_;
};

namespace {
// A menu caption with its access key (Alt+D for "Datei"): the letter `key` names, else the
// first; screen readers still read the caption as written.
QString withAccessKey(const std::string& caption, const std::string& key = {}) {
  QString text = QString::fromStdString(caption);
  text.replace('&', QStringLiteral("&&"));
  const qsizetype at = key.empty() ? 0 : text.indexOf(QString::fromStdString(key), 0, Qt::CaseInsensitive);
  return text.isEmpty() ? text : text.insert(std::max<qsizetype>(at, 0), '&');
}

}  // namespace

ScreenWindow::ScreenWindow(App& app, Screen& screen, QtPictures& pictures, QWidget*)
    : app_(app), screen_(screen), pictures_(pictures) {
  const WindowSpec& win = screen.window();
  auto* canvas = new CanvasWidget(*this, toQColor(win.background));
  canvas->setObjectName(QString::fromStdString(screen.name()));
  canvas_ = canvas;
  if (win.kind == WindowSpec::Kind::Maximised) {
    auto* w = new MainWindow(*this);
    w->setCentralWidget(canvas);
    for (const Menu& m : screen.menus()) {
      QMenu* menu = w->menuBar()->addMenu(withAccessKey(m.caption));
      for (const MenuItem& item : m.items) {
        QAction* a = menu->addAction(withAccessKey(item.caption, item.accessKey));
        a->setObjectName(QString::fromStdString(item.name));
        const std::string name = item.name;
        // The model keeps the check mark; every sync shows it again (a switch may turn
        // itself off, e.g. "Vorlesen" without a voice).
        if (item.Checked) {
          a->setCheckable(true);
          a->setChecked(item.Checked());
          checks_.push_back({a, item.Checked});
        }
        QObject::connect(a, &QAction::triggered, this, [this, name] {
          if (!detached_) app_.chooseMenu(screen_, name);
          if (!detached_) sync();
        });
      }
    }
    window_ = w;
  } else {
    auto* d = new DialogWindow(*this);
    auto* lay = new QHBoxLayout(d);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(canvas);
    d->setFixedSize(qRound(win.clientWidth / kTwipsPerPixel), qRound(win.clientHeight / kTwipsPerPixel));
    window_ = d;
  }
  window_->setObjectName(QString::fromStdString(screen.name()) + QStringLiteral("Fenster"));
  window_->setWindowTitle(QString::fromStdString(win.title));
  window_->setAccessibleName(QString::fromStdString(win.accessibleName));
  if (!win.icon.empty()) window_->setWindowIcon(QIcon(QStringLiteral(":/") + QString::fromStdString(win.icon)));
  build();
}

ScreenWindow::~ScreenWindow() {
  if (window_) window_->deleteLater();
}

void ScreenWindow::userClosed() {
  if (!detached_) app_.dispatch([this] { app_.forms.UnloadForms(); });
}

void ScreenWindow::detach() {
  detached_ = true;
  for (Item& it : items_) {
    if (it.timer) it.timer->stop();
    it.element = nullptr;
  }
  if (window_) window_->hide();
}

double ScreenWindow::pxPerTwip() const {
  const WindowSpec& win = screen_.window();
  if (win.kind == WindowSpec::Kind::Dialog) return 1.0 / kTwipsPerPixel;
  return std::min(canvas_->width() / win.clientWidth, canvas_->height() / win.clientHeight);
}

QRect ScreenWindow::pixelRect(const Element& e) const {
  const double s = pxPerTwip();
  double ox = 0, oy = 0;
  if (!e.container && screen_.window().kind == WindowSpec::Kind::Maximised) {
    ox = (canvas_->width() - screen_.window().clientWidth * s) / 2;
    oy = (canvas_->height() - screen_.window().clientHeight * s) / 2;
  }
  const int x = static_cast<int>(std::lround(e.Left() * s + ox));
  const int y = static_cast<int>(std::lround(e.Top() * s + oy));
  const int r = static_cast<int>(std::lround((e.Left() + e.Width()) * s + ox));
  const int b = static_cast<int>(std::lround((e.Top() + e.Height()) * s + oy));
  return QRect(x, y, std::max(0, r - x), std::max(0, b - y));
}

QWidget* ScreenWindow::makeWidget(Element& e, QWidget* parent) {
  Element* ep = &e;
  switch (e.kind()) {
    case ElementKind::Label: {
      auto* l = new QLabel(parent);
      l->setTextFormat(Qt::PlainText);
      return l;
    }
    case ElementKind::Button: {
      auto* b = new WrapButton(parent);
      b->setFocusPolicy(e.tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
      QObject::connect(b, &QPushButton::clicked, this, [this, ep] {
        if (!detached_) app_.click(*ep);
      });
      return b;
    }
    case ElementKind::Picture: {
      auto* p = new PictureBox(parent);
      p->onClick = [this, ep] {
        if (!detached_) app_.click(*ep);
      };
      if (e.Click) p->setCursor(Qt::PointingHandCursor);
      if (e.Click && e.tabIndex >= 0)
        p->makeButton();
      else if (e.tabIndex >= 0)
        p->setFocusPolicy(Qt::StrongFocus);
      return p;
    }
    case ElementKind::TextBox: {
      auto* t = new KeyLineEdit(parent);
      t->onKey = [this, ep](int code) {
        if (!detached_) app_.pressKey(*ep, code);
      };
      QObject::connect(t, &QLineEdit::textEdited, this, [this, ep](const QString& text) {
        if (!detached_) app_.typeText(*ep, text.toStdString());
      });
      return t;
    }
    case ElementKind::Frame: {
      if (!e.scrolls) return new FrameBox(parent);
      // The elements inside lie on a box as tall as they need; the area shows part of it.
      auto* area = new QScrollArea(parent);
      area->setFrameShape(QFrame::StyledPanel);
      area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      area->setWidgetResizable(true);
      auto* inside = new FrameBox;
      inside->setObjectName(QString::fromStdString(e.name()) + QStringLiteral("Inhalt"));
      area->setWidget(inside);
      inner_[&e] = inside;
      return area;
    }
    case ElementKind::CheckBox: {
      auto* c = new QCheckBox(parent);
      c->setFocusPolicy(e.tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
      // Mouse, keys and a screen reader's toggle action all come here; the model decides,
      // also when it refuses the click.
      QObject::connect(c, &QCheckBox::toggled, this, [this, ep, c](bool ticked) {
        if (detached_ || ticked == ep->Value()) return;
        app_.click(*ep);
        const QSignalBlocker quiet(c);
        if (!detached_) c->setChecked(ep->Value());
      });
      return c;
    }
    case ElementKind::Table: {
      auto* t = new TextTable(parent);
      t->setEditTriggers(QAbstractItemView::NoEditTriggers);
      t->setSelectionBehavior(QAbstractItemView::SelectRows);
      t->setSelectionMode(QAbstractItemView::SingleSelection);
      t->setWordWrap(true);
      t->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
      t->verticalHeader()->setVisible(false);
      t->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
      t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // the columns' width never changes with it
      t->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
      return t;
    }
    case ElementKind::RichText: {
      auto* r = new QTextBrowser(parent);
      r->setReadOnly(true);
      r->setOpenLinks(false);
      return r;
    }
    case ElementKind::Timer:
      return nullptr;
  }
  return nullptr;
}

void ScreenWindow::build() {
  for (const auto& up : screen_.elements()) {
    Element& e = *up;
    Item item{&e, nullptr, nullptr, 0};
    if (e.kind() == ElementKind::Timer) {
      item.timer = std::make_unique<QTimer>();
      item.timer->setTimerType(Qt::PreciseTimer);
      Element* ep = &e;
      QObject::connect(item.timer.get(), &QTimer::timeout, this, [this, ep] {
        if (!detached_) app_.tick(*ep);
      });
    } else {
      QWidget* parent = canvas_;
      if (e.container) {
        const auto inner = inner_.find(e.container);
        parent = inner != inner_.end() ? inner->second : byElement_.at(e.container);
      }
      QWidget* w = makeWidget(e, parent);
      w->setObjectName(QString::fromStdString(e.name()));
      byElement_[&e] = w;
      item.widget = w;
    }
    items_.push_back(std::move(item));
  }
  // Tab follows the screen's order; arrow keys step through the same order.
  QWidget* previous = nullptr;
  for (Element* e : screen_.tabOrder()) {
    QWidget* w = byElement_.at(e);
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
    // Text boxes keep their arrows for the cursor, rich-text boxes and tables for scrolling.
    if (e->kind() != ElementKind::TextBox && e->kind() != ElementKind::RichText && e->kind() != ElementKind::Table)
      w->installEventFilter(this);
  }
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || detached_) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  const int step = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 0;
  if (step == 0) return false;
  for (const auto& [element, widget] : byElement_)
    if (widget == watched) {
      if (Element* next = screen_.nextFocus(element, step)) app_.dispatch([this, next] { screen_.SetFocus(*next); });
      return true;
    }
  return false;
}

void ScreenWindow::relayout() {
  // The menu bar grows with the design area like everything else.
  if (auto* w = qobject_cast<QMainWindow*>(window_.data()); w && w->menuWidget()) {
    QFont f = w->menuBar()->font();
    f.setPixelSize(std::max(12, static_cast<int>(std::lround(pxPerTwip() * kTwipsPerPixel * 12))));
    w->menuBar()->setFont(f);
  }
  for (Item& it : items_) it.seen = 0;
  seenRevision_ = 0;
  sync();
}

void ScreenWindow::apply(Item& item) {
  Element& e = *item.element;
  item.seen = e.revision();
  if (item.timer) {
    const bool run = e.TimerEnabled() && e.Interval() > 0;
    if (!run)
      item.timer->stop();
    else if (!item.timer->isActive() || item.timer->interval() != e.Interval())
      item.timer->start(e.Interval());
    return;
  }
  QWidget* w = item.widget;
  if (!w) return;
  const double s = pxPerTwip();
  const double pxPerPoint = s * kTwipsPerPixel * text::kUnscaledPixelsPerPoint;
  const QFont font = toQFont(e.font, pxPerPoint);
  const QString caption = QString::fromStdString(e.Caption());
  QRect r = pixelRect(e);
  w->setFont(font);
  w->setEnabled(e.Enabled());
  QPalette pal = w->palette();
  switch (e.kind()) {
    case ElementKind::Label: {
      auto* l = static_cast<QLabel*>(w);
      // A label sizing itself stops at the right edge of the window.
      if (e.autoSize)
        r.setWidth(std::min(QFontMetrics(font).horizontalAdvance(caption) + 4, std::max(1, canvas_->width() - r.x())));
      // Text that does not fit is shortened in the middle; screen readers get it whole.
      l->setText(fittedText(caption, font, r.size(), e.wordWrap && !e.autoSize));
      l->setWordWrap(e.wordWrap && !e.autoSize);
      l->setAlignment((e.alignment == Align::Center  ? Qt::AlignHCenter
                       : e.alignment == Align::Right ? Qt::AlignRight
                                                     : Qt::AlignLeft) |
                      Qt::AlignTop);
      pal.setColor(QPalette::WindowText, toQColor(e.ForeColor()));
      pal.setColor(QPalette::Window, toQColor(e.BackColor()));
      l->setPalette(pal);
      l->setAutoFillBackground(!e.transparent);
      break;
    }
    case ElementKind::Button: {
      auto* b = static_cast<WrapButton*>(w);
      b->setCaption(caption);
      b->setFace(toQColor(e.BackColor()));
      b->setMark(e.mark());
      break;
    }
    case ElementKind::Picture: {
      auto* p = static_cast<PictureBox*>(w);
      const QString text =
          e.picture().kind == Picture::Kind::Text ? QString::fromStdString(e.picture().ref) : QString();
      p->setPicture(pictures_.pixmap(e.picture()), text, e.stretch, s * kTwipsPerPixel);
      break;
    }
    case ElementKind::TextBox: {
      auto* t = static_cast<QLineEdit*>(w);
      if (t->text() != caption) t->setText(caption);
      break;
    }
    case ElementKind::Frame: {
      // A scrolling frame's widget is the scroll area; its box is the one inside.
      FrameBox* box = nullptr;
      if (const auto inner = inner_.find(&e); inner == inner_.end()) {
        box = static_cast<FrameBox*>(w);
      } else {
        // The box inside is as wide as the area shows and as tall as its elements reach.
        box = inner->second;
        int bottom = 0;
        for (const auto& child : screen_.elements())
          if (child->container == &e) bottom = std::max(bottom, pixelRect(*child).bottom() + 1);
        box->setMinimumHeight(bottom + 4);
      }
      box->setLook(caption, font, toQColor(e.BackColor()), toQColor(e.ForeColor()));
      break;
    }
    case ElementKind::CheckBox: {
      auto* c = static_cast<QCheckBox*>(w);
      c->setText(QString(caption).replace('&', QStringLiteral("&&")));  // an "&" in data is no shortcut
      const QSignalBlocker quiet(c);
      c->setChecked(e.Value());
      pal.setColor(QPalette::Window, toQColor(e.BackColor()));
      pal.setColor(QPalette::WindowText, toQColor(e.ForeColor()));
      c->setPalette(pal);
      break;
    }
    case ElementKind::Table: {
      auto* t = static_cast<TextTable*>(w);
      const TableContent& content = e.table();
      const QSignalBlocker quiet(t);
      t->clear();
      t->setColumnCount(static_cast<int>(content.headings.size()));
      t->setRowCount(static_cast<int>(content.rows.size()));
      QStringList headings;
      for (const std::string& h : content.headings) headings << QString::fromStdString(h);
      t->setHorizontalHeaderLabels(headings);
      for (int row = 0; row < static_cast<int>(content.rows.size()); ++row) {
        const auto& cells = content.rows[static_cast<std::size_t>(row)];
        for (int col = 0; col < static_cast<int>(cells.size()) && col < t->columnCount(); ++col) {
          auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<std::size_t>(col)]));
          item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
          t->setItem(row, col, item);
        }
      }
      t->setColumnWeights(content.columnWeights());
      break;
    }
    case ElementKind::RichText: {
      auto* rt = static_cast<QTextBrowser*>(w);
      if (e.document) showDocument(*rt, *e.document, pxPerPoint);
      pal.setColor(QPalette::Base, toQColor(e.BackColor()));
      rt->setPalette(pal);
      break;
    }
    case ElementKind::Timer:
      break;
  }
  // What a screen reader says; Qt tells it when either changes on the focused control.
  const QString spoken = QString::fromStdString(e.spokenName());
  if (w->accessibleName() != spoken) w->setAccessibleName(spoken);
  const QString description = QString::fromStdString(e.Description());
  if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
  w->setGeometry(r);
  w->setVisible(e.Visible());
}

void ScreenWindow::sync() {
  if (detached_ || !window_) return;
  if (seenRevision_ != modelRevision()) {
    seenRevision_ = modelRevision();
    for (Item& it : items_)
      if (it.element && it.seen != it.element->revision()) apply(it);
  }
  const bool visible = screen_.Visible();
  if (visible && !window_->isVisible()) {
    window_->setWindowModality(screen_.isModal() ? Qt::ApplicationModal : Qt::NonModal);
    QScreen* scr = QGuiApplication::primaryScreen();
    const QRect avail = scr ? scr->availableGeometry() : QRect(0, 0, 1024, 768);
    if (screen_.window().kind == WindowSpec::Kind::Maximised) {
      window_->setGeometry(avail);
      window_->showMaximized();
    } else {
      if (screen_.window().centred) {
        const QSize sz = window_->size();
        window_->move(avail.center() - QPoint(sz.width() / 2, sz.height() / 2));
      }
      window_->show();
    }
    shown_ = true;
  } else if (!visible && window_->isVisible()) {
    window_->hide();
  }
  for (const auto& [action, checked] : checks_)
    if (action->isChecked() != checked()) action->setChecked(checked());
  if (visible && seenFocus_ != screen_.focusRevision()) {
    seenFocus_ = screen_.focusRevision();
    if (Element* f = screen_.focus())
      if (auto it = byElement_.find(f); it != byElement_.end()) {
        it->second->setFocus(Qt::OtherFocusReason);
        if (f->container)
          if (auto* area = qobject_cast<QScrollArea*>(byElement_.at(f->container)))
            area->ensureWidgetVisible(it->second);
      }
  }
}

}  // namespace tj::ui
