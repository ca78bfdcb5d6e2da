// skelvane-demo-satellite: writes the satellite part of the demo server tree (data/demo) and
// checks that the tree answers every request the Satellite page can make.
//
//   skelvane-demo-satellite --out DIR             stills, full-disk pictures, tropical loops
//   skelvane-demo-satellite --list-movies         the movie codes, one a line
//   skelvane-demo-satellite --movie-frames CODE DIR   PNG frames 001.png … of one movie
//   skelvane-demo-satellite --check DIR           exit 0 when the tree is complete, else 1
//
// The pictures are drawn, not photographs: a sea, some land, clouds that drift from frame to
// frame, and the image code written large, so a screenshot shows what was asked for.
#include "net/decode/image_signatures.h"
#include "net/decode/satellite_choices.h"
#include "net/decode/satellite_frame_list.h"
#include "net/decode/satellite_request.h"

#include <QColor>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace skelvane {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kJpegQuality = 55;
constexpr int kMovieFrames = 75; // three seconds at 25 frames a second
constexpr qint64 kMaxStillBytes = 32 * 1024;
constexpr qint64 kMaxMovieBytes = 300 * 1024;
constexpr qint64 kMaxTreeBytes = 4 * 1024 * 1024;
// The folders of the server tree this tool owns.
const char* const kOwnFolders[] = {"GIFS", "FULLDISK", "MOVIES", "HURRLOOPS"};

// One request of the page with the words that describe it.
struct Entry {
    SatelliteRequest request;
    std::string caption; // "East Coast USA - Visible - Colorized 1"
    int type = 0;        // 0 infrared, 1 visible, 2 water vapour
    int color = 0;
};

// Every distinct request the page can make, keyed by its path.
std::map<std::string, Entry> AllRequests() {
    std::map<std::string, Entry> entries;
    const auto locations = SatelliteLocations();
    for (int location = 0; location < kSatelliteLocationCount; ++location) {
        const auto types = SatelliteTypeEntries(location);
        for (int type = 0; type < kSatelliteTypeCount; ++type) {
            for (int color = 0; color < kSatelliteColorCount; ++color) {
                for (bool animate : {false, true}) {
                    const SatelliteRequest request =
                        SatelliteRequestFor({location, type, color, animate});
                    if (entries.count(request.path))
                        continue;
                    const int shownType = SatelliteTypeBoxShownIndex(location, type);
                    std::string caption = std::string(locations[location].text) + " - " +
                                          std::string(types[static_cast<std::size_t>(shownType)]);
                    const bool colorised =
                        request.code.size() == 4 &&
                        (request.code[2] == 'I' || request.code[2] == 'W') &&
                        std::isdigit(static_cast<unsigned char>(request.code[3]));
                    if (colorised)
                        caption += " - " + std::string(SatelliteColorEntries()[color]);
                    entries[request.path] = {request, caption, shownType, colorised ? color : 0};
                }
            }
        }
    }
    return entries;
}

// A small deterministic generator, so the tree is the same on every run.
struct Random {
    std::uint32_t state;
    explicit Random(const std::string& seed) : state(2166136261u) {
        for (unsigned char ch : seed)
            state = (state ^ ch) * 16777619u;
    }
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state % 100000) / 100000.0;
    }
};

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

struct Palette {
    QColor sea, land, cloud, text;
};

Palette PaletteFor(int type, int color) {
    if (color > 0) {
        // The colourised pictures paint cold cloud tops in bright hues.
        const QColor tops[] = {QColor(255, 80, 40), QColor(60, 200, 80), QColor(230, 60, 220),
                               QColor(250, 210, 40)};
        return {QColor(20, 20, 30), QColor(70, 70, 70), tops[(color - 1) % 4], Qt::white};
    }
    switch (type) {
    case 1:
        return {QColor(25, 45, 90), QColor(95, 110, 60), QColor(245, 245, 245), Qt::yellow};
    case 2:
        return {QColor(60, 40, 20), QColor(80, 55, 30), QColor(120, 170, 255), Qt::white};
    default:
        return {QColor(35, 35, 35), QColor(90, 90, 90), QColor(235, 235, 235), Qt::yellow};
    }
}

