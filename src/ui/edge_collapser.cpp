#include "ui/edge_collapser.h"

#include <QApplication>
#include <QCursor>
#include <QDockWidget>
#include <QEnterEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

namespace vemora::ui {
namespace {

// How long the pointer rests on the tab before the panel opens, and how long the panel
// stays open after the pointer left it (a short trip over the edge does not fold it).
constexpr int kOpenDelayMs = 250;
constexpr int kFoldDelayMs = 600;
constexpr int kTabWidth = 24;
constexpr int kDefaultOpenWidth = 200;

}  // namespace

EdgeTab::EdgeTab(const QString& caption, QWidget* parent) : QWidget(parent), caption_(caption) {
  setObjectName("edgeTab");
  setAttribute(Qt::WA_Hover);
  setFixedWidth(kTabWidth);
  setToolTip(caption.trimmed());
}

QSize EdgeTab::sizeHint() const {
  return {kTabWidth, fontMetrics().horizontalAdvance(caption_) + 24};
}

void EdgeTab::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(area, palette().color(hovered_ ? QPalette::Midlight : QPalette::Button));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(area);
  painter.setPen(palette().color(QPalette::ButtonText));
  // Read top to bottom, as a tab at the left edge is read.
  painter.translate(width(), 0);
  painter.rotate(90);
  painter.drawText(QRect(8, 0, height() - 16, width()), Qt::AlignLeft | Qt::AlignVCenter,
                   caption_.trimmed());
}

void EdgeTab::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  hovered_ = true;
  update();
  emit pointerEntered();
}

void EdgeTab::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  hovered_ = false;
  update();
  emit pointerLeft();
}

EdgeCollapser::EdgeCollapser(QDockWidget* panel)
    : QObject(panel), panel_(panel), content_(panel->widget()) {
  auto* container = new QWidget(panel);
  container->setObjectName("edgeContainer");
  auto* layout = new QHBoxLayout(container);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tab_ = new EdgeTab(panel->windowTitle(), container);
  layout->addWidget(content_, 1);
  layout->addWidget(tab_);
  tab_->hide();
  panel->setWidget(container);

  openTimer_ = new QTimer(this);
  openTimer_->setSingleShot(true);
  openTimer_->setInterval(kOpenDelayMs);
  foldTimer_ = new QTimer(this);
  foldTimer_->setSingleShot(true);
  foldTimer_->setInterval(kFoldDelayMs);
  connect(openTimer_, &QTimer::timeout, this, &EdgeCollapser::Open);
  connect(foldTimer_, &QTimer::timeout, this, [this] {
    if (!PointerInside()) Fold();
  });
  connect(tab_, &EdgeTab::pointerEntered, this, [this] {
    foldTimer_->stop();
    if (collapsed_) openTimer_->start();
  });
  connect(tab_, &EdgeTab::pointerLeft, openTimer_, &QTimer::stop);
  // A floating panel has no edge to fold to.
  connect(panel, &QDockWidget::topLevelChanged, this, [this](bool floating) {
    if (floating) Open();
  });
  panel->installEventFilter(this);
}

void EdgeCollapser::SetCollapsible(bool collapsible) {
  collapsible_ = collapsible;
  tab_->setVisible(collapsible);
  if (collapsible && !panel_->isFloating())
    Fold();
  else
    Open();
}

QMainWindow* EdgeCollapser::Window() const {
  return qobject_cast<QMainWindow*>(panel_->parentWidget());
}

void EdgeCollapser::Fold() {
  if (!collapsible_ || panel_->isFloating()) return;
  // The tab stands upright: only a panel at the left or right edge folds.
  QMainWindow* window = Window();
  if (window != nullptr &&
      (window->dockWidgetArea(panel_) & (Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea)))
    return;
  if (!collapsed_ && !overlaid_ && content_->isVisible()) contentWidth_ = content_->width();
  const bool hadFocus = ContentHasFocus();
  collapsed_ = true;
  TakeContentBack();
  content_->hide();
  if (hadFocus) {
    for (QWidget* back : {focusBefore_.data(), focusHolderBefore_.data()}) {
      if (back == nullptr || !back->isVisible()) continue;
      back->setFocus(Qt::OtherFocusReason);
      break;
    }
  }
  // The caption bar would not fit the tab's width; the tab carries the caption.
  if (panel_->titleBarWidget() == nullptr) {
    // An empty layout gives the bar a size of nothing (a bare widget has no size at all).
    auto* bar = new QWidget(panel_);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    panel_->setTitleBarWidget(bar);
  }
  panel_->setMaximumWidth(tab_->width() + 2);
}

