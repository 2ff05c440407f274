// Leaves the previews out of the rows of the queries opened while it lives, where the gateway
// can (TDBColumnApart): for a query that has no use for 200 MB of previews, or whose caller
// reads them apart. Elsewhere it does nothing, and the rows come as always.
#pragma once

#include "vemora/gateway.h"

namespace vemora {

class PreviewsLeftOut {
 public:
  explicit PreviewsLeftOut(TDBGateway& gateway, bool wanted = true)
      : gateway_(wanted ? dynamic_cast<TDBColumnApart*>(&gateway) : nullptr) {
    if (gateway_ != nullptr) gateway_->LeaveOut("Bilder", "VsBild", true);
  }
  ~PreviewsLeftOut() {
    if (gateway_ != nullptr) gateway_->LeaveOut("Bilder", "VsBild", false);
  }
  PreviewsLeftOut(const PreviewsLeftOut&) = delete;
  PreviewsLeftOut& operator=(const PreviewsLeftOut&) = delete;

  // Whether the previews are left out.
  bool active() const { return gateway_ != nullptr; }

 private:
  TDBColumnApart* gateway_;
};

}  // namespace vemora
