#include "views/findings_view.hpp"

#include "model/listing_findings.hpp"
#include "views/look.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace folimo {
namespace {

// The name of the button that goes to the control fixing the finding; none where no control
// does (a picture's resolution is the PDF's own).
QString editName(ListingFinding::Kind kind) {
    switch (kind) {
    case ListingFinding::Kind::titleTooLong:
    case ListingFinding::Kind::titleCutBySquare:
        return FindingsView::tr("Edit Title");
    case ListingFinding::Kind::missingListingPage:
    case ListingFinding::Kind::missingPreviewPage:
    case ListingFinding::Kind::missingVideoPage:
        return FindingsView::tr("Edit Pages");
    case ListingFinding::Kind::lowResolutionPage:
        return {};
    }
    return {};
}

} // namespace

FindingsView::FindingsView(ListingFindings& findings,
                           std::function<void(const ListingFinding&)> edit, QWidget* parent)
    : QWidget(parent)
    , findings_(findings)
    , edit_(std::move(edit))
    , rows_(new QVBoxLayout(this)) {
    rows_->setContentsMargins(16, 10, 16, 0);
    rows_->setSpacing(6);
    connect(&findings, &ListingFindings::findingsChanged, this, &FindingsView::showFindings);
    showFindings();
}

void FindingsView::showFindings() {
    while (QLayoutItem* item = rows_->takeAt(0)) {
        delete item->widget();
        delete item->layout();
        delete item;
    }
    for (const ListingFinding& finding : findings_.findings()) {
        auto* row = new QWidget;
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* text = new QLabel(findings_.message(finding));
        text->setWordWrap(true);
        look::makeCaption(*text);
        look::makeFailure(*text);
        line->addWidget(text, 1);
        if (const QString name = editName(finding.kind); !name.isEmpty()) {
            auto* button = new QPushButton(name);
            button->setAccessibleDescription(text->text());
            connect(button, &QPushButton::clicked, this, [this, finding] { edit_(finding); });
            line->addWidget(button, 0, Qt::AlignTop);
        }
        rows_->addWidget(row);
    }
    setVisible(!findings_.findings().empty());
}

} // namespace folimo
