#include "desktop/accessibilitybridge.h"

#include <QByteArray>

namespace tarvelo {

void useQtAccessibilityBridgeOnly()
{
    qputenv("NO_AT_BRIDGE", "1");
}

} // namespace tarvelo
