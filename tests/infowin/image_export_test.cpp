// Saving, copying and printing the pictures of the Radar, Satellite, Year and Graph pages.
#include "infowin/image_export.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "fixture_http_server.h"
#include "infowin/graph_page.h"
#include "infowin/image_file_names.h"
#include "infowin/image_files.h"
#include "infowin/image_printer.h"
#include "infowin/image_save_dialog.h"
#include "infowin/movie_player.h"
#include "infowin/radar_map_view.h"
#include "infowin/radar_page.h"
#include "infowin/satellite_page.h"
#include "infowin/year_page.h"
#include "net/download_state.h"
#include "net/radar_animation_gif.h"
#include "support/fake_browser_view.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>
#include <vector>

namespace skelvane {
namespace {

using namespace std::chrono_literals;
using fixture::FixtureHttpServer;

// Answers the save dialog and the questions as a test sets them, and notes what was asked.
class FakeQuestions final : public ImageSaveQuestions {
public:
    std::optional<SaveDialogChoice> choice;
    ReplaceAnswer replace = ReplaceAnswer::Yes;
    std::vector<SaveDialogRequest> requests;
    QStringList questions;
    QStringList errors;

    std::optional<SaveDialogChoice> chooseSaveFile(const SaveDialogRequest& request) override {
        requests.push_back(request);
        return choice;
    }
    ReplaceAnswer askReplace(const QString& question) override {
        questions << question;
        return replace;
    }
    void showError(const QString& text) override { errors << text; }
};

// Prints into a PDF file at 72 dots an inch, so that device pixels are PDF points.
class PdfPrinter final : public ImagePrinter {
public:
    explicit PdfPrinter(const QString& path) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(path);
        printer_.setResolution(72);
    }
    bool cancel = false;
    int setUps = 0;
    QPrinter* setUp(QWidget*) override {
        ++setUps;
        return cancel ? nullptr : &printer_;
    }
    QPrinter& printer() { return printer_; }

private:
    QPrinter printer_{QPrinter::HighResolution};
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// A picture with far more than 256 colours.
QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x + y) % 256));
    return image;
}

// What giflib reads back from an animated GIF file.
struct GifReadBack {
    int frames = 0;
    std::vector<int> delays; // hundredths of a second, per frame
    bool loopsOnFirstFrame = false;
    int width = 0, height = 0;
};

std::optional<GifReadBack> ReadGif(const QString& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return std::nullopt;
    std::optional<GifReadBack> result;
    if (DGifSlurp(gif) == GIF_OK) {
        result.emplace();
        result->frames = gif->ImageCount;
        result->width = gif->SWidth;
        result->height = gif->SHeight;
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock block;
            result->delays.push_back(
                DGifSavedExtensionToGCB(gif, i, &block) == GIF_OK ? block.DelayTime : -1);
        }
        if (gif->ImageCount > 0) {
            const SavedImage& first = gif->SavedImages[0];
            for (int e = 0; e < first.ExtensionBlockCount; ++e) {
                const ExtensionBlock& block = first.ExtensionBlocks[e];
                if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                    std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
                    result->loopsOnFirstFrame = true;
            }
        }
    }
    DGifCloseFile(gif, &error);
    return result;
}

// ---- Names, filters and extensions ----

