#include "views/confirm.hpp"

#include <QMessageBox>
#include <QPushButton>

namespace folimo {

void confirm(QWidget* parent, const QString& question, const QString& action,
             std::function<void()> act) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Folimo"), question,
                                QMessageBox::NoButton, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QPushButton* yes = box->addButton(action, QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, box, [box, yes, act = std::move(act)] {
        if (box->clickedButton() == yes) act();
    });
    box->open();
}

} // namespace folimo
