#include "model/translation.hpp"

#include <QCoreApplication>
#include <QTranslator>

namespace folimo {

void installTranslation() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral(":/folimo/translations/folimo_en.qm")))
        qFatal("the program's translation is missing from its resources");
    QCoreApplication::installTranslator(translator);
}

} // namespace folimo
