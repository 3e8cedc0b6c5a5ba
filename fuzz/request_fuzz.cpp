// libFuzzer target over the web view's check of incoming requests, the first code that sees what
// any client on the network sends. Besides not crashing: the verdict does not depend on how the bytes
// are split into reads (apart from the count of whole requests in one read, which the limit here
// leaves out of play), and once given it stays.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "request_head_reader.h"
#include "web_limits.h"

namespace {

using Verdict = kav::RequestHeadReader::Verdict;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "request check invariant broken: %s\n", what);
        std::abort();
    }
}

kav::RequestHeadReader readerWithoutRequestLimit()
{
    const kav::WebLimits limits;
    return kav::RequestHeadReader(limits.maxHeadBytes, limits.maxTargetBytes, 1 << 30);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = data[0] % 64 + 1;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    kav::RequestHeadReader whole = readerWithoutRequestLimit();
    const Verdict atOnce = whole.read(bytes);

    kav::RequestHeadReader split = readerWithoutRequestLimit();
    const kav::WebLimits limits;
    kav::RequestHeadReader asServed(limits.maxHeadBytes, limits.maxTargetBytes, limits.maxRequestsAtOnce);
    Verdict inPieces = Verdict::NeedMore;
    for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(chunk)) {
        const QByteArrayView piece =
            bytes.sliced(at, std::min<qsizetype>(static_cast<qsizetype>(chunk), bytes.size() - at));
        const Verdict before = inPieces;
        inPieces = split.read(piece);
        require(before == Verdict::NeedMore || inPieces == before, "a verdict once given stays");
        asServed.read(piece);
    }
    require(inPieces == atOnce, "the verdict does not depend on how the bytes arrive");
    require(whole.read("GET / HTTP/1.1\r\n\r\n") == atOnce || atOnce == Verdict::NeedMore,
            "a verdict once given stays after more bytes");
    return 0;
}
