#include "pty_pair.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtCore/qtestsupport_core.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kav {

bool PtyPair::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("socat")).isEmpty();
}

PtyPair::PtyPair()
{
    const QString a = m_dir.filePath(QStringLiteral("ttyA"));
    const QString b = m_dir.filePath(QStringLiteral("ttyB"));
    m_socat.start(QStringLiteral("socat"),
                  {QStringLiteral("pty,raw,echo=0,link=") + a, QStringLiteral("pty,raw,echo=0,link=") + b});
    if (!m_socat.waitForStarted(5000))
        return;
    if (!QTest::qWaitFor([&] { return QFileInfo::exists(a) && QFileInfo::exists(b); }, 5000))
        return;
    m_farEnd = ::open(QFile::encodeName(b).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    vanish();
}

bool PtyPair::write(const QByteArray& bytes)
{
    QElapsedTimer stalled;
    stalled.start();
    qsizetype done = 0;
    while (m_farEnd >= 0 && done < bytes.size() && stalled.elapsed() < kStallMs) {
        const ssize_t n = ::write(m_farEnd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            stalled.restart();
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd writable{m_farEnd, POLLOUT, 0}; // the pty is full: wait until socat carries some across
            ::poll(&writable, 1, kStallMs);
        }
    }
    return done == bytes.size();
}

QByteArray PtyPair::readAvailable()
{
    QByteArray received;
    char buffer[4096];
    for (ssize_t n = 0; m_farEnd >= 0 && (n = ::read(m_farEnd, buffer, sizeof buffer)) > 0;)
        received.append(buffer, n);
    return received;
}

void PtyPair::vanish()
{
    closeFarEnd();
    killRelay();
}

void PtyPair::killRelay()
{
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.kill();
        m_socat.waitForFinished(5000);
    }
}

void PtyPair::closeFarEnd()
{
    if (m_farEnd >= 0)
        ::close(m_farEnd);
    m_farEnd = -1;
}

} // namespace kav