TEST(ImageFileNames, ChangeToImageExtFollowsTheChosenFormat) {
    const struct {
        const char* name;
        int index;
        const char* expected;
    } rows[] = {
        {"/tmp/graph.jpg", kGifFormat, "/tmp/graph.gif"},
        {"/tmp/graph.jpg", kBitmapFormat, "/tmp/graph.bmp"},
        {"/tmp/graph.gif", kJpegFormat, "/tmp/graph.jpg"},
        {"/tmp/graph", kJpegFormat, "/tmp/graph.jpg"},
        {"/tmp/pictures.old/graph", kGifFormat, "/tmp/pictures.old/graph.gif"},
        {"/tmp/a.b.c", kBitmapFormat, "/tmp/a.b.bmp"},
        {"/tmp/graph.jpg", 0, "/tmp/graph.jpg"},
        {"/tmp/graph.jpg", 4, "/tmp/graph.jpg"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChangeToImageExt(QLatin1String(row.name), row.index), QLatin1String(row.expected))
            << row.name << " " << row.index;
}

TEST(ImageFileNames, DefaultNamesCarryTheDownloadTimeWithASemicolon) {
    EXPECT_EQ(ExportTimeText(SafeEncodeDateTime(2026, 12, 10, 15, 5, 0, 0)),
              QStringLiteral("3;05 PM - Dec 10, 2026"));
    EXPECT_EQ(ExportTimeText(SafeEncodeDateTime(2025, 1, 1, 0, 7, 59, 0)),
              QStringLiteral("12;07 AM - Jan 01, 2025"));
    const QString time = QStringLiteral("3;05 PM - Dec 10, 2026");
    EXPECT_EQ(RadarLoopFileName(QStringLiteral("NY - New York City"), time),
              QStringLiteral("animated radar - NY - New York City - 3;05 PM - Dec 10, 2026.gif"));
    // A slash in a caption would make the name a path into a folder that does not exist.
    EXPECT_EQ(RadarImageFileName(QStringLiteral("TX - Midland/Odessa"), time),
              QStringLiteral("radar - TX - Midland-Odessa - 3;05 PM - Dec 10, 2026.jpg"));
    EXPECT_EQ(
        SatelliteImageFileName(QStringLiteral("East Coast"), QStringLiteral("Infrared"), time),
        QStringLiteral("satellite - East Coast - Infrared - 3;05 PM - Dec 10, 2026.jpg"));
    EXPECT_EQ(
        SatelliteMovieFileName(QStringLiteral("East Coast"), QStringLiteral("Movie"), time),
        QStringLiteral("animated satellite - East Coast - Movie - 3;05 PM - Dec 10, 2026.mpg"));
}

TEST(ImageFileNames, FiltersListOneEntryPerPairInTheirOrder) {
    EXPECT_EQ(FilterDescriptions(QLatin1String(kImageFilter)),
              (QStringList{QStringLiteral("JPEG Image File (*.jpg)"),
                           QStringLiteral("Bitmap Image File (*.bmp)"),
                           QStringLiteral("GIF Image File (*.gif)")}));
    EXPECT_EQ(FilterDescriptions(QLatin1String(kMovieFilter)),
              QStringList{QStringLiteral("MPEG Animation File (*.mpg)")});
    EXPECT_EQ(FilterDescriptions(QStringLiteral("Pictures|*.png")),
              QStringList{QStringLiteral("Pictures (*.png)")});
}

// ---- Writing files ----

class ImageFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QTemporaryDir folder;
    FakeQuestions questions;
    QString lastSaveFolder;
    ImageSaveContext context{questions, lastSaveFolder};
};

TEST_F(ImageFilesTest, EachFormatWritesItsOwnFileUnderItsOwnExtension) {
    const QImage picture = Gradient(600, 550);
    const struct {
        int index;
        const char* written;
        const char* format;
    } rows[] = {{kJpegFormat, "picture.jpg", "jpeg"},
                {kBitmapFormat, "picture.bmp", "bmp"},
                {kGifFormat, "picture.gif", "gif"}};
    for (const auto& row : rows) {
        ASSERT_TRUE(SaveImageFile(picture, path("picture.png"), true, row.index, context))
            << row.format;
        QImageReader reader(path(row.written));
        EXPECT_EQ(reader.format(), QByteArray(row.format)) << row.written;
        const QImage back = reader.read();
        ASSERT_EQ(back.size(), picture.size()) << row.written;
        // JPEG at quality 100 and a median-cut GIF stay close to every colour; a fixed
        // palette would be far off somewhere on a gradient.
        int worst = 0;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7) {
                const QRgb a = picture.pixel(x, y), b = back.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        EXPECT_LE(worst, row.index == kGifFormat    ? 40
                         : row.index == kJpegFormat ? 12
                                                    : 0)
            << row.written;
    }
    EXPECT_FALSE(QFileInfo::exists(path("picture.png")));
    EXPECT_TRUE(questions.questions.isEmpty()) << "nothing was there to replace";
    EXPECT_EQ(lastSaveFolder, QDir::toNativeSeparators(folder.path()));
}

