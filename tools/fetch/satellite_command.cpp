// satellite: what "Get Satellite" fetches for the page's choices, written into a folder.
#include "fetch/fetch_commands.h"
#include "net/decode/satellite_request.h"
#include "net/download_state.h"
#include "net/replace_file.h"
#include "net/satellite_download.h"

#include <QDir>

namespace skelvane::fetch {

namespace {

std::string JsonStrings(const std::vector<std::string>& texts) {
    std::string array = "[";
    for (const std::string& text : texts) {
        if (array.size() > 1)
            array += ',';
        // A one-key object's value is exactly the escaped JSON string.
        const std::string object = JsonLine().add("", text).str();
        array += object.substr(4, object.size() - 5);
    }
    return array + "]";
}

struct Written {
    std::vector<std::string> files;
    std::string error;
};

// Keeps what arrived under its own file name in `folder`.
void Keep(const QDir& folder, const QString& name, const QByteArray& bytes, Written& written) {
    const QString path = folder.absoluteFilePath(name);
    const QString error = ReplaceFileContent(path, bytes);
    if (error.isEmpty())
        written.files.push_back(path.toStdString());
    else if (written.error.empty())
        written.error = path.toStdString() + ": " + error.toStdString();
}

} // namespace

int SatelliteCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"location", "type", "color", "server", "out", "settings-dir"},
                              {"animate", "json"});
    Settings settings = ReadSettings(arguments);
    SatelliteChoice choice;
    choice.location = arguments.integer("location", 0, 15);
    choice.type = arguments.integer("type", 0, 2);
    choice.color = arguments.integerOr("color", 0, 0, 4);
    choice.animate = arguments.flag("animate");
    const std::string host =
        HostOption(arguments, "server", settings.SatelliteServer.toStdString());
    const QString outFolder = QString::fromStdString(arguments.text("out"));
    if (!QDir().mkpath(outFolder))
        throw UsageError{"--out: cannot make the folder " + arguments.text("out")};
    const QDir folder(outFolder);

    const SatelliteRequest request = SatelliteRequestFor(choice);
    DownloadState downloads(settings);
    Written written;
    SatelliteDownload download(downloads, QString::fromStdString(host));
    const SatelliteDownloadResult result = download.Run(request, [&](const SatelliteFrame& frame) {
        Keep(folder, frame.name, frame.body, written);
    });
    if (result.ok() && !request.tropical) {
        const std::string& path = request.path;
        const QString name = request.movie
                                 ? QString::fromStdString(request.movieFile)
                                 : QString::fromStdString(path.substr(path.rfind('/') + 1));
        Keep(folder, name, result.body, written);
    }
    std::string status = SatelliteDownloadStatusName(result.status);
    if (result.ok() && !written.error.empty())
        status = "write-failed";
    std::string error = result.errorText.toStdString();
    if (error.empty())
        error = written.error;
    std::vector<std::string> urls;
    for (const QString& url : result.urls)
        urls.push_back(url.toStdString());

    if (arguments.flag("json")) {
        JsonLine json;
        json.add("status", status)
            .add("code", request.code)
            .addRaw("movie", request.movie ? "true" : "false")
            .addRaw("tropical", request.tropical ? "true" : "false")
            .addRaw("urls", JsonStrings(urls))
            .addRaw("files", JsonStrings(written.files));
        if (!error.empty())
            json.add("error", error);
        out << json.str() << '\n';
    } else {
        out << "status: " << status << "\ncode: " << request.code
            << "\nmovie: " << (request.movie ? "yes" : "no")
            << "\ntropical: " << (request.tropical ? "yes" : "no") << '\n';
        if (!error.empty())
            out << "error: " << error << '\n';
        for (const std::string& url : urls)
            out << "url: " << url << '\n';
        for (const std::string& file : written.files)
            out << "file: " << file << '\n';
    }
    return status == "ok" ? 0 : 1;
}

} // namespace skelvane::fetch
