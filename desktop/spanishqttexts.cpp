#include "desktop/spanishqttexts.h"

#include <QCoreApplication>
#include <QTranslator>

namespace tarvelo {

bool installSpanishQtTexts(QTranslator &translator)
{
    return translator.load(QStringLiteral(":/i18n/qtbase_es.qm")) && QCoreApplication::installTranslator(&translator);
}

} // namespace tarvelo
