#pragma once

namespace kav {

class ResultsSource;
class MainWindow;

// The one place where the web view gets its results: the results model of each window kind (1 to 4),
// seventeen logical columns, with the roles of result_roles.h.
void plugResultModels(MainWindow& window, ResultsSource& source);

} // namespace kav
