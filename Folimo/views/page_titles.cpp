#include "views/page_titles.hpp"

#include <QCoreApplication>

namespace folimo {

QString pageTitle(Page page) {
    switch (page) {
    case Page::listing:
        return QCoreApplication::translate("Page", "Listing Set");
    case Page::batch:
        return QCoreApplication::translate("Page", "Batch");
    case Page::brands:
        return QCoreApplication::translate("Page", "Brand Presets");
    case Page::sizes:
        return QCoreApplication::translate("Page", "Sizes");
    }
    return {};
}

QString pageSymbol(Page page) {
    switch (page) {
    case Page::listing:
        return "photo.on.rectangle.angled";
    case Page::batch:
        return "folder.badge.gearshape";
    case Page::brands:
        return "paintpalette";
    case Page::sizes:
        return "aspectratio";
    }
    return {};
}

QString tabTitle(ListingTab tab) {
    switch (tab) {
    case ListingTab::images:
        return QCoreApplication::translate("ListingTab", "Images");
    case ListingTab::preview:
        return QCoreApplication::translate("ListingTab", "Preview PDF");
    case ListingTab::video:
        return QCoreApplication::translate("ListingTab", "Flip-Through Video");
    }
    return {};
}

} // namespace folimo
