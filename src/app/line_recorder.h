#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kav {

// Appends every received line to a file exactly as it came, each handed straight to the system so
// that nothing is lost when the program is killed. A failed write ends the recording quietly; the
// program goes on and can show Error().
class TLineRecorder {
public:
    bool Open(const QString& file, QString& error);
    void Write(const QByteArray& line);
    void Close() { m_file.close(); }

    bool Recording() const { return m_file.isOpen(); }
    bool Failed() const { return !m_error.isEmpty(); }
    // Why the recording stopped; empty while it runs.
    const QString& Error() const { return m_error; }

private:
    QFile m_file;
    QString m_error;
};

} // namespace kav
