// The grid's header: a row of band captions ("BILD", "INFORMATIONEN", ...) drawn over
// the columns each band holds, above the usual column captions. A band spans its visible
// columns as they are currently placed, so it follows resizing, hiding and scrolling.
#pragma once

#include <QHeaderView>
#include <QString>
#include <vector>

namespace vemora::ui {

struct GridBand {
  QString caption;
  std::vector<int> columns;  // logical indices, in display order
};

class BandedHeader : public QHeaderView {
  Q_OBJECT

 public:
  explicit BandedHeader(std::vector<GridBand> bands, QWidget* parent = nullptr);

  const std::vector<GridBand>& bands() const { return bands_; }
  // The band captions' row ("Tabellenüberschrift").
  void SetBandHeadersVisible(bool visible);
  bool bandHeadersVisible() const { return bandHeight_ > 0; }
  // Where band `band` is drawn, in header coordinates; empty when none of its columns shows.
  QRect BandRect(int band) const;
  QSize sizeHint() const override;
  // After the table scrolled sideways.
  void RepaintBands();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class BandRow;
  void Relayout();

  std::vector<GridBand> bands_;
  BandRow* bandRow_;
  int bandHeight_;
};

}  // namespace vemora::ui
