#include "result_models_seam.h"

#include "grid_results_model.h"
#include "main_window.h"
#include "results_source.h"
#include "web_state_adapter.h"

namespace kav {

void plugResultModels(TFMain& window, ResultsSource& source, WebStateAdapter& adapter)
{
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        auto* model = new GridResultsModel(window.Ctl(), static_cast<std::uint8_t>(kind), &source);
        QObject::connect(&adapter, &WebStateAdapter::refreshed, model, &GridResultsModel::refresh);
        source.setModel(kind, model);
    }
}

} // namespace kav
