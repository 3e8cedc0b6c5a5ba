#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace kav {

// Two pseudo terminals joined by socat: the program opens end A as its serial port, the test plays
// the timing computer on end B.
class PtyPair {
public:
    static constexpr int kStallMs = 2000;

    // False when socat is not installed (tests check toolInstalled("socat") and fail).
    static bool available();

    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // Both ends exist and end B is open.
    bool ready() const { return m_farEnd >= 0; }
    QString deviceA() const { return m_dir.filePath(QStringLiteral("ttyA")); }

    // Writes on end B, all of it; gives up when nothing has moved for kStallMs.
    bool write(const QByteArray& bytes);
    // What end B has received so far, without waiting.
    QByteArray readAvailable();
    // Ends socat: to the program the device vanishes.
    void vanish();
    // Ends socat but keeps end B open, so a thread still writing there sees its writes fail instead of
    // racing the close of its descriptor.
    void killRelay();

private:
    void closeFarEnd();

    QTemporaryDir m_dir;
    QProcess m_socat;
    int m_farEnd = -1;
};

} // namespace kav