TEST_F(ImageFilesTest, AnExistingFileIsReplacedOnlyAfterYes) {
    const QByteArray old("the old file, byte for byte");
    WriteAll(path("graph.jpg"), old);
    const QImage picture = Gradient(60, 40);
    for (const ReplaceAnswer answer : {ReplaceAnswer::No, ReplaceAnswer::Cancel}) {
        questions.replace = answer;
        EXPECT_FALSE(SaveImageFile(picture, path("graph.jpg"), true, kJpegFormat, context));
        EXPECT_EQ(ReadAll(path("graph.jpg")), old);
    }
    ASSERT_EQ(questions.questions.size(), 2);
    EXPECT_EQ(questions.questions[0],
              QDir::toNativeSeparators(path("graph.jpg")) +
                  QStringLiteral(" already exists.  Do you want to replace it?"));
    questions.replace = ReplaceAnswer::Yes;
    EXPECT_TRUE(SaveImageFile(picture, path("graph.jpg"), true, kJpegFormat, context));
    EXPECT_TRUE(ReadAll(path("graph.jpg")).startsWith("\xFF\xD8\xFF"));
    // Without the confirm flag nothing is asked.
    EXPECT_TRUE(SaveImageFile(picture, path("graph.jpg"), false, kBitmapFormat, context));
    EXPECT_EQ(questions.questions.size(), 3);
    EXPECT_TRUE(ReadAll(path("graph.bmp")).startsWith("BM"));
}

TEST_F(ImageFilesTest, JpegAndGifFailuresSayWhyButABitmapFailureIsSilent) {
    const QImage picture = Gradient(60, 40);
    const QString missing = folder.filePath(QStringLiteral("no such folder/picture"));
    EXPECT_FALSE(SaveImageFile(picture, missing, true, kJpegFormat, context));
    EXPECT_FALSE(SaveImageFile(picture, missing, true, kGifFormat, context));
    ASSERT_EQ(questions.errors.size(), 2);
    EXPECT_TRUE(questions.errors[0].contains(QStringLiteral("picture.jpg")));
    EXPECT_TRUE(questions.errors[0].contains(QStringLiteral("No such file or directory")))
        << questions.errors[0].toStdString();
    EXPECT_TRUE(questions.errors[1].contains(QStringLiteral("No such file or directory")));
    EXPECT_FALSE(SaveImageFile(picture, missing, true, kBitmapFormat, context));
    EXPECT_EQ(questions.errors.size(), 2) << "the bitmap's failure only returns false";
}

TEST_F(ImageFilesTest, AnAnimatedGifKeepsEveryFrameItsDelayAndTheLoop) {
    RadarAnimationGif animation;
    for (int i = 0; i < 30; ++i) {
        QImage frame = Gradient(600, 550);
        frame.setPixel(i, i, qRgb(255, 255, 255));
        animation.appendFrame(frame);
    }
    WriteAll(path("loop.gif"), "old");
    questions.replace = ReplaceAnswer::No;
    EXPECT_FALSE(SaveGIFFile(animation, path("loop.jpg"), true, context));
    EXPECT_EQ(ReadAll(path("loop.gif")), QByteArray("old"));
    questions.replace = ReplaceAnswer::Yes;
    ASSERT_TRUE(SaveGIFFile(animation, path("loop.jpg"), true, context));
    EXPECT_FALSE(QFileInfo::exists(path("loop.jpg")));
    const auto back = ReadGif(path("loop.gif"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->frames, 30);
    EXPECT_EQ(back->delays, std::vector<int>(30, 25));
    EXPECT_TRUE(back->loopsOnFirstFrame);
    EXPECT_EQ(QSize(back->width, back->height), QSize(600, 550));
}

TEST_F(ImageFilesTest, AMovieCopyIsByteForByteWithItsTimesAndPermissions) {
    QByteArray movie(300000, '\0');
    for (int i = 0; i < movie.size(); ++i)
        movie[i] = static_cast<char>(i * 7);
    WriteAll(path("source.mpg"), movie);
    const QDateTime modified = QDateTime::fromSecsSinceEpoch(1700000000);
    const QDateTime accessed = QDateTime::fromSecsSinceEpoch(1700000100);
    {
        QFile source(path("source.mpg"));
        ASSERT_TRUE(source.open(QIODevice::ReadWrite));
        ASSERT_TRUE(source.setFileTime(modified, QFileDevice::FileModificationTime));
        ASSERT_TRUE(source.setFileTime(accessed, QFileDevice::FileAccessTime));
    }
    const auto permissions =
        QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path("source.mpg"), permissions));

    WriteAll(path("copy.mpg"), "older movie");
    questions.replace = ReplaceAnswer::No;
    EXPECT_FALSE(CopyMovieFile(path("source.mpg"), path("copy.mpg"), true, context));
    EXPECT_EQ(ReadAll(path("copy.mpg")), QByteArray("older movie"));
    questions.replace = ReplaceAnswer::Yes;
    ASSERT_TRUE(CopyMovieFile(path("source.mpg"), path("copy.mpg"), true, context));
    const QFileInfo copy(path("copy.mpg"));
    EXPECT_EQ(copy.lastModified(), modified);
    EXPECT_EQ(copy.lastRead(), accessed);
    // Owner, group and others; the "user" bits say what this process may do.
    EXPECT_EQ(copy.permissions() & 0x7077, permissions & 0x7077);
    EXPECT_EQ(ReadAll(path("copy.mpg")), movie);
    EXPECT_TRUE(questions.errors.isEmpty());

    EXPECT_FALSE(CopyMovieFile(path("gone.mpg"), path("other.mpg"), true, context));
    EXPECT_EQ(questions.errors.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(path("other.mpg")));
}

