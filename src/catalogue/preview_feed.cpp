#include "catalogue/preview_feed.h"

#include <utility>

#include "catalogue/statements.h"

namespace vemora {
namespace {

// Previews are handed over this many at a time: some 2 MB, a few milliseconds of the window's
// time to take in.
constexpr size_t kBatchPreviews = 1000;

constexpr const char* kPreviewsQuery = "SELECT BildCtr2, VsBild FROM Bilder";

}  // namespace

std::unique_ptr<PreviewFeed> PreviewFeed::Start(TDBGateway& gateway, size_t expected,
                                                std::function<void()> arrived) {
  auto* apart = dynamic_cast<TDBColumnApart*>(&gateway);
  if (apart == nullptr) return nullptr;
  return std::unique_ptr<PreviewFeed>(
      new PreviewFeed(apart->OpenAnother(), expected, std::move(arrived)));
}

PreviewFeed::PreviewFeed(std::unique_ptr<TDBGateway> gateway, size_t expected,
                         std::function<void()> arrived)
    : arrived_(std::move(arrived)), thread_([this, expected, owned = std::move(gateway)]() mutable {
        Read(*owned, expected);
        owned.reset();  // the connection closes on the thread that used it
        {
          std::lock_guard lock(mutex_);
          readingEnded_ = true;
        }
        arrived_();
      }) {}

PreviewFeed::~PreviewFeed() {
  stop_ = true;
  Wait();
}

void PreviewFeed::Read(TDBGateway& gateway, size_t expected) {
  try {
    ResultSetGuard rows = Query(gateway, kPreviewsQuery);
    const TDBField& key = rows->FieldByName("BildCtr2");
    const TDBField& preview = rows->FieldByName("VsBild");
    const auto* lender = dynamic_cast<const TDBFieldBytes*>(&preview);
    PreviewPacker packer(expected);
    std::vector<ArrivedPreview> batch;
    std::string copy;
    for (; !rows->Eof() && !stop_; rows->Next()) {
      batch.push_back({key.AsInteger(), packer.Pack(FieldBytes(preview, lender, copy))});
      if (batch.size() == kBatchPreviews) Hand(batch);
    }
    Hand(batch);
  } catch (const std::exception& error) {
    std::lock_guard lock(mutex_);
    error_ = error.what();
  }
}

void PreviewFeed::Hand(std::vector<ArrivedPreview>& batch) {
  if (batch.empty()) return;
  {
    std::lock_guard lock(mutex_);
    if (ready_.empty()) {
      ready_.swap(batch);
    } else {
      ready_.insert(ready_.end(), std::make_move_iterator(batch.begin()),
                    std::make_move_iterator(batch.end()));
    }
  }
  batch.clear();
  arrived_();
}

std::vector<ArrivedPreview> PreviewFeed::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(ready_, {});
}

void PreviewFeed::Wait() {
  if (thread_.joinable()) thread_.join();
}

bool PreviewFeed::Ended() {
  std::lock_guard lock(mutex_);
  return readingEnded_ && ready_.empty();
}

std::string PreviewFeed::Error() {
  std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace vemora
