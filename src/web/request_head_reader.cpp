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

RequestHeadReader::Verdict RequestHeadReader::takeByte(char c)
{
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
    if (name == "upgrade" && value.toLower().contains("websocket"))
        m_upgrade = true;
    return Verdict::NeedMore;
}

RequestHeadReader::Verdict RequestHeadReader::endHead()
{
    if (m_upgrade && m_path == "/ws")
        return Verdict::Upgrade;
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
    m_upgrade = false;
}

} // namespace kav