// ---- Printing ----

TEST(ImagePrinting, ThePictureFillsThePageFromTheTopLeftInSinglePrecision) {
    const struct {
        QSize picture, page, expected;
    } rows[] = {
        {{600, 550}, {4800, 6000}, {4800, 4400}}, // width decides
        {{600, 550}, {6000, 1100}, {1200, 1100}}, // height decides
        {{600, 550}, {300, 275}, {300, 275}},     // smaller than the picture
        // 313 / 600 in single precision times 600 is 313.00000; in double 312.99999...
        {{600, 550}, {313, 842}, {313, 286}},
        {{0, 550}, {313, 842}, {0, 0}},
    };
    for (const auto& row : rows) {
        const QRect fitted = FitToPage(row.picture, row.page);
        EXPECT_EQ(fitted.topLeft(), QPoint(0, 0));
        EXPECT_EQ(fitted.size(), row.expected)
            << row.picture.width() << "x" << row.picture.height() << " on " << row.page.width()
            << "x" << row.page.height();
    }
}

// The content streams of a PDF file, inflated.
QByteArray PdfContent(const QByteArray& pdf) {
    QByteArray content;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream\n", at)) >= 0) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        QByteArray out(1 << 20, '\0');
        uLongf outSize = static_cast<uLongf>(out.size());
        if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize,
                       reinterpret_cast<const Bytef*>(pdf.constData() + start),
                       static_cast<uLong>(end - start)) == Z_OK)
            content += out.left(static_cast<qsizetype>(outSize));
        at = end + 9;
    }
    return content;
}

TEST(ImagePrinting, APdfPrintHasOnePageWithThePictureAtTheFittedSize) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("print.pdf"));
    PdfPrinter printer(file);
    const QImage picture = Gradient(600, 550);
    const QSize page(printer.printer().width(), printer.printer().height());
    ASSERT_TRUE(PrintImageOnPage(*printer.setUp(nullptr), picture));
    const QByteArray pdf = ReadAll(file);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
                  pdf.count("/Type /Page "),
              1)
        << "one page";
    EXPECT_TRUE(pdf.contains("/Width 600") && pdf.contains("/Height 550")) << "the whole picture";
    const QRect fitted = FitToPage(picture.size(), page);
    const QByteArray content = PdfContent(pdf);
    // The picture's own pixels are scaled onto the fitted rectangle at the page's top-left.
    const QRegularExpression scaled(
        QStringLiteral("([0-9.]+) 0 0 ([0-9.]+) 0 0 cm\\s+600 0 0 -550 0 550 cm /Im[0-9]+ +Do"));
    const QRegularExpressionMatch match = scaled.match(QString::fromLatin1(content));
    ASSERT_TRUE(match.hasMatch()) << content.toStdString();
    EXPECT_NEAR(match.captured(1).toDouble() * 600, fitted.width(), 0.01);
    EXPECT_NEAR(match.captured(2).toDouble() * 550, fitted.height(), 0.01);
    EXPECT_GT(fitted.width(), 500) << "an A4 or letter page at 72 dots an inch";
}

