#include "views/alert_host.hpp"

#include "model/app_model.hpp"

#include <QAbstractButton>
#include <QMessageBox>

namespace folimo {

AlertHost::AlertHost(AppModel& model, QWidget& window)
    : QObject(&window)
    , model_(model)
    , window_(window) {
    connect(&model_, &AppModel::alertChanged, this, &AlertHost::show);
    show();
}

QMessageBox* AlertHost::box() const {
    return box_;
}

void AlertHost::show() {
    const std::optional<QString>& alert = model_.alert();
    if (!alert) {
        if (box_) box_->close();
        return;
    }
    if (!box_) {
        box_ =
            new QMessageBox(QMessageBox::Warning, "Folimo", QString(), QMessageBox::Ok, &window_);
        box_->setAttribute(Qt::WA_DeleteOnClose);
        box_->setWindowModality(Qt::WindowModal);
        box_->button(QMessageBox::Ok)->setText(tr("OK"));
        connect(box_, &QMessageBox::finished, this, [this] { model_.setAlert(std::nullopt); });
    }
    box_->setText(*alert);
    box_->open();
}

} // namespace folimo
