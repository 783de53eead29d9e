#include "model/model_types.hpp"

namespace folimo {

std::string_view rawValue(Page page) {
    switch (page) {
    case Page::listing:
        return "listing";
    case Page::batch:
        return "batch";
    case Page::brands:
        return "brands";
    case Page::sizes:
        return "sizes";
    }
    return {};
}

std::string_view rawValue(ListingTab tab) {
    switch (tab) {
    case ListingTab::images:
        return "images";
    case ListingTab::preview:
        return "preview";
    case ListingTab::video:
        return "video";
    }
    return {};
}

} // namespace folimo
