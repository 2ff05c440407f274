// The hidden diagnostics panel's checks: is the preview column there, and were all
// previews present. The window only shows the returned text.
#pragma once

#include <string>

#include "catalogue/catalogue_session.h"

namespace vemora {

// Runs the preview-column check (adding the column and rebuilding every preview when it
// was missing) and words the outcome.
std::string TestPreviewColumn(CatalogueSession& session);

}  // namespace vemora
