// Collapses a dock panel to a narrow tab at the window's edge; while the pointer rests on
// the tab the panel's content opens over the window beside it (the grid and the other panels
// keep their places), and it folds back a moment after the pointer has left it. Qt's dock
// widgets have no such mode. The collapser wraps the panel's content in a container of its
// own (content beside the tab); the panel keeps owning both, and the overlay borrows the
// content while it is open.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QDockWidget;
class QFrame;
class QMainWindow;
class QTimer;

namespace vemora::ui {

// The tab: the panel's caption written top to bottom.
class EdgeTab : public QWidget {
  Q_OBJECT

 public:
  EdgeTab(const QString& caption, QWidget* parent = nullptr);
  QSize sizeHint() const override;

 signals:
  void pointerEntered();
  void pointerLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QString caption_;
  bool hovered_ = false;
};

class EdgeCollapser : public QObject {
  Q_OBJECT

 public:
  explicit EdgeCollapser(QDockWidget* panel);

  // On: the panel folds to its tab now and opens on demand. Off: always open, no tab.
  void SetCollapsible(bool collapsible);
  bool collapsible() const { return collapsible_; }
  bool collapsed() const { return collapsed_; }
  EdgeTab* tab() const { return tab_; }

  void Open();
  void Fold();
  // The width of the panel's content when open: now when it is open, else when it next opens.
  void SetOpenWidth(int contentWidth);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow* Window() const;
  bool PointerInside() const;
  // Whether the keyboard focus is in the content.
  bool ContentHasFocus() const;
  // The content's width when open: as last seen or set, else a default.
  int OpenContentWidth() const;
  // Sizes the docked panel to the content's width and, when it shows, the tab's.
  void ResizeDocked();
  void ShowOverlay(QMainWindow& window);
  // Puts the content back into the panel from the overlay, if it is there.
  void TakeContentBack();

  QDockWidget* panel_;
  QWidget* content_;
  EdgeTab* tab_;
  QFrame* overlay_ = nullptr;  // made on first opening from the tab
  QTimer* openTimer_;
  QTimer* foldTimer_;
  bool collapsible_ = false;
  bool collapsed_ = false;
  bool overlaid_ = false;  // open from the tab: the content lies in the overlay
  int contentWidth_ = 0;   // the content's width when open; 0: not known yet
  // Where the keyboard focus was when the content came over the window, and the nearest
  // widget around it that takes the focus (a grid around its cell editor): the focus goes
  // back there when the content folds away with the focus in it.
  QPointer<QWidget> focusBefore_;
  QPointer<QWidget> focusHolderBefore_;
};

}  // namespace vemora::ui
