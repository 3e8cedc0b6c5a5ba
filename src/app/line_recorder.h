#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kav {

// Appends every received line to a file exactly as it came, each handed straight to the system so
// that nothing is lost when the program is killed. A failed write ends the recording quietly; the
// program goes on and can show error().
class LineRecorder {
public:
    bool open(const QString& file, QString& error);
    void write(const QByteArray& line);
    void close() { m_file.close(); }

    bool recording() const { return m_file.isOpen(); }
    bool failed() const { return !m_error.isEmpty(); }
    // Why the recording stopped; empty while it runs.
    const QString& error() const { return m_error; }

private:
    QFile m_file;
    QString m_error;
};

} // namespace kav
