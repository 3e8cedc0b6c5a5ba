#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kav {

// Two pseudo terminals joined by socat: the program opens end A as its serial port, the test plays
// the timing computer on end B.
class TPtyPair {
public:
    static constexpr int kStallMs = 2000;

    // False when socat is not installed (tests check toolInstalled("socat") and fail).
    static bool Available();

    TPtyPair();
    ~TPtyPair();
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    // Both ends exist and end B is open.
    bool Ready() const { return m_farEnd >= 0; }
    QString DeviceA() const { return m_dir.filePath(QStringLiteral("ttyA")); }

    // Writes on end B, all of it; gives up when nothing has moved for kStallMs.
    bool Write(const QByteArray& bytes);
    // What end B has received so far, without waiting.
    QByteArray ReadAvailable();
    // Ends socat: to the program the device vanishes.
    void Vanish();
    // Ends socat but keeps end B open, so a thread still writing there sees its writes fail instead of
    // racing the close of its descriptor.
    void KillRelay();

private:
    void CloseFarEnd();

    QTemporaryDir m_dir;
    QProcess m_socat;
    int m_farEnd = -1;
};

} // namespace kav