// ---- The commands on the pages ----

// A movie player that opens any file and shows nothing.
class StillPlayer final : public MoviePlayer {
public:
    bool open(const QString&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    QString errorString() const override { return {}; }
    void play() override {}
    bool isPlaying() const override { return false; }
    void stop() override {}
    void seek(int) override {}
    void step(int) override {}
    int position() const override { return 0; }
    int lastFrame() const override { return open_ ? 10 : -1; }
    void setEndHandler(std::function<void()>) override {}

private:
    bool open_ = false;
};

class ImageExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.listening()) << server.error();
        const QString host = QString::fromStdString(server.server());
        settings.RadarServer = settings.RadarServerAlternative1 = settings.RadarServerAlternative2 =
            host;
        settings.SatelliteServer = host;
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        HttpLimits limits;
        limits.connect = 2s;
        limits.stall = 2s;
        downloads.setLimits(limits);
        radar = std::make_unique<RadarPage>(settings, clock, timer, downloads);
        radar->setMosaicFrameWait(0);
        satellite = std::make_unique<SatellitePage>(settings, downloads, timer, clock);
        satellite->setMovieFolder(folder.filePath(QStringLiteral("movies")));
        satellite->setPlayerSource(
            [](QWidget*, QString*) { return std::unique_ptr<MoviePlayer>(new StillPlayer); });
        graph = std::make_unique<GraphPage>(settings, clock);
        year = std::make_unique<YearPage>(settings, clock);
        year->setDate(DateOf(clock.nowLocal()));
        ImagePages pages{radar.get(), satellite.get(), graph.get(), year.get()};
        exporter = std::make_unique<ImageExport>(
            settings, pages, [this] { return current; }, nullptr);
        questions = new FakeQuestions;
        exporter->setQuestions(std::unique_ptr<ImageSaveQuestions>(questions));
        printer = new PdfPrinter(path("print.pdf"));
        exporter->setPrinter(std::unique_ptr<ImagePrinter>(printer));
        QApplication::clipboard()->setText(QStringLiteral("left alone"));
    }
    void TearDown() override { QApplication::clipboard()->clear(); }
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    void fetchRadar() {
        radar->show();
        radar->GetRadarButClick();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !radar->busy(); }, 20000));
    }
    // Save on the page showing, the dialog answered with `name` and filter `index`.
    void save(QWidget* page, const QString& name, int index) {
        current = page;
        questions->choice = SaveDialogChoice{name, index};
        exporter->SaveAsFile2Click();
    }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    QTemporaryDir folder;
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    // Five minutes after the demo radar's newest frame (2024-09-15 17:25 UTC), in New York.
    test::FakeClock clock{SafeEncodeDateTime(2024, 9, 15, 13, 30, 0, 0), -4};
    AnimationTimer timer;
    DownloadState downloads{settings};
    std::unique_ptr<RadarPage> radar;
    std::unique_ptr<SatellitePage> satellite;
    std::unique_ptr<GraphPage> graph;
    std::unique_ptr<YearPage> year;
    QWidget timePage; // any page without a picture
    QWidget* current = nullptr;
    std::unique_ptr<ImageExport> exporter;
    FakeQuestions* questions = nullptr;
    PdfPrinter* printer = nullptr;
};

