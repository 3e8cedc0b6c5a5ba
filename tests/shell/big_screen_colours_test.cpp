// The colours dialog's answers for big screens reach the settings and every result window, open or
// opened later; the dialog shows the shading as it is.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "main_window.h"
#include "scripted_prompter.h"
#include "sel_color_dlg.h"
#include "zeb_grid.h"

namespace kav {
namespace {

TEST(BigScreenColours, PresetsAndTheShadingBoxReachEveryResultWindow)
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TMainOptions options;
    options.ConfigDir = options.ProgramDir = dir.path() + QLatin1Char('/');
    options.UseChannel = false;
    TFMain main(options);
    main.show();
    TResultWinRec rec;
    rec.Layout = kLayoutCurrentRace;
    const TFResults* first = main.OpenResultWindow(rec);
    // The answer, the box as ticked in the dialog, then the colours and the shading that follow.
    for (const auto& [answer, ticked, colours, shaded] :
         {std::tuple{TSelColorDlg::kBigScreenAnswer, false, BigScreenColors, true},
          {int(QDialog::Accepted), false, BigScreenColors, false},
          {int(QDialog::Accepted), true, BigScreenColors, true},
          {int(QDialog::Rejected), false, BigScreenColors, true},
          {TSelColorDlg::kDefaultsAnswer, true, DefaultColors, false}}) {
        const bool before = main.Settings().AlternateRows;
        prompter.onExec = [&prompter, before, answer, ticked](QDialog& dialog) {
            auto& colours = static_cast<TSelColorDlg&>(dialog);
            EXPECT_EQ(colours.AlternateRows(), before);
            colours.AlternateRowsBox()->setChecked(ticked);
            if (answer != TSelColorDlg::kBigScreenAnswer)
                return answer;
            prompter.answers = {TAnswer::Yes};
            colours.BigScreenButton()->click();
            return colours.result();
        };
        main.menuActions().editColours();
        EXPECT_EQ(main.Settings().Colors, colours) << answer;
        EXPECT_EQ(std::make_pair(first->Grid().AlternateRows(), main.OpenResultWindow(rec)->Grid().AlternateRows()),
                  std::make_pair(shaded, shaded))
            << answer;
    }
    EXPECT_EQ(prompter.questions, QStringList({"Use the big screen colors?"}));
}

} // namespace
} // namespace kav
