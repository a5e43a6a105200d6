// The web export played in a real browser: the sample tutorial exported with export-web, each
// chapter of its tests played in headless chromium through the page's test hook with the same
// answers as `quillc play --answers`, and every screen compared with quillc's snapshot of the
// same wait, pixel for pixel wherever the text screen shows (page elements drawn over it, such
// as buttons and pictures, are the browser's own and left out). Also: what the export refuses.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "export/web_export.h"
#include "run_quillc.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kWebDir = fs::path(QUILL_BINARY_DIR) / "web";

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path CopySample(const fs::path& to) {
    fs::copy(QUILL_SAMPLE_DIR, to, fs::copy_options::recursive);
    return to / "MAPS.QKJ";
}

// One wait as the page reported it.
struct BrowserWait {
    QString wait;
    QImage screen;  // the raster; null for the page's own dialogs
    int top = 0;
    std::vector<QRect> covered;
};

struct BrowserRun {
    QString error;  // why the run gave no results
    std::vector<BrowserWait> waits;
    QStringList messages;
};

// Plays the exported folder's chapter in headless chromium with the answers; a fresh profile
// each time, so nothing of an earlier run is resumed.
BrowserRun PlayInBrowser(const fs::path& folder, const QString& chapter, const QString& answers) {
    BrowserRun run;
    QTemporaryDir profile;
    const QString url = QUrl::fromLocalFile(QString::fromStdString((folder / "index.html").string())).toString() +
                        QStringLiteral("?test=1&chapter=") + chapter + QStringLiteral("&answers=") +
                        QString::fromUtf8(QUrl::toPercentEncoding(answers));
    QProcess chromium;
    chromium.start(QStringLiteral("chromium"),
                   {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                    QStringLiteral("--user-data-dir=") + profile.path(),
                    QStringLiteral("--allow-file-access-from-files"), QStringLiteral("--dump-dom"), url});
    if (!chromium.waitForFinished(90000)) {
        chromium.kill();
        chromium.waitForFinished();
        run.error = QStringLiteral("chromium did not finish");
        return run;
    }
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    const auto match = QRegularExpression(QStringLiteral("<pre id=\"quill-test-result\"[^>]*>(.*?)</pre>"),
                                          QRegularExpression::DotMatchesEverythingOption)
                           .match(dom);
    QString json = match.hasMatch() ? match.captured(1) : QString();
    json.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    const QJsonObject result = QJsonDocument::fromJson(json.toUtf8()).object();
    if (result.isEmpty()) {
        run.error = QStringLiteral("the page gave no result: ") + dom.left(400);
        return run;
    }
    if (result.contains(QStringLiteral("error"))) {
        run.error = result.value(QStringLiteral("error")).toString();
        return run;
    }
    for (const auto& m : result.value(QStringLiteral("messages")).toArray()) run.messages << m.toString();
    for (const auto& v : result.value(QStringLiteral("results")).toArray()) {
        const QJsonObject o = v.toObject();
        BrowserWait w;
        w.wait = o.value(QStringLiteral("wait")).toString();
        const QString screen = o.value(QStringLiteral("screen")).toString();
        if (!screen.isEmpty()) {
            const QByteArray png = QByteArray::fromBase64(screen.section(u',', 1).toLatin1());
            w.screen = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
        }
        w.top = o.value(QStringLiteral("top")).toInt();
        for (const auto& r : o.value(QStringLiteral("covered")).toArray()) {
            const QJsonArray a = r.toArray();
            w.covered.emplace_back(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
        }
        for (const auto& m : o.value(QStringLiteral("messages")).toArray()) run.messages << m.toString();
        run.waits.push_back(std::move(w));
    }
    return run;
}

// Pixels of the browser's raster that differ from the snapshot where the text screen shows.
int DifferingPixels(const BrowserWait& w, const QImage& snapshot, QPoint* first) {
    int differing = 0;
    for (int y = 0; y < w.screen.height() && y + w.top < snapshot.height(); ++y) {
        const int wy = y + w.top;
        for (int x = 0; x < w.screen.width() && x < snapshot.width(); ++x) {
            bool covered = false;
            for (const QRect& r : w.covered)
                if (r.contains(x, wy)) covered = true;
            if (covered) continue;
            if (w.screen.pixel(x, y) != snapshot.pixel(x, wy)) {
                if (differing++ == 0 && first) *first = QPoint(x, y);
            }
        }
    }
    return differing;
}

bool BrowserAvailable() { return !QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty(); }

TEST(WebExportTest, SampleChaptersPlayInTheBrowserAsQuillcPlaysThem) {
    if (!fs::is_regular_file(kWebDir / "quill_engine.js")) GTEST_SKIP() << "the web engine was not built (no emscripten)";
    if (!BrowserAvailable()) GTEST_SKIP() << "chromium is not installed";
    QTemporaryDir temp;
    const fs::path root = temp.path().toStdString();
    const fs::path project = CopySample(root / "export");
    std::string error;
    ASSERT_TRUE(ExportWebFolder(project, root / "web", &error, {}, kWebDir)) << error;

    int played = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(QUILL_SAMPLE_DIR) / "tests")) {
        if (entry.path().extension() != ".answers") continue;
        const std::string answers = ReadText(entry.path());
        // Chapter tests name their chapter on their first line ("# chapter MAPS1").
        const auto chapterAt = answers.find("# chapter ");
        if (chapterAt == std::string::npos) continue;
        const std::string chapter = answers.substr(chapterAt + 10, answers.find('\n', chapterAt) - chapterAt - 10);
        SCOPED_TRACE(entry.path().filename().string());
        ++played;

        // quillc plays in a fresh copy, as the browser starts without any learner's files.
        const fs::path copy = CopySample(root / ("play-" + entry.path().stem().string()));
        const fs::path snapshots = root / ("snapshots-" + entry.path().stem().string());
        const auto quillc = test::RunQuillc({"play", copy.string(), chapter, "--answers", entry.path().string(),
                                             "--snapshots", snapshots.string()});
        ASSERT_EQ(quillc.status, 0) << quillc.out << quillc.err;

        const BrowserRun run = PlayInBrowser(root / "web", QString::fromStdString(chapter), QString::fromStdString(answers));
        ASSERT_TRUE(run.error.isEmpty()) << run.error.toStdString();
        std::size_t snapshotCount = 0;
        for (const auto& f : fs::directory_iterator(snapshots)) snapshotCount += f.path().extension() == ".png";
        ASSERT_EQ(run.waits.size(), snapshotCount) << run.messages.join(u'\n').toStdString();
        for (std::size_t k = 0; k < run.waits.size(); ++k) {
            const BrowserWait& w = run.waits[k];
            if (w.screen.isNull()) continue;
            char name[32];
            std::snprintf(name, sizeof name, "%03zu.png", k + 1);
            const QImage snapshot = QImage(QString::fromStdString((snapshots / name).string())).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(snapshot.isNull()) << name;
            QPoint first;
            EXPECT_EQ(DifferingPixels(w, snapshot, &first), 0)
                << "wait " << k + 1 << " (" << w.wait.toStdString() << "), first at " << first.x() << "," << first.y();
        }
    }
    EXPECT_GE(played, 3);
}

// What the export refuses: the message names the file, and no page is written.
TEST(WebExportTest, RefusesATutorialWithoutItsFiles) {
    if (!fs::is_regular_file(kWebDir / "quill_engine.js")) GTEST_SKIP() << "the web engine was not built (no emscripten)";
    struct Case {
        const char* removed;
        const char* named;
    };
    for (const Case c : {Case{"MAPS1.QKS", "MAPS1"}, Case{"COMPASS.BMP", "COMPASS.BMP"}}) {
        SCOPED_TRACE(c.removed);
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        const fs::path project = CopySample(root / "tutorial");
        fs::remove(root / "tutorial" / c.removed);
        std::string error;
        EXPECT_FALSE(ExportWebFolder(project, root / "web", &error, {}, kWebDir));
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(root / "web" / "quill_tutorial.js"));
    }
    // The project folder itself is no place for the page.
    QTemporaryDir temp;
    const fs::path project = CopySample(fs::path(temp.path().toStdString()) / "tutorial");
    std::string error;
    EXPECT_FALSE(ExportWebFolder(project, project.parent_path(), &error, {}, kWebDir));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quill
