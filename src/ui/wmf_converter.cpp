#include "wmf_converter.h"

#include <cmath>
#include <cstdint>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace kav {

namespace {

std::uint32_t readLe(const QByteArray& data, int offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(data[offset + i]);
    return value;
}

// libwmf's API handle, destroyed on every way out.
class WmfSession {
public:
    WmfSession()
    {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        if (wmf_api_create(&m_api, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL, &options) != wmf_E_None)
            destroy();
    }
    ~WmfSession() { destroy(); }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    wmfAPI* api() const { return m_api; }

private:
    void destroy()
    {
        if (m_api)
            wmf_api_destroy(m_api);
        m_api = nullptr;
    }

    wmfAPI* m_api = nullptr;
};

std::optional<QByteArray> play(wmfAPI* api, QByteArray& data)
{
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(data.data()), data.size()) != wmf_E_None)
        return std::nullopt;
    wmfD_Rect bbox{};
    if (wmf_scan(api, 0, &bbox) != wmf_E_None || bbox.BR.x <= bbox.TL.x || bbox.BR.y <= bbox.TL.y)
        return std::nullopt;
    wmf_svg_t* svg = WMF_SVG_GetData(api);
    svg->out = wmf_stream_create(api, nullptr);
    svg->Description = const_cast<char*>("logo");
    svg->bbox = bbox;
    svg->width = static_cast<unsigned int>(std::ceil(bbox.BR.x - bbox.TL.x));
    svg->height = static_cast<unsigned int>(std::ceil(bbox.BR.y - bbox.TL.y));
    const bool played = wmf_play(api, 0, &bbox) == wmf_E_None;
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, svg->out, &text, &length);
    std::optional<QByteArray> result;
    if (played && text)
        result = QByteArray(text, static_cast<qsizetype>(length));
    wmf_free(api, text);
    return result;
}

} // namespace

bool isWindowsMetafile(const QByteArray& data)
{
    if (data.size() < 18)
        return false;
    if (readLe(data, 0, 4) == 0x9AC6CDD7u)
        return true;
    const std::uint32_t type = readLe(data, 0, 2);
    const std::uint32_t version = readLe(data, 4, 2);
    return (type == 1 || type == 2) && readLe(data, 2, 2) == 9 && (version == 0x0100 || version == 0x0300);
}

std::optional<QByteArray> convertWmfToSvg(const QByteArray& data)
{
    WmfSession session;
    if (!session.api())
        return std::nullopt;
    QByteArray copy = data; // libwmf reads through a non-const pointer
    std::optional<QByteArray> svg = play(session.api(), copy);
    wmf_mem_close(session.api());
    return svg;
}

} // namespace kav
