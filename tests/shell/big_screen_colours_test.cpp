// The colours dialog's answers for big screens reach the settings and every result window, open or
// opened later; the dialog shows the shading as it is; the flag lamp's pole stays in sight.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "colour_settings_dialog.h"
#include "main_window.h"
#include "results_grid.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

TEST(BigScreenColours, PresetsAndTheShadingBoxReachEveryResultWindow)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    MainWindowOptions options;
    options.ConfigDir = options.ProgramDir = dir.path() + QLatin1Char('/');
    options.UseChannel = false;
    MainWindow main(options);
    main.show();
    ResultWindowSettings rec;
    rec.Layout = kLayoutCurrentRace;
    const ResultWindow* first = main.openResultWindow(rec);
    // The answer, the box as ticked in the dialog, then the colours and the shading that follow.
    for (const auto& [answer, ticked, colours, shaded] :
         {std::tuple{ColourSettingsDialog::kBigScreenAnswer, false, BigScreenColors, true},
          {int(QDialog::Accepted), false, BigScreenColors, false},
          {int(QDialog::Accepted), true, BigScreenColors, true},
          {int(QDialog::Rejected), false, BigScreenColors, true},
          {ColourSettingsDialog::kDefaultsAnswer, true, DefaultColors, false}}) {
        const bool before = main.settings().AlternateRows;
        prompter.onExec = [&prompter, before, reply = answer, tick = ticked](QDialog& dialog) {
            auto& colours = static_cast<ColourSettingsDialog&>(dialog);
            EXPECT_EQ(colours.alternateRows(), before);
            colours.alternateRowsBox()->setChecked(tick);
            if (reply != ColourSettingsDialog::kBigScreenAnswer)
                return reply;
            prompter.answers = {Answer::Yes};
            colours.bigScreenButton()->click();
            return colours.result();
        };
        main.menuActions().editColours();
        EXPECT_EQ(main.settings().Colors, colours) << answer;
        EXPECT_EQ(std::make_pair(first->grid().alternateRows(), main.openResultWindow(rec)->grid().alternateRows()),
                  std::make_pair(shaded, shaded))
            << answer;
        const QColor pole = main.panel().flagPanel().grab().toImage().pixelColor(18, 25);
        EXPECT_NE(pole, main.panel().palette().color(QPalette::Window)) << "the flag pole shows, " << answer;
    }
    EXPECT_EQ(prompter.questions, QStringList({"Use the big screen colors?"}));
}

} // namespace
} // namespace kav
