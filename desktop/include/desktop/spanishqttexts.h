#pragma once

class QTranslator;

namespace tarvelo {

// Qt's own texts in Spanish ("Aceptar", the fields' context menu), embedded so
// nothing is read from disk. The translator must outlive its use.
bool installSpanishQtTexts(QTranslator &translator);

} // namespace tarvelo
