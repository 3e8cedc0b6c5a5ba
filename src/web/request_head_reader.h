#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace kav {

// Checks the requests of one connection byte by byte as they arrive, before the HTTP server parses
// them: only well-formed GET requests without a body and within the size limits pass. It stops at
// the first fault, and at a WebSocket upgrade of "/ws", after which the bytes are no longer HTTP.
class RequestHeadReader {
public:
    enum class Verdict { NeedMore, Upgrade, BadRequest, MethodNotAllowed, TargetTooLong, HeadTooLarge, TooMany };

    // maxRequestsAtOnce: whole requests that may arrive in one read; more are what a client sends that
    // does not wait for the answers.
    RequestHeadReader(qsizetype maxHeadBytes, qsizetype maxTargetBytes, int maxRequestsAtOnce);

    // The verdict after these bytes; NeedMore while every request so far is sound. Once the verdict is
    // anything else it stays.
    Verdict read(QByteArrayView bytes);

private:
    Verdict takeByte(char c);
    Verdict checkRequestLineByte(char c);
    Verdict endLine();
    Verdict endRequestLine();
    Verdict endHeaderLine();
    Verdict endHead();
    void startRequest();

    qsizetype m_maxHeadBytes;
    qsizetype m_maxTargetBytes;
    int m_maxRequestsAtOnce;
    Verdict m_verdict = Verdict::NeedMore;
    QByteArray m_line;
    QByteArray m_path;
    qsizetype m_headBytes = 0;
    qsizetype m_partLength = 0;
    int m_spaces = 0;
    int m_requestsThisRead = 0;
    bool m_inRequestLine = true;
    bool m_sawCarriageReturn = false;
    bool m_upgrade = false;
};

} // namespace kav
