#include "net/live/live_setup.h"

#include "app/settings.h"

namespace skelvane {

LiveSourcesOptions LiveSourcesOptionsFromSettings(const Settings& settings,
                                                  std::vector<std::string>* rejected) {
    LiveSourcesOptions options;
    options.enabled = settings.LiveSources;
    options.table =
        LiveSourceTable::WithOverrides(settings.LiveSourceOverrides.toStdString(), rejected);
    return options;
}

std::shared_ptr<LiveSources> InstallLiveSources(const Settings& settings) {
    auto live = std::make_shared<LiveSources>(LiveSourcesOptionsFromSettings(settings));
    SetHttpTransportFactory(LiveTransportFactory(CurrentHttpTransportFactory(), live));
    return live;
}

} // namespace skelvane