TEST_F(ImageExportTest, TheGraphSavedWithTheGifFilterAndAJpgNameIsAGif) {
    settings.LastSaveFolder = QStringLiteral("/somewhere/saved/before");
    current = graph.get();
    questions->choice.reset(); // cancelled: nothing is written
    exporter->SaveAsFile2Click();
    ASSERT_EQ(questions->requests.size(), 1u);
    const SaveDialogRequest& asked = questions->requests[0];
    EXPECT_EQ(asked.title, QStringLiteral("Save As"));
    EXPECT_EQ(asked.fileName, QStringLiteral("graph.jpg"));
    EXPECT_EQ(asked.filter, QLatin1String(kImageFilter));
    EXPECT_EQ(asked.defaultExtension, QStringLiteral("jpg"));
    EXPECT_EQ(asked.startFolder, QStringLiteral("/somewhere/saved/before"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{});
    EXPECT_EQ(settings.LastSaveFolder, QStringLiteral("/somewhere/saved/before"));

    save(graph.get(), path("graph.jpg"), kGifFormat);
    EXPECT_FALSE(QFileInfo::exists(path("graph.jpg")));
    QImageReader reader(path("graph.gif"));
    EXPECT_EQ(reader.format(), QByteArray("gif"));
    EXPECT_EQ(reader.read().size(), graph->GetGraph().size());
    EXPECT_EQ(settings.LastSaveFolder, QDir::toNativeSeparators(folder.path()));
}

TEST_F(ImageExportTest, TheCalendarIsSavedCopiedAndPrintedWithoutTodaysMark) {
    save(year.get(), path("calendar.jpg"), kJpegFormat);
    ASSERT_EQ(questions->requests.size(), 1u);
    EXPECT_EQ(questions->requests[0].fileName, QStringLiteral("calendar.jpg"));
    const QImage calendar = year->GetCalendar();
    EXPECT_EQ(QImage(path("calendar.jpg")).size(), calendar.size());

    exporter->CopyToClipboard2Click();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              calendar.convertToFormat(QImage::Format_RGB32));

    QSignalSpy printed(exporter.get(), &ImageExport::printed);
    exporter->PrintImageAction1Execute();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(printed[0][0].toBool());
    EXPECT_TRUE(ReadAll(path("print.pdf")).startsWith("%PDF"));
}

TEST_F(ImageExportTest, OnAPageWithoutAPictureTheCommandsDoNothing) {
    current = &timePage;
    exporter->CopyToClipboard2Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("left alone"));
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
    questions->choice = SaveDialogChoice{path("anything.jpg"), kJpegFormat};
    exporter->SaveAsFile2Click();
    exporter->PrintImageAction1Execute();
    EXPECT_TRUE(questions->requests.empty()) << "no save dialog";
    EXPECT_EQ(printer->setUps, 0) << "no print dialog";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{});
    // The Radar page before any radar has nothing either.
    current = radar.get();
    exporter->CopyToClipboard2Click();
    exporter->SaveAsFile2Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("left alone"));
    EXPECT_TRUE(questions->requests.empty());
}

TEST_F(ImageExportTest, ARadarLoopIsSavedAsAnimatedGifOnlyWhileItAnimates) {
    settings.AnimateRadar = true;
    settings.LastSaveFolder = folder.path();
    radar = std::make_unique<RadarPage>(settings, clock, timer, downloads);
    exporter = std::make_unique<ImageExport>(
        settings, ImagePages{radar.get(), satellite.get(), graph.get(), year.get()},
        [this] { return current; }, nullptr);
    questions = new FakeQuestions;
    exporter->setQuestions(std::unique_ptr<ImageSaveQuestions>(questions));
    fetchRadar();
    ASSERT_TRUE(radar->animationGifReady());

    save(radar.get(), path("loop.jpg"), kJpegFormat);
    ASSERT_EQ(questions->requests.size(), 1u);
    const QString time = QStringLiteral("1;30 PM - Sep 15, 2024");
    EXPECT_EQ(questions->requests[0].fileName, RadarLoopFileName(radar->viewCaption(), time));
    EXPECT_TRUE(questions->requests[0].fileName.startsWith(QStringLiteral("animated radar - ")));
    EXPECT_EQ(questions->requests[0].filter, QLatin1String(kGifFilter));
    EXPECT_EQ(questions->requests[0].defaultExtension, QStringLiteral("gif"));
    EXPECT_EQ(questions->requests[0].startFolder, folder.path());
    const auto back = ReadGif(path("loop.gif"));
    ASSERT_TRUE(back) << "the animation is written as a GIF whatever the name said";
    EXPECT_EQ(back->frames, 10);
    EXPECT_EQ(back->delays, std::vector<int>(10, 25));
    EXPECT_TRUE(back->loopsOnFirstFrame);

    // Animation off: the still picture shown, as a JPEG, even though the loop is there.
    radar->AnimateRadarBox->click(); // off
    ASSERT_TRUE(radar->animationGifReady());
    save(radar.get(), path("still.jpg"), kJpegFormat);
    ASSERT_EQ(questions->requests.size(), 2u);
    EXPECT_EQ(questions->requests[1].fileName, RadarImageFileName(radar->viewCaption(), time));
    EXPECT_EQ(questions->requests[1].filter, QLatin1String(kImageFilter));
    EXPECT_EQ(questions->requests[1].defaultExtension, QStringLiteral("jpg"));
    EXPECT_TRUE(questions->requests[1].startFolder.isEmpty());
    QImageReader still(path("still.jpg"));
    EXPECT_EQ(still.format(), QByteArray("jpeg"));
    EXPECT_EQ(still.size(), radar->Image6->picture().size());
}

