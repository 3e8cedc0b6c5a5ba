#include "request_head_reader.h"

#include <QList>

namespace kav {
namespace {

constexpr qsizetype kMaxMethod = 16;
constexpr qsizetype kMaxVersion = 8;

bool isTokenChar(char c)
{
    static constexpr QByteArrayView kSymbols = "!#$%&'*+-.^_`|~";
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || kSymbols.contains(c);
}

// Control characters end a request at once; bytes above 127 are allowed in header values only.
bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

} // namespace

RequestHeadReader::RequestHeadReader(qsizetype maxHeadBytes, qsizetype maxTargetBytes, int maxRequestsAtOnce)
    : m_maxHeadBytes(maxHeadBytes), m_maxTargetBytes(maxTargetBytes), m_maxRequestsAtOnce(maxRequestsAtOnce)
{
}

RequestHeadReader::Verdict RequestHeadReader::read(QByteArrayView bytes)
{
    m_requestsThisRead = 0;
    for (char c : bytes) {
        if (m_verdict != Verdict::NeedMore)
            break;
        m_verdict = takeByte(c);
    }
    return m_verdict;
}

bool RequestHeadReader::takeClosesAfterAnswer()
{
    if (m_closesAfterAnswer.empty())
        return false;
    const bool closes = m_closesAfterAnswer.front();
    m_closesAfterAnswer.pop_front();
    return closes;
}

RequestHeadReader::Verdict RequestHeadReader::takeByte(char c)
{
    // Empty lines before a request are allowed and do not start a head.
    if (m_inRequestLine && m_line.isEmpty() && (c == '\r' || c == '\n'))
        return Verdict::NeedMore;
    if (++m_headBytes > m_maxHeadBytes)
        return Verdict::HeadTooLarge;
    if (m_sawCarriageReturn) {
        m_sawCarriageReturn = false;
        return c == '\n' ? endLine() : Verdict::BadRequest;
    }
    if (c == '\r') {
        m_sawCarriageReturn = true;
        return Verdict::NeedMore;
    }
    if (c == '\n')
        return endLine();
    if (isControl(c))
        return Verdict::BadRequest;
    m_line += c;
    return m_inRequestLine ? checkRequestLineByte(c) : Verdict::NeedMore;
}

// Method, target and version are judged as they come, so that random bytes are refused at once.
RequestHeadReader::Verdict RequestHeadReader::checkRequestLineByte(char c)
{
    if (c == ' ') {
        m_partLength = 0;
        return ++m_spaces > 2 ? Verdict::BadRequest : Verdict::NeedMore;
    }
    ++m_partLength;
    switch (m_spaces) {
    case 0: return c >= 'A' && c <= 'Z' && m_partLength <= kMaxMethod ? Verdict::NeedMore : Verdict::BadRequest;
    case 1:
        if (static_cast<unsigned char>(c) > 0x7E || c == '\t')
            return Verdict::BadRequest;
        return m_partLength > m_maxTargetBytes ? Verdict::TargetTooLong : Verdict::NeedMore;
    default: return m_partLength <= kMaxVersion && c != '\t' ? Verdict::NeedMore : Verdict::BadRequest;
    }
}

RequestHeadReader::Verdict RequestHeadReader::endLine()
{
    const Verdict verdict = m_inRequestLine ? endRequestLine() : endHeaderLine();
    m_line.clear();
    return verdict;
}

RequestHeadReader::Verdict RequestHeadReader::endRequestLine()
{
    if (m_line.isEmpty()) // empty lines before a request are allowed
        return Verdict::NeedMore;
    const QList<QByteArray> parts = m_line.split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || !parts[1].startsWith('/'))
        return Verdict::BadRequest;
    if (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0")
        return Verdict::BadRequest;
    if (parts[0] != "GET")
        return Verdict::MethodNotAllowed;
    m_path = parts[1].split('?').first();
    m_http10 = parts[2] == "HTTP/1.0";
    m_inRequestLine = false;
    return Verdict::NeedMore;
}

RequestHeadReader::Verdict RequestHeadReader::endHeaderLine()
{
    if (m_line.isEmpty())
        return endHead();
    const qsizetype colon = m_line.indexOf(':');
    if (colon <= 0)
        return Verdict::BadRequest;
    const QByteArray name = m_line.left(colon).toLower();
    for (char c : name) {
        if (!isTokenChar(c))
            return Verdict::BadRequest;
    }
    const QByteArray value = m_line.mid(colon + 1).trimmed();
    // Nothing is ever sent to the program: a request that carries a body is refused.
    if ((name == "content-length" && value != "0") || name == "transfer-encoding")
        return Verdict::BadRequest;
    const QByteArray lowered = value.toLower();
    if (name == "connection") {
        for (const QByteArray& token : lowered.split(',')) {
            m_connectionClose |= token.trimmed() == "close";
            m_connectionKeepAlive |= token.trimmed() == "keep-alive";
            m_connectionUpgrade |= token.trimmed() == "upgrade";
        }
    } else if (name == "upgrade") {
        m_upgradeHeader = true;
        m_upgradeWebSocket |= lowered == "websocket";
    } else if (name == "sec-websocket-key") {
        m_webSocketKey = !value.isEmpty();
    } else if (name == "sec-websocket-version") {
        m_webSocketVersion13 = value == "13";
    }
    return Verdict::NeedMore;
}

bool RequestHeadReader::soundUpgrade() const
{
    return m_path == "/ws" && !m_http10 && m_upgradeWebSocket && m_connectionUpgrade && m_webSocketKey &&
           m_webSocketVersion13;
}

RequestHeadReader::Verdict RequestHeadReader::endHead()
{
    ++m_completedHeads;
    // A request that asks for an upgrade but is not a sound one would be left unanswered by the
    // server, and whatever follows it on the connection unchecked.
    if (m_upgradeHeader || m_connectionUpgrade)
        return soundUpgrade() ? Verdict::Upgrade : Verdict::BadRequest;
    m_closesAfterAnswer.push_back(m_connectionClose || (m_http10 && !m_connectionKeepAlive));
    startRequest();
    return ++m_requestsThisRead > m_maxRequestsAtOnce ? Verdict::TooMany : Verdict::NeedMore;
}

void RequestHeadReader::startRequest()
{
    m_path.clear();
    m_headBytes = 0;
    m_partLength = 0;
    m_spaces = 0;
    m_inRequestLine = true;
    m_http10 = m_connectionClose = m_connectionKeepAlive = m_connectionUpgrade = false;
    m_upgradeHeader = m_upgradeWebSocket = m_webSocketKey = m_webSocketVersion13 = false;
}

} // namespace kav
