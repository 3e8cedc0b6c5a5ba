#pragma once

namespace kav {

class ResultsSource;
class TFMain;
class WebStateAdapter;

// The one place where the web view gets its results: a model per window kind (1 to 4), seventeen
// logical columns, with the roles of result_roles.h. Until the program keeps such models it serves
// the interim GridResultsModel, the cells of the open result windows.
void plugResultModels(TFMain& window, ResultsSource& source, WebStateAdapter& adapter);

} // namespace kav
