#pragma once

#include <QByteArray>
#include <optional>

namespace kav {

// True for a Windows metafile, placeable (with its Aldus header) or plain.
bool isWindowsMetafile(const QByteArray& data);

// Turns a Windows metafile into SVG text through libwmf; empty when the file does not play.
std::optional<QByteArray> convertWmfToSvg(const QByteArray& data);

} // namespace kav
