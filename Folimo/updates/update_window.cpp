#include "updates/update_window.hpp"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace folimo::updates {

UpdateWindow::UpdateWindow(const AppcastItem& item, const QString& appName,
                           const QString& currentVersion, QWidget* parent)
    : QDialog(parent) {
    const QString app = appName.isEmpty() ? QStringLiteral("This app") : appName;
    setWindowTitle(QStringLiteral("Software Update"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* heading = new QLabel(QStringLiteral("A new version of %1 is available").arg(app));
    heading->setTextFormat(Qt::PlainText);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);

    auto* details = new QLabel(
        QStringLiteral("%1 %2 is out; you have %3.").arg(app, item.shortVersion, currentVersion));
    details->setTextFormat(Qt::PlainText);
    details->setWordWrap(true);
    details->setObjectName(QStringLiteral("details"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(details);
    if (!item.releaseNotes.isEmpty()) {
        auto* notes =
            new QLabel(QStringLiteral("<a href=\"%1\">Release notes</a>")
                           .arg(item.releaseNotes.toString(QUrl::FullyEncoded).toHtmlEscaped()));
        notes->setTextFormat(Qt::RichText);
        notes->setOpenExternalLinks(true);
        layout->addWidget(notes);
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* download =
        buttons->addButton(QStringLiteral("Download"), QDialogButtonBox::AcceptRole);
    QPushButton* later =
        buttons->addButton(QStringLiteral("Remind Me Later"), QDialogButtonBox::RejectRole);
    QPushButton* skip =
        buttons->addButton(QStringLiteral("Skip This Version"), QDialogButtonBox::DestructiveRole);
    download->setDefault(true);
    layout->addSpacing(8);
    layout->addWidget(buttons);

    connect(download, &QPushButton::clicked, this, [this, url = item.download] {
        QDesktopServices::openUrl(url);
        accept();
    });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    connect(skip, &QPushButton::clicked, this, [this, version = item.version] {
        emit skipped(version);
        reject();
    });
    setMinimumWidth(420);
}

} // namespace folimo::updates
