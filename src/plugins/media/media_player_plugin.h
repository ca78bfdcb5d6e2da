#pragma once

#include "infowin/movie_player.h"

#include <QObject>

namespace skelvane {

// The plugin's root object: makes Qt Multimedia players for the Satellite page.
class MediaPlayerPlugin : public QObject, public MoviePlayerFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SkelvaneMoviePlayerFactory_iid)
    Q_INTERFACES(skelvane::MoviePlayerFactory)
public:
    std::unique_ptr<MoviePlayer> createPlayer(QWidget* panel, QString* error) override;
};

} // namespace skelvane
