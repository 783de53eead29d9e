#pragma once

#include <QWidget>
#include <functional>

class QVBoxLayout;

namespace folimo {

class ListingFindings;
struct ListingFinding;

// What would look wrong in a shop, above the export bar: a line for each finding, with a
// button to the control that fixes it where there is one. Hidden when there is nothing to say.
class FindingsView : public QWidget {
    Q_OBJECT
public:
    // edit takes the seller to the control a finding's button names.
    FindingsView(ListingFindings& findings, std::function<void(const ListingFinding&)> edit,
                 QWidget* parent = nullptr);

private:
    void showFindings();

    ListingFindings& findings_;
    std::function<void(const ListingFinding&)> edit_;
    QVBoxLayout* rows_;
};

} // namespace folimo
