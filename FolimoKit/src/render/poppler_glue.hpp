#pragma once

// Small owners for the Poppler handles that SourcePDF keeps.
#include "model/glib_glue.hpp"

#include <poppler.h>

namespace folimo {

using DocumentPtr = GObjectPtr<PopplerDocument>;
using PagePtr = GObjectPtr<PopplerPage>;

} // namespace folimo
