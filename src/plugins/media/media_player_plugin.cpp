#include "plugins/media/media_player_plugin.h"

#include "plugins/media/qt_movie_player.h"

#include <QMediaPlayer>

namespace skelvane {

std::unique_ptr<MoviePlayer> MediaPlayerPlugin::createPlayer(QWidget* panel, QString* error) {
    if (!panel) {
        if (error)
            *error = QStringLiteral("no panel to show the movie in");
        return nullptr;
    }
    auto player = std::make_unique<QtMoviePlayer>(panel);
    if (!player->available()) {
        if (error)
            *error = QStringLiteral("Qt Multimedia has no working media backend");
        return nullptr;
    }
    return player;
}

} // namespace skelvane
