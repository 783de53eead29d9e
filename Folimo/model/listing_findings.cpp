#include "model/listing_findings.hpp"

#include "folimo/listing_error.hpp"
#include "model/listing_session.hpp"
#include "model/observed.hpp"
#include "model/texts.hpp"

namespace folimo {
namespace {

// Long enough to wait out a burst of typing, short enough to read as at once.
constexpr int settleMilliseconds = 300;

} // namespace

ListingFindings::ListingFindings(ListingSession& model, QObject* parent)
    : QObject(parent)
    , model_(model) {
    settle_.setSingleShot(true);
    settle_.setInterval(settleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &ListingFindings::check);
    for (auto changed : {&ListingSession::sourceChanged, &ListingSession::settingsChanged,
                         &ListingSession::brandsChanged, &ListingSession::brandIDChanged})
        connect(&model, changed, &settle_, qOverload<>(&QTimer::start));
    check();
}

ListingFindings::~ListingFindings() = default; // the worker is stopped and joined

void ListingFindings::check() {
    // A check still running is for settings that are gone.
    worker_ = {};
    const auto source = model_.source();
    if (!source) return show({}, 0);
    worker_ = std::jthread([this, source,
                            settings = model_.effectiveSettings()](std::stop_token stop) {
        std::vector<ListingFinding> found;
        try {
            found = ListingCheck::findings(source, settings, stop);
        } catch (const Cancelled&) {
            return;
        } catch (const ListingError&) {
            // The PDF changed on disk: the model reopens it and a new check follows.
        }
        calls_.post([this, stop, found = std::move(found), pages = source->pageCount()]() mutable {
            if (!stop.stop_requested()) show(std::move(found), pages);
        });
    });
}

QString ListingFindings::message(const ListingFinding& finding) const {
    return Texts::finding(finding, pageCount_);
}

void ListingFindings::show(std::vector<ListingFinding> findings, std::int64_t pageCount) {
    pageCount_ = pageCount;
    if (changeTo(findings_, std::move(findings))) emit findingsChanged();
}

} // namespace folimo
