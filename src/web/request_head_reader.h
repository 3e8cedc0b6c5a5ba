#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <deque>

namespace kav {

// Checks the requests of one connection byte by byte as they arrive, before the HTTP server parses
// them: only well-formed GET requests without a body and within the size limits pass. It stops at
// the first fault, and at a WebSocket upgrade of "/ws", after which the bytes are no longer HTTP. An
// upgrade is sound only with every header the handshake needs; any other request that asks for one is
// a bad request.
class RequestHeadReader {
public:
    enum class Verdict { NeedMore, Upgrade, BadRequest, MethodNotAllowed, TargetTooLong, HeadTooLarge, TooMany };

    // maxRequestsAtOnce: whole requests that may arrive in one read; more are what a client sends that
    // does not wait for the answers.
    RequestHeadReader(qsizetype maxHeadBytes, qsizetype maxTargetBytes, int maxRequestsAtOnce);

    // The verdict after these bytes; NeedMore while every request so far is sound. Once the verdict is
    // anything else it stays.
    Verdict read(QByteArrayView bytes);
    // Whole request heads read so far.
    int completedHeads() const { return m_completedHeads; }
    // Part of a request head has come and the rest has not.
    bool inHead() const { return m_headBytes > 0; }
    // Whether the oldest request not yet answered asks to close the connection after its answer
    // ("Connection: close", or HTTP/1.0 without keep-alive); taken once per request, in order.
    bool takeClosesAfterAnswer();

private:
    Verdict takeByte(char c);
    Verdict checkRequestLineByte(char c);
    Verdict endLine();
    Verdict endRequestLine();
    Verdict endHeaderLine();
    Verdict endHead();
    void startRequest();
    bool soundUpgrade() const;

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
    int m_completedHeads = 0;
    std::deque<bool> m_closesAfterAnswer;
    bool m_inRequestLine = true;
    bool m_sawCarriageReturn = false;
    bool m_http10 = false;
    // What the request's headers say of the connection and an upgrade.
    bool m_connectionClose = false;
    bool m_connectionKeepAlive = false;
    bool m_connectionUpgrade = false;
    bool m_upgradeHeader = false;
    bool m_upgradeWebSocket = false;
    bool m_webSocketKey = false;
    bool m_webSocketVersion13 = false;
};

} // namespace kav
