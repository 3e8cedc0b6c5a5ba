// The colours dialog's answers for big screens: the "Big screen" preset, the defaults and the row
// shading reach the settings and every result window, open or opened later.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTemporaryDir>

#include "main_prompter.h"
#include "main_window.h"
#include "sel_color_dlg.h"
#include "zeb_grid.h"

namespace kav {
namespace {

TEST(BigScreenColours, PresetsAndTheShadingBoxReachEveryResultWindow)
{
    QTemporaryDir dir;
    TMainPrompter prompter;
    TMainOptions options;
    options.ConfigDir = dir.path() + QLatin1Char('/');
    options.ProgramDir = options.ConfigDir;
    options.UseChannel = false;
    TFMain main(options);
    main.show();
    TResultWinRec rec;
    rec.Layout = kLayoutCurrentRace;
    rec.ColRel[0] = 0;
    const TFResults* first = main.OpenResultWindow(rec);
    struct Step {
        int answer;
        bool boxTicked;
        TColors colours;
        bool shaded;
    };
    for (const Step& step :
         {Step{TSelColorDlg::kBigScreenAnswer, false, BigScreenColors, true},
          Step{QDialog::Accepted, false, BigScreenColors, false}, Step{QDialog::Accepted, true, BigScreenColors, true},
          Step{QDialog::Rejected, false, BigScreenColors, true},
          Step{TSelColorDlg::kDefaultsAnswer, true, DefaultColors, false}}) {
        bool boxShown = false;
        prompter.OnExec = [&boxShown, step](QDialog& dialog) {
            auto& colours = static_cast<TSelColorDlg&>(dialog);
            boxShown = colours.AlternateRows();
            colours.AlternateRowsBox()->setChecked(step.boxTicked);
            return step.answer;
        };
        const bool shadedBefore = main.Settings().AlternateRows;
        main.MColorsClick();
        EXPECT_EQ(boxShown, shadedBefore) << "the dialog shows the shading as it is";
        EXPECT_EQ(main.Settings().Colors, step.colours) << step.answer;
        EXPECT_EQ(main.Settings().AlternateRows, step.shaded) << step.answer;
        EXPECT_EQ(first->Grid().AlternateRows(), step.shaded) << step.answer;
        EXPECT_EQ(main.OpenResultWindow(rec)->Grid().AlternateRows(), step.shaded) << step.answer;
    }
}

} // namespace
} // namespace kav
