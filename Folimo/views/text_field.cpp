#include "views/text_field.hpp"

#include <QDropEvent>
#include <QMimeData>
#include <algorithm>

namespace folimo {

namespace {

bool carriesFile(const QMimeData* mime) {
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(),
                       [](const QUrl& url) { return url.isLocalFile(); }) ||
           mime->text().trimmed().startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

} // namespace

TextField::TextField(QWidget* parent)
    : QLineEdit(parent) {}

void TextField::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesFile(event->mimeData()))
        event->ignore(); // handed on to the widgets under the field
    else
        QLineEdit::dragEnterEvent(event);
}

void TextField::dragMoveEvent(QDragMoveEvent* event) {
    if (carriesFile(event->mimeData()))
        event->ignore();
    else
        QLineEdit::dragMoveEvent(event);
}

void TextField::dropEvent(QDropEvent* event) {
    if (carriesFile(event->mimeData()))
        event->ignore();
    else
        QLineEdit::dropEvent(event);
}

} // namespace folimo
