#pragma once

#include "net/live/live_sources.h"

#include <memory>
#include <string>
#include <vector>

namespace skelvane {

struct Settings;

// The live sources as the settings ask for them: LiveSources turns translation on or off,
// LiveSourceOverrides changes the table (`rejected` gets the entries left out).
LiveSourcesOptions LiveSourcesOptionsFromSettings(const Settings& settings,
                                                  std::vector<std::string>* rejected = nullptr);

// Puts the translator in front of every client made from now on: the transport factory in
// force is wrapped, so each new client's requests to the retired radar and satellite hosts
// are answered from today's services and every other request goes out as before. Reads the
// settings now (call it once they are loaded, before the first client exists); a later
// change of LiveSources reaches the returned object through setEnabled. Thread-safe once
// installed: clients made on worker threads share the one LiveSources.
std::shared_ptr<LiveSources> InstallLiveSources(const Settings& settings);

} // namespace skelvane