void EdgeCollapser::Open() {
  openTimer_->stop();
  QMainWindow* window = Window();
  // Opened from its tab, the content lies over the window beside the folded panel, so the
  // grid and the other panels keep their places; it folds back when the pointer leaves.
  const bool overlay = collapsible_ && window != nullptr && !panel_->isFloating();
  if (!collapsed_ && overlaid_ == overlay) return;
  collapsed_ = false;
  if (overlay) {
    ShowOverlay(*window);
    return;
  }
  TakeContentBack();
  QWidget* bar = panel_->titleBarWidget();
  panel_->setTitleBarWidget(nullptr);
  delete bar;
  panel_->setMaximumWidth(QWIDGETSIZE_MAX);
  content_->show();
  ResizeDocked();
}

void EdgeCollapser::SetOpenWidth(int contentWidth) {
  contentWidth_ = contentWidth;
  if (!collapsed_ && !overlaid_) ResizeDocked();
}

int EdgeCollapser::OpenContentWidth() const {
  return contentWidth_ > 0 ? contentWidth_ : kDefaultOpenWidth;
}

void EdgeCollapser::ResizeDocked() {
  const int width = OpenContentWidth() + (collapsible_ ? tab_->width() : 0);
  if (QMainWindow* window = Window(); window != nullptr && !panel_->isFloating())
    window->resizeDocks({panel_}, {width}, Qt::Horizontal);
}

void EdgeCollapser::ShowOverlay(QMainWindow& window) {
  if (overlay_ == nullptr) {
    overlay_ = new QFrame(&window);
    overlay_->setObjectName("edgeOverlay");
    overlay_->setFrameShape(QFrame::StyledPanel);
    overlay_->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(overlay_);
    layout->setContentsMargins(1, 1, 1, 1);
    overlay_->installEventFilter(this);
  }
  QWidget* focus = ContentHasFocus() ? nullptr : QApplication::focusWidget();
  focusBefore_ = focus;
  focusHolderBefore_ = nullptr;
  for (QWidget* around = focus != nullptr ? focus->parentWidget() : nullptr; around != nullptr;
       around = around->parentWidget()) {
    if (around->focusPolicy() == Qt::NoFocus) continue;
    focusHolderBefore_ = around;
    break;
  }
  overlay_->layout()->addWidget(content_);
  content_->show();
  overlaid_ = true;
  const int width = OpenContentWidth();
  const QRect docked = panel_->geometry();
  const bool atRight = window.dockWidgetArea(panel_) == Qt::RightDockWidgetArea;
  overlay_->setGeometry(atRight ? docked.left() - width : docked.right() + 1, docked.top(), width,
                        docked.height());
  overlay_->raise();
  overlay_->show();
}

void EdgeCollapser::TakeContentBack() {
  if (!overlaid_) return;
  overlaid_ = false;
  static_cast<QHBoxLayout*>(tab_->parentWidget()->layout())->insertWidget(0, content_, 1);
  overlay_->hide();
}

bool EdgeCollapser::ContentHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == content_ || content_->isAncestorOf(focus));
}

bool EdgeCollapser::PointerInside() const {
  auto inside = [](const QWidget* widget) {
    return widget != nullptr && widget->isVisible() &&
           widget->rect().contains(widget->mapFromGlobal(QCursor::pos()));
  };
  return inside(panel_) || inside(overlay_);
}

bool EdgeCollapser::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == panel_ || watched == overlay_) && collapsible_) {
    if (event->type() == QEvent::Leave && !collapsed_) foldTimer_->start();
    if (event->type() == QEvent::Enter) foldTimer_->stop();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vemora::ui
