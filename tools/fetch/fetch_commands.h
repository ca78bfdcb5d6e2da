#pragma once

#include "app/settings.h"
#include "common/arguments.h"
#include "common/json_line.h"

#include <ostream>
#include <string>
#include <vector>

namespace skelvane::fetch {

using cli::Arguments;
using cli::JsonLine;
using cli::UsageError;

// The settings a command starts from: the user's stored ones (--settings-dir DIR, else the
// program's own folder), read and never written; the built-in defaults when there are none.
Settings ReadSettings(const Arguments& arguments);
// A host option ("--server") checked like the program's host settings.
std::string HostOption(const Arguments& arguments, const std::string& name,
                       const std::string& fallback);

// Each command writes one record (a JSON object with --json, else readable lines) and
// returns the exit status; bad options throw UsageError.
int WeatherCommand(const std::vector<std::string>& words, std::ostream& out);
int TimeCommand(const std::vector<std::string>& words, std::ostream& out);
int RadarCommand(const std::vector<std::string>& words, std::ostream& out);
int SatelliteCommand(const std::vector<std::string>& words, std::ostream& out);
// Reaches the real services: never run by tests.
int LiveCheckCommand(const std::vector<std::string>& words, std::ostream& out);

} // namespace skelvane::fetch
