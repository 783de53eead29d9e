#pragma once

#include "model/model_types.hpp"

#include <QString>

// What the sidebar, the Go menu and the "Show" control call the pages and panes.
namespace folimo {

QString pageTitle(Page page);
// The page's symbol, for look::symbol().
QString pageSymbol(Page page);
QString tabTitle(ListingTab tab);

} // namespace folimo
