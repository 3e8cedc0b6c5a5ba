#include "line_recorder.h"

#include <QFileInfo>

namespace kav {

bool LineRecorder::open(const QString& file, QString& error)
{
    m_file.close();
    m_error.clear();
    m_file.setFileName(file);
    if (QFileInfo(file).isDir()) {
        error = QStringLiteral("cannot record to ") + file + QStringLiteral(": it is a folder");
        return false;
    }
    // Unbuffered: every write goes to the system at once, so a kill loses nothing written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        error = QStringLiteral("cannot record to ") + file + QStringLiteral(": ") + m_file.errorString();
        return false;
    }
    return true;
}

void LineRecorder::write(const QByteArray& line)
{
    if (!m_file.isOpen())
        return;
    if (m_file.write(line) == line.size() && m_file.flush())
        return;
    m_error = QStringLiteral("recording to ") + m_file.fileName() + QStringLiteral(" stopped: ") + m_file.errorString();
    m_file.close();
}

} // namespace kav
