#pragma once

#include "main_settings.h"

#include <QString>

class QWidget;

namespace kav {

class ResultsModels;
class ColumnSettingsDialog;

// The screens the screenshots are taken on: the offscreen platform's usual 800 × 800 first, so that
// every other picture stays as it was, then a full-HD and an ultra-HD screen beside it.
QByteArray screenshotScreens();

// A current race window full screen with Fit to screen on, in the big screen colours, on the
// full-HD and on the ultra-HD screen.
void saveFitToScreen(ResultsModels& models, HeaderTexts& headers, ColumnSettingsDialog& dialog,
                     void (*save)(QWidget&, const QString&));

} // namespace kav