// Draws one picture. frame and frames move the clouds; label is the line under the code.
QImage Draw(const Entry& entry, int frame, int frames, const QString& label) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const Palette palette = PaletteFor(entry.type, entry.color);
    const bool fullDisk = entry.request.fetch == SatelliteFetch::FullDisk;
    image.fill(fullDisk ? Qt::black : palette.sea);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (fullDisk) {
        p.setClipRegion(QRegion(kWidth / 2 - 110, kHeight / 2 - 110, 220, 220, QRegion::Ellipse));
        p.fillRect(image.rect(), palette.sea);
    }

    Random random(entry.request.code);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(Mix(palette.land, palette.sea, 0.2 * random.Next()));
        p.drawEllipse(QPointF(random.Next() * kWidth, random.Next() * kHeight),
                      40 + 70 * random.Next(), 30 + 50 * random.Next());
    }
    const double drift = frames > 1 ? static_cast<double>(frame) / frames : 0;
    for (int i = 0; i < 9; ++i) {
        const double x =
            std::fmod(random.Next() * kWidth + drift * 90 * (0.5 + random.Next()), kWidth + 60.0) -
            30;
        const double y = random.Next() * kHeight;
        const double r = 18 + 40 * random.Next();
        QRadialGradient cloud(QPointF(x, y), r);
        QColor centre = palette.cloud;
        QColor edge = palette.cloud;
        edge.setAlpha(0);
        cloud.setColorAt(0, centre);
        cloud.setColorAt(1, edge);
        p.setBrush(cloud);
        p.drawEllipse(QPointF(x, y), r, r * 0.7);
    }
    p.setClipping(false);

    p.setPen(palette.text);
    QFont big("DejaVu Sans", 30, QFont::Bold);
    p.setFont(big);
    p.drawText(QRect(0, 70, kWidth, 60), Qt::AlignCenter,
               QString::fromStdString(entry.request.code));
    QFont small("DejaVu Sans", 9);
    p.setFont(small);
    p.drawText(QRect(4, 4, kWidth - 8, 16), Qt::AlignLeft, QString::fromStdString(entry.caption));
    p.drawText(QRect(0, 130, kWidth, 18), Qt::AlignCenter, label);
    p.drawText(QRect(4, kHeight - 20, kWidth - 8, 16), Qt::AlignLeft,
               QStringLiteral("Skelvane demo picture, not real weather"));
    return image;
}

bool WriteJpeg(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "JPG", kJpegQuality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QString Join(const QString& root, const std::string& serverPath) {
    return root + QString::fromStdString(serverPath);
}

// The names a listed loop's file_names.txt holds, in the order written: time stamps every
// half hour. The Gulf infrared list has two frames more than a loop holds, its lines come
// newest first with CR LF and its names in mixed case, so only a case-blind sort puts them
// in time order.
std::vector<std::string> ListedNames(const SatelliteRequest& request, std::string* lineEnd) {
    const bool busy = request.code == "GULFIR";
    const int count = busy ? 12 : 10;
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const int minutes = 8 * 60 + 30 * i;
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "_20240915_%02d%02d.jpg", minutes / 60, minutes % 60);
        std::string prefix = request.listName;
        if (busy && i % 2 == 1)
            for (char& ch : prefix)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        names.push_back(prefix + stamp);
    }
    if (busy)
        std::reverse(names.begin(), names.end());
    *lineEnd = busy ? "\r\n" : "\n";
    return names;
}

