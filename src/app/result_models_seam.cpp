#include "result_models_seam.h"

#include <QIdentityProxyModel>

#include "dump_writer.h"
#include "main_window.h"
#include "result_roles.h"
#include "results_model.h"
#include "results_source.h"

namespace kav {
namespace {

// The results model as the web view reads it: a marker picture under its name, as the dump files
// write it, instead of the picture itself.
class MarkerNamingModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    MarkerNamingModel(const StatusPictures& pictures, QObject* parent)
        : QIdentityProxyModel(parent), m_pictures(pictures)
    {
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != kMarkerNameRole)
            return QIdentityProxyModel::data(index, role);
        const QVariant picture = QIdentityProxyModel::data(index, ResultsModel::kPictureRole);
        if (!picture.isValid())
            return QString();
        return pictureName(picture.value<const Picture*>(), m_pictures);
    }

private:
    const StatusPictures& m_pictures;
};

} // namespace

void plugResultModels(MainWindow& window, ResultsSource& source)
{
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        auto* model = new MarkerNamingModel(window.controller().Pictures, &source);
        model->setSourceModel(&window.controller().Models.forKind(static_cast<std::uint8_t>(kind)));
        source.setModel(kind, model);
    }
}

} // namespace kav

#include "result_models_seam.moc"