TEST_F(ImageExportTest, TheSatelliteSavesItsStillOrACopyOfItsMovie) {
    satellite->show();
    satellite->SatelliteLocationBoxSelect(0);
    satellite->SatelliteTypeBoxSelect(1);
    satellite->SatelliteColorBoxSelect(1);
    satellite->AnimateSatelliteBox->setChecked(false);
    satellite->GetSatelliteButClick();
    ASSERT_FALSE(satellite->shownImage().isNull());
    const QString area = satellite->SatelliteLocationBox->currentText();
    const QString type = satellite->SatelliteTypeBox->currentText();
    save(satellite.get(), path("still.bmp"), kBitmapFormat);
    ASSERT_EQ(questions->requests.size(), 1u);
    EXPECT_EQ(questions->requests[0].fileName,
              SatelliteImageFileName(area, type, QStringLiteral("1;30 PM - Sep 15, 2024")));
    EXPECT_TRUE(questions->requests[0].startFolder.isEmpty());
    EXPECT_EQ(QImage(path("still.bmp")).size(), satellite->shownImage().size());
    current = satellite.get();
    exporter->CopyToClipboard2Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), satellite->shownImage().size());

    // The movie shows: Save copies its file, even though the still is still held.
    satellite->SatelliteColorBoxSelect(0);
    satellite->AnimateSatelliteBox->setChecked(true);
    satellite->GetSatelliteButClick();
    ASSERT_TRUE(satellite->movie().loaded());
    save(satellite.get(), path("movie.mpg"), 1);
    ASSERT_EQ(questions->requests.size(), 2u);
    EXPECT_TRUE(
        questions->requests[1].fileName.startsWith(QStringLiteral("animated satellite - ")));
    EXPECT_TRUE(questions->requests[1].fileName.endsWith(QStringLiteral(".mpg")));
    EXPECT_EQ(questions->requests[1].filter, QLatin1String(kMovieFilter));
    EXPECT_EQ(ReadAll(path("movie.mpg")), ReadAll(satellite->movieFile()));
    EXPECT_FALSE(ReadAll(path("movie.mpg")).isEmpty());
}

TEST_F(ImageExportTest, PrintAsksFirstAndTheFocusedBrowserPrintsItsOwnPage) {
    current = graph.get();
    printer->cancel = true;
    exporter->PrintImageAction1Execute();
    EXPECT_EQ(printer->setUps, 1);
    EXPECT_FALSE(QFileInfo::exists(path("print.pdf"))) << "cancelled";

    QWidget window;
    test::FakeBrowserView browser(&window);
    exporter->setFocusedBrowser([&browser] { return &browser; });
    exporter->PrintImageAction1Execute();
    EXPECT_EQ(printer->setUps, 2);
    EXPECT_TRUE(browser.calls.isEmpty()) << "not after a cancelled set-up";
    printer->cancel = false;
    QSignalSpy printed(exporter.get(), &ImageExport::printed);
    exporter->PrintImageAction1Execute();
    EXPECT_EQ(browser.calls, QStringList{QStringLiteral("print")});
    EXPECT_EQ(printed.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(path("print.pdf"))) << "the browser printed, not the graph";

    exporter->setFocusedBrowser([] { return nullptr; });
    exporter->PrintImageAction1Execute();
    const QByteArray pdf = ReadAll(path("print.pdf"));
    EXPECT_EQ(pdf.count("/Type /Page\n"), 1);
}

} // namespace
} // namespace skelvane
