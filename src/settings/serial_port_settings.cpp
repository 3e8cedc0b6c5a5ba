#include "serial_port_settings.h"

namespace kav {

QString serialDeviceName(const SerialPortSettings& settings)
{
    if (!settings.DevicePath.isEmpty())
        return settings.DevicePath;
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + QString::number(settings.PortNumber);
#else
    return QStringLiteral("/dev/ttyS") + QString::number(settings.PortNumber - 1);
#endif
}

} // namespace kav
