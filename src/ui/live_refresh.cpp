#include "ui/live_refresh.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

#include "ui/grid_view.h"
#include "ui/window_services.h"

namespace vemora::ui {
namespace {

constexpr int kNoteMilliseconds = 10000;

// The record's identity across grid edits: its counter, or its key while that is unknown.
struct RecordIdentity {
  int64_t rowId = 0;
  int32_t key = 0;
  bool Matches(const GridRecord& record) const {
    return rowId != 0 ? record.rowId == rowId : record.key == key;
  }
};

std::optional<RecordIdentity> IdentityAt(const CatalogueGrid& grid, int index) {
  if (!grid.Contains(index)) return std::nullopt;
  return RecordIdentity{grid.Record(index).rowId, grid.Record(index).key};
}

int IndexOf(const CatalogueGrid& grid, const std::optional<RecordIdentity>& identity) {
  if (!identity) return -1;
  for (int i = 0; i < grid.Count(); ++i)
    if (identity->Matches(grid.Record(i))) return i;
  return -1;
}

}  // namespace

LiveRefresh::LiveRefresh(WindowServices& window, GridView* grid, QStatusBar* statusBar,
                         bool* recordsChanging, std::function<void()> recordsChanged,
                         QObject* parent)
    : QObject(parent),
      window_(window),
      grid_(grid),
      recordsChanging_(recordsChanging),
      recordsChanged_(std::move(recordsChanged)),
      timer_(new QTimer(this)),
      noteTimer_(new QTimer(this)) {
  note_ = new QLabel(statusBar);
  note_->setObjectName("liveNote");
  statusBar->addWidget(note_, 1);
  noteTimer_->setSingleShot(true);
  connect(noteTimer_, &QTimer::timeout, note_, &QLabel::clear);
  timer_->setObjectName("liveRefreshTimer");
  timer_->setInterval(kIntervalMilliseconds);
  connect(timer_, &QTimer::timeout, this, &LiveRefresh::Tick);
}

LiveRefresh::~LiveRefresh() = default;

void LiveRefresh::Restart() {
  CatalogueSession& session = window_.session();
  CatalogueChangeFeed* feed = ChangeFeedOf(session.gateway);
  if (feed == nullptr) return;
  if (!live_) live_ = std::make_unique<LiveCatalogue>(session, window_.grid(), *feed);
  try {
    live_->Start();
    session.guardOverwrites = true;
    connectionLost_ = false;
    timer_->start();
  } catch (const std::exception& error) {
    // The catalogue still works as before; only the other hosts' changes wait for a reload.
    timer_->stop();
    Note(QStringLiteral("Änderungen anderer Arbeitsplätze werden nicht angezeigt: ") +
             QString::fromStdString(error.what()),
         0);
  }
}

bool LiveRefresh::Busy() const {
  if (*recordsChanging_ || QApplication::activePopupWidget() != nullptr) return true;
  // A dialog, message box or wait window belongs to a command that is still running.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible() && qobject_cast<QDialog*>(widget) != nullptr) return true;
  }
  return false;
}

void LiveRefresh::Tick() {
  if (!active() || Busy()) return;
  // While the server is away each try may wait for a connection timeout: try less often.
  if (connectionLost_ && ++ticksSinceLoss_ % kTicksBetweenReconnects != 0) return;
  CatalogueGrid& grid = window_.grid();
  std::set<int64_t> held;
  const int editing = grid_->EditingRow();
  if (grid.Contains(editing)) held.insert(grid.Record(editing).rowId);
  // Where the user is, by record rather than by position: rows may come and go above.
  const std::optional<RecordIdentity> focused = IdentityAt(grid, grid.focused);
  const std::optional<GridRecord> focusedBefore =
      grid.Focused() ? std::optional<GridRecord>(*grid.Focused()) : std::nullopt;
  const std::optional<RecordIdentity> top = IdentityAt(grid, grid_->rowAt(0));
  const int topOffset = grid_->rowAt(0) >= 0 ? grid_->rowViewportPosition(grid_->rowAt(0)) : 0;

  std::optional<LiveCatalogue::Result> result;
  *recordsChanging_ = true;
  try {
    result = live_->Poll(held);
  } catch (const std::exception& error) {
    *recordsChanging_ = false;
    // The feed raises a lost connection once and then tries again quietly on every tick.
    connectionLost_ = true;
    Note(QStringLiteral("Änderungen anderer Arbeitsplätze können gerade nicht gelesen werden; "
                        "sie folgen, sobald die Datenbank wieder erreichbar ist (") +
             QString::fromStdString(error.what()) + QStringLiteral(")"),
         0);
    return;
  }
  if (!result) {
    *recordsChanging_ = false;
    return;
  }
  if (connectionLost_) {
    connectionLost_ = false;
    ticksSinceLoss_ = 0;
    Note(QStringLiteral("Verbindung zur Datenbank wiederhergestellt"), kNoteMilliseconds);
  }
  if (result->plan.edits.empty()) {
    *recordsChanging_ = false;
    if (result->reloadNeeded) window_.ReloadCatalogue();
    return;
  }

  // The view's current row follows the focused record without a new focus event.
  const int focusedNow = IndexOf(grid, focused);
  if (focusedNow >= 0) grid.focused = focusedNow;
  if (grid.Contains(grid.focused) && grid_->currentIndex().row() != grid.focused) {
    const int column = std::max(grid_->currentIndex().column(), 0);
    grid_->selectionModel()->setCurrentIndex(grid_->model()->index(grid.focused, column),
                                             QItemSelectionModel::NoUpdate);
  }
  const int topNow = IndexOf(grid, top);
  if (topNow >= 0 && grid_->rowAt(0) != topNow) {
    grid_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->value() +
                                         grid_->rowViewportPosition(topNow) - topOffset);
  }
  *recordsChanging_ = false;

  // The focused record was changed or replaced by its neighbour: show it again.
  const bool focusedTouched =
      focusedBefore &&
      (focusedNow < 0 || !SameShownValues(*focusedBefore, grid.Record(focusedNow)));
  if (focusedTouched) window_.Guarded([this] { window_.ShowFocusedRecord(); });
  recordsChanged_();
  const std::string note = ChangeNote(result->plan);
  if (!note.empty()) Note(QString::fromStdString(note), kNoteMilliseconds);
}

QString LiveRefresh::note() const { return note_->text(); }

void LiveRefresh::Note(const QString& text, int timeoutMilliseconds) {
  // A label of its own beside the count: a status bar message would hide the count.
  note_->setText(text);
  if (timeoutMilliseconds > 0) {
    noteTimer_->start(timeoutMilliseconds);
  } else {
    noteTimer_->stop();
  }
}

}  // namespace vemora::ui
