#pragma once

#include <filesystem>

#include "main_settings.h"

namespace kav {

// Kavendor.ini: section "Colors" with the twelve colours (and the alternate-row shading when on) and section "MainWin"
// with the rest. The flag option belongs to a dialog, so it travels beside the record. Writing raises FileWriteError
// when the file cannot be put back; reading never fails (missing keys keep their defaults, and missing colours the
// colours the record already holds).
void writeMainSettings(const std::filesystem::path& file, const MainSettings& settings, bool showFlag);
void readMainSettings(const std::filesystem::path& file, MainSettings& settings, bool& showFlag);

} // namespace kav
