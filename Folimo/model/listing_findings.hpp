#pragma once

#include "folimo/listing_check.hpp"
#include "model/handoff.hpp"

#include <QObject>
#include <QTimer>
#include <memory>
#include <thread>
#include <vector>

namespace folimo {

class ListingSession;

// What would look wrong in a shop in the set the model would make now: the publish check of
// the open PDF with the current settings and brand, worked out on a thread of its own a
// moment after the last change, so typing is never held up and a check no longer wanted is
// stopped. Main thread only.
class ListingFindings : public QObject {
    Q_OBJECT
public:
    explicit ListingFindings(ListingSession& model, QObject* parent = nullptr);
    ~ListingFindings() override;

    // The findings of the latest finished check; none without a PDF, and none while a PDF
    // that couldn't be read any more is checked.
    const std::vector<ListingFinding>& findings() const { return findings_; }
    // A finding's sentence in the window's words.
    QString message(const ListingFinding& finding) const;

signals:
    void findingsChanged();

private:
    void check();
    void show(std::vector<ListingFinding> findings, std::int64_t pageCount);

    ListingSession& model_;
    QTimer settle_;
    MainThreadCalls calls_; // the worker's findings; the worker ends before it goes
    std::jthread worker_;
    std::vector<ListingFinding> findings_;
    std::int64_t pageCount_ = 0; // of the PDF the findings are of
};

} // namespace folimo