int WriteTree(const QString& root) {
    int written = 0;
    for (const auto& [path, entry] : AllRequests()) {
        const SatelliteRequest& r = entry.request;
        switch (r.fetch) {
        case SatelliteFetch::Still:
        case SatelliteFetch::FullDisk:
            if (!WriteJpeg(Draw(entry, 0, 1, QString::fromStdString(r.path)), Join(root, r.path)))
                return 1;
            ++written;
            break;
        case SatelliteFetch::Movie:
            break; // make_movies.sh
        case SatelliteFetch::TropicalNumbered: {
            const auto names = NumberedFrameNames();
            for (std::size_t i = 0; i < names.size(); ++i) {
                const QString label = QStringLiteral("%1 - frame %2 of %3")
                                          .arg(QString::fromStdString(r.path + names[i]))
                                          .arg(i + 1)
                                          .arg(names.size());
                if (!WriteJpeg(Draw(entry, static_cast<int>(i), 10, label),
                               Join(root, r.path + names[i])))
                    return 1;
                ++written;
            }
            break;
        }
        case SatelliteFetch::TropicalList: {
            std::string lineEnd;
            std::vector<std::string> names = ListedNames(r, &lineEnd);
            std::string list;
            for (const std::string& name : names)
                list += name + lineEnd;
            QDir().mkpath(Join(root, r.path));
            QFile file(Join(root, r.listPath));
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(list.data(), static_cast<qint64>(list.size())) !=
                    static_cast<qint64>(list.size()))
                return 1;
            std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
                return QString::fromStdString(a).compare(QString::fromStdString(b),
                                                         Qt::CaseInsensitive) < 0;
            });
            for (std::size_t i = 0; i < names.size(); ++i) {
                const QString label = QStringLiteral("%1 - listed frame %2")
                                          .arg(QString::fromStdString(names[i]))
                                          .arg(i + 1);
                if (!WriteJpeg(Draw(entry, static_cast<int>(i), 10, label),
                               Join(root, r.path + names[i])))
                    return 1;
                ++written;
            }
            break;
        }
        }
    }
    std::printf("%d pictures written under %s\n", written, qPrintable(root));
    return 0;
}

int ListMovies() {
    for (const auto& [path, entry] : AllRequests())
        if (entry.request.fetch == SatelliteFetch::Movie)
            std::printf("%s\n", entry.request.code.c_str());
    return 0;
}

