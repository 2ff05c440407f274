// "Versenden": the marked images (first to last), or the focused one when none is marked,
// as attachments of a new message in the desktop's mail client; the subject is the focused
// row's name.
//
// Attachments are the stored bytes, written into a fresh folder below the call's temp
// folder, never into the image folder, so no source file is ever replaced. Two images with
// the same stored name become two files ("a.jpg", "a_2.jpg"). The files stay there after
// sending: the mail client reads them when the user sends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue_session.h"
#include "catalogue/grid_record.h"

namespace vemora {

// What was handed to the mail client.
struct MailHandOff {
  std::string subject;
  std::vector<std::string> attachments;
};

// The command. Shows "Fehler in Datei %s" for each image that cannot be written (the rest
// still go out) and the mail client's failure as a German message. Returns what was handed
// over; nothing when the grid is empty, the name is missing or the hand-over failed.
std::optional<MailHandOff> SendImagesByMail(CatalogueSession& session, const CatalogueGrid& grid,
                                            const std::string& tempFolder);

}  // namespace vemora
