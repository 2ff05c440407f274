// Reading the previews apart from the load.
//
// A large shared catalogue's previews are most of its bytes: 100,000 of them are some 200 MB,
// which a database server takes about a second to send. Over a gateway that can leave a column
// out of its rows (TDBColumnApart), the load reads the rows without their previews and marks
// each record whose row has one as waiting, so the window shows the rows at once. This feed
// then reads the previews on another connection and thread, and the window hands them to the
// waiting records as they come, batch by batch.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/grid_record.h"
#include "vemora/gateway.h"

namespace vemora {

class PreviewFeed {
 public:
  // Starts reading the previews of `expected` rows; nothing when the gateway cannot read them
  // apart. `arrived` is called on the feed's thread whenever previews wait to be taken, and a
  // last time when reading has ended. Connecting happens here, and its failure throws.
  static std::unique_ptr<PreviewFeed> Start(TDBGateway& gateway, size_t expected,
                                            std::function<void()> arrived);
  // Stops reading and waits for the thread.
  ~PreviewFeed();
  PreviewFeed(const PreviewFeed&) = delete;
  PreviewFeed& operator=(const PreviewFeed&) = delete;

  // The previews read since the last call.
  std::vector<ArrivedPreview> Take();
  // Waits until reading has ended.
  void Wait();
  // Reading has ended and the last previews were taken.
  bool Ended();
  // Why reading stopped early; empty when it did not.
  std::string Error();

 private:
  PreviewFeed(std::unique_ptr<TDBGateway> gateway, size_t expected, std::function<void()> arrived);
  void Read(TDBGateway& gateway, size_t expected);
  void Hand(std::vector<ArrivedPreview>& batch);

  std::function<void()> arrived_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;  // guards what follows
  std::vector<ArrivedPreview> ready_;
  bool readingEnded_ = false;
  std::string error_;
  std::thread thread_;  // last: it starts when everything above is there
};

}  // namespace vemora