int WriteMovieFrames(const std::string& code, const QString& folder) {
    for (const auto& [path, entry] : AllRequests()) {
        if (entry.request.fetch != SatelliteFetch::Movie || entry.request.code != code)
            continue;
        QDir().mkpath(folder);
        for (int frame = 0; frame < kMovieFrames; ++frame) {
            const QString label =
                QStringLiteral("movie frame %1 (frames 0 to %2)").arg(frame).arg(kMovieFrames - 1);
            const QString file =
                QStringLiteral("%1/%2.png").arg(folder).arg(frame + 1, 3, 10, QChar('0'));
            if (!Draw(entry, frame, kMovieFrames, label).save(file, "PNG"))
                return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "%s is not a movie code\n", code.c_str());
    return 2;
}

// --check: every request answered, every file sound and small, nothing left over.
class Checker {
public:
    explicit Checker(QString root) : root_(std::move(root)) {}

    int Run() {
        for (const auto& [path, entry] : AllRequests())
            CheckRequest(entry.request);
        CheckNothingElse();
        if (failures_ == 0)
            std::printf("demo satellite tree complete: %zu files, %lld bytes\n", used_.size(),
                        static_cast<long long>(bytes_));
        return failures_ == 0 ? 0 : 1;
    }

private:
    void Fail(const QString& what) {
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
        ++failures_;
    }

    QByteArray Read(const std::string& serverPath, qint64 maxBytes) {
        const QString file = Join(root_, serverPath);
        used_.insert(QFileInfo(file).absoluteFilePath());
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            Fail(QStringLiteral("missing %1").arg(file));
            return {};
        }
        const QByteArray bytes = f.readAll();
        if (bytes.size() > maxBytes)
            Fail(QStringLiteral("%1 is %2 bytes, more than %3")
                     .arg(file)
                     .arg(bytes.size())
                     .arg(maxBytes));
        return bytes;
    }

    void CheckJpeg(const std::string& serverPath) {
        const QByteArray bytes = Read(serverPath, kMaxStillBytes);
        if (bytes.isEmpty())
            return;
        if (!CheckJPGSignature(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
            Fail(QStringLiteral("%1 fails the JPEG signature check").arg(serverPath.c_str()));
        const QImage image = QImage::fromData(bytes, "JPG");
        if (image.width() != kWidth || image.height() != kHeight)
            Fail(QStringLiteral("%1 does not decode to %2 x %3")
                     .arg(serverPath.c_str())
                     .arg(kWidth)
                     .arg(kHeight));
    }

    void CheckRequest(const SatelliteRequest& r) {
        switch (r.fetch) {
        case SatelliteFetch::Still:
        case SatelliteFetch::FullDisk:
            CheckJpeg(r.path);
            break;
        case SatelliteFetch::Movie: {
            const QByteArray movie = Read(r.path, kMaxMovieBytes);
            // An MPEG-1 program stream starts with a pack header.
            if (!movie.isEmpty() && !movie.startsWith(QByteArray("\x00\x00\x01\xBA", 4)))
                Fail(QStringLiteral("%1 is not an MPEG program stream").arg(r.path.c_str()));
            break;
        }
        case SatelliteFetch::TropicalNumbered:
            for (const std::string& frame : TropicalFramePaths(r))
                CheckJpeg(frame);
            break;
        case SatelliteFetch::TropicalList: {
            const QByteArray body = Read(r.listPath, kSatelliteFrameListMaxBytes);
            const SatelliteFrameList list = ParseJPGList(
                std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
            if (!list.ok() || list.refused != 0 || list.names.size() != kSatelliteLoopFrames)
                Fail(QStringLiteral("%1 does not list ten plain names").arg(r.listPath.c_str()));
            for (const std::string& frame : TropicalFramePaths(r, list.names))
                CheckJpeg(frame);
            // Listed names beyond the first ten exist on the server too.
            const QString text = QString::fromLatin1(body);
            for (const QString& line :
                 text.split(QRegularExpression("[\r\n]+"), Qt::SkipEmptyParts))
                CheckJpeg(r.path + line.trimmed().toStdString());
            break;
        }
        }
    }

    void CheckNothingElse() {
        for (const char* folder : kOwnFolders) {
            QDirIterator it(root_ + "/" + folder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = QFileInfo(it.next()).absoluteFilePath();
                bytes_ += QFileInfo(file).size();
                if (!used_.count(file))
                    Fail(QStringLiteral("%1 is never asked for").arg(file));
            }
        }
        if (bytes_ > kMaxTreeBytes)
            Fail(QStringLiteral("the satellite tree holds %1 bytes, more than %2")
                     .arg(bytes_)
                     .arg(kMaxTreeBytes));
    }

    QString root_;
    std::set<QString> used_;
    qint64 bytes_ = 0;
    int failures_ = 0;
};

int Usage() {
    std::fprintf(stderr, "usage: skelvane-demo-satellite --out DIR | --list-movies | "
                         "--movie-frames CODE DIR | --check DIR\n");
    return 2;
}

} // namespace
} // namespace skelvane

int main(int argc, char* argv[]) {
    // Drawing text needs a font database, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    using namespace skelvane;
    if (args.size() == 3 && args[1] == "--out")
        return WriteTree(args[2]);
    if (args.size() == 2 && args[1] == "--list-movies")
        return ListMovies();
    if (args.size() == 4 && args[1] == "--movie-frames")
        return WriteMovieFrames(args[2].toStdString(), args[3]);
    if (args.size() == 3 && args[1] == "--check")
        return Checker(args[2]).Run();
    return Usage();
}
