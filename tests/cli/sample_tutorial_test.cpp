// The sample tutorial "Reading a Map" (sample/ at the top of the source tree): its binary files
// are made by the code below, it passes the course check, compiles, and every chapter plays
// headless to its end with the answers files kept beside it (sample/answers/).
//
// The project file, the data file and the pictures are generated here and compared with the
// committed files. After a deliberate change, write them into the source tree with
//     QUILL_WRITE_SAMPLE=1 ./tests/cli_tests --gtest_filter='SampleTutorial.FilesAreGenerated'
#include <gtest/gtest.h>

#include <QFont>
#include <QRect>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../format/test_folder.h"
#include "datafile/color_notation.h"
#include "datafile/data_file.h"
#include "project/config_record.h"
#include "richtext/rtf_writer.h"
#include "run_quillc.h"
#include "text/text_file.h"

namespace fs = std::filesystem;
using quill::test::TempFolder;

namespace {

const fs::path kSampleDir = QUILL_SAMPLE_DIR;

// ---- pictures -----------------------------------------------------------------------------

// The sixteen colours of the sample's pictures (as 0xRRGGBB).
const QRgb kPalette[16] = {0xFFFFFF, 0x000000, 0x000080, 0x3060D0, 0xA0C8F0, 0x309030, 0xD8EEC0, 0xA06030,
                           0xC02020, 0xFAF5E6, 0x808080, 0xF0D040, 0xC8C8C8, 0x206020, 0xE6D28C, 0xD8B080};
enum Pen { White, Black, Navy, Blue, Water, Wood, Field, Brown, Red, Paper, Grey, Yellow, Light, Dark, Sand, Tan };
QColor C(Pen p) { return QColor::fromRgb(kPalette[p]); }

void PutLE(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 4-bit BMP of a picture drawn in the palette's colours (drawn without smoothing, so every
// pixel is one of them and the file is the same on every machine).
std::string Bmp4(const QImage& image) {
    const int w = image.width(), h = image.height();
    const int rowBytes = ((w + 1) / 2 + 3) / 4 * 4;
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    const std::uint32_t size = offset + static_cast<std::uint32_t>(rowBytes * h);
    std::string out = "BM";
    PutLE(out, size, 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<std::uint32_t>(w), 4);
    PutLE(out, static_cast<std::uint32_t>(h), 4);
    PutLE(out, 1, 2);
    PutLE(out, 4, 2);
    PutLE(out, 0, 4);
    PutLE(out, static_cast<std::uint32_t>(rowBytes * h), 4);
    PutLE(out, 3780, 4);
    PutLE(out, 3780, 4);
    PutLE(out, 16, 4);
    PutLE(out, 0, 4);
    for (QRgb c : kPalette) PutLE(out, c & 0xFFFFFF, 4);  // blue, green, red, 0
    for (int y = h - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb px = image.pixel(x, y) & 0xFFFFFF;
            int index = 0;
            for (int i = 0; i < 16; ++i)
                if (kPalette[i] == px) index = i;
            auto& byte = row[static_cast<std::size_t>(x / 2)];
            byte = static_cast<char>(byte | (x % 2 == 0 ? index << 4 : index));
        }
        out += row;
    }
    return out;
}

QImage Canvas(int w, int h, Pen background) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(C(background));
    return image;
}

// A compass rose: four long points (north in red), four short ones and a letter N.
std::string CompassPicture() {
    QImage image = Canvas(120, 120, Paper);
    QPainter p(&image);
    const QPointF c(60, 64);
    p.setPen(QPen(C(Navy), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 40, 40);
    auto point = [&](double angleDeg, double length, double half, Pen fill) {
        const double a = qDegreesToRadians(angleDeg);
        const QPointF tip(c.x() + length * std::sin(a), c.y() - length * std::cos(a));
        const QPointF l(c.x() + half * std::sin(a - M_PI / 2), c.y() - half * std::cos(a - M_PI / 2));
        const QPointF r(c.x() + half * std::sin(a + M_PI / 2), c.y() - half * std::cos(a + M_PI / 2));
        p.setPen(QPen(C(Navy), 1));
        p.setBrush(C(fill));
        p.drawPolygon(QPolygonF({tip, l, c, r}));
    };
    for (int a : {45, 135, 225, 315}) point(a, 30, 6, Grey);
    for (int a : {90, 180, 270}) point(a, 48, 9, Navy);
    point(0, 48, 9, Red);
    // The letter N above the north point.
    p.setPen(QPen(C(Red), 2));
    p.drawPolyline(QPolygonF({QPointF(55, 12), QPointF(55, 2), QPointF(65, 12), QPointF(65, 2)}));
    return Bmp4(image);
}

// A small map of four by four grid squares (40 x 34 pixels each): fields, a wood, a river,
// a road, a church and a hill.
std::string MapPicture() {
    QImage image = Canvas(160, 136, Field);
    QPainter p(&image);
    // Wood in square 20 42.
    p.setPen(Qt::NoPen);
    p.setBrush(C(Wood));
    p.drawRect(2, 36, 36, 30);
    p.setBrush(C(Dark));
    for (int y = 40; y < 64; y += 8)
        for (int x = 6 + (y / 8 % 2) * 4; x < 36; x += 8) p.drawEllipse(QPoint(x, y), 2, 2);
    // River from the top edge to the bottom edge.
    QPainterPath river;
    river.moveTo(100, 0);
    river.cubicTo(80, 30, 70, 55, 88, 80);
    river.cubicTo(105, 100, 112, 115, 118, 136);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(C(Blue), 7));
    p.drawPath(river);
    p.setPen(QPen(C(Water), 4));
    p.drawPath(river);
    // Road crossing the map, with a bridge over the river.
    p.setPen(QPen(C(Black), 5));
    p.drawPolyline(QPolygonF({QPointF(0, 112), QPointF(50, 100), QPointF(160, 92)}));
    p.setPen(QPen(C(Yellow), 3));
    p.drawPolyline(QPolygonF({QPointF(0, 112), QPointF(50, 100), QPointF(160, 92)}));
    // Church (a square with a cross) in square 21 41.
    p.setPen(Qt::NoPen);
    p.setBrush(C(Black));
    p.drawRect(56, 80, 8, 8);
    p.setPen(QPen(C(Black), 2));
    p.drawLine(60, 71, 60, 79);
    p.drawLine(56, 74, 64, 74);
    // Hill in square 23 43: three contour rings.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(C(Brown), 1));
    p.drawEllipse(QPoint(140, 17), 16, 12);
    p.drawEllipse(QPoint(141, 17), 10, 7);
    p.drawEllipse(QPoint(142, 17), 4, 3);
    // Grid lines.
    p.setPen(QPen(C(Grey), 1));
    for (int x : {0, 40, 80, 120, 159}) p.drawLine(x, 0, x, 135);
    for (int y : {0, 34, 68, 102, 135}) p.drawLine(0, y, 159, y);
    return Bmp4(image);
}

// A hill seen from the side (above) and from above as contour lines (below): gentle on the
// left where the lines are far apart, steep on the right where they are close together.
std::string HillPicture() {
    QImage image = Canvas(200, 120, White);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(C(Water));
    p.drawRect(0, 0, 200, 52);
    p.setBrush(C(Tan));
    p.setPen(QPen(C(Brown), 1));
    p.drawPolygon(QPolygonF({QPointF(0, 52), QPointF(30, 50), QPointF(60, 42), QPointF(90, 32), QPointF(115, 21),
                             QPointF(140, 8), QPointF(150, 21), QPointF(158, 32), QPointF(165, 42),
                             QPointF(172, 50), QPointF(200, 52)}));
    p.setPen(QPen(C(Light), 1, Qt::DashLine));
    for (int y : {42, 32, 21}) p.drawLine(0, y, 200, y);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(C(Brown), 1));
    const int lefts[4] = {30, 60, 90, 115};
    const int rights[4] = {172, 165, 158, 150};
    const int halves[4] = {28, 21, 14, 7};
    for (int k = 0; k < 4; ++k) p.drawEllipse(QRect(lefts[k], 88 - halves[k], rights[k] - lefts[k], 2 * halves[k]));
    p.setPen(QPen(C(Red), 1));
    p.setBrush(C(Red));
    p.drawEllipse(QPoint(140, 88), 2, 2);
    return Bmp4(image);
}

// ---- teaching aids ------------------------------------------------------------------------

// Rich text as the entry editors store it, from a little HTML.
quill::TextLines Rtf(const QString& html) {
    QTextDocument doc;
    doc.setDefaultFont(QFont("Arial", 12));
    doc.setHtml(html);
    return quill::WriteRichText(doc);
}

quill::TScreenBackground TextWindowOn(std::uint32_t screenColor, int left, int top, int width, int height) {
    quill::TScreenBackground s;
    s.TextWindowOff = false;
    s.ScreenColor = screenColor;
    s.WindowLeft = left;
    s.WindowTop = top;
    s.WindowWidth = width;
    s.WindowHeight = height;
    return s;
}

constexpr std::uint32_t kPaper = 0x00E6F5FA;  // 0x00BBGGRR
constexpr std::uint32_t kForest = 0x00206020;
constexpr std::uint32_t kSand = 0x008CD2E6;
constexpr std::uint32_t kNavy = 0x00800000;

std::string DataFile(const fs::path& folder) {
    using namespace quill;
    const fs::path file = folder / "MAPS.QKR";
    AddIntroduction(file, Rtf("<p><b>Reading a Map</b></p>"
                              "<p>A map tells you where you are and how to get where you want to go, "
                              "if you can read it.</p>"
                              "<p>In three short chapters you will learn to find north, to give a grid "
                              "reference and to tell a steep hill from a gentle one.</p>"
                              "<p>Choose a chapter from the menu. Each one takes about five minutes.</p>"));
    AddTextEntry(file, "scale", etTextOnly, kSourceHyper,
                 Rtf("<p><b>The scale</b></p>"
                     "<p>The scale says how much smaller the map is than the ground. On a map of "
                     "<b>1:25 000</b>, one centimetre on the map is 25 000 centimetres (250 metres) on "
                     "the ground.</p><p>So four centimetres on the map make one kilometre.</p>"),
                 TextWindowOn(kSand, 120, 100, 400, 220));
    AddCommandEntry(file, "map key", etHtmlFile, kSourceHyper, "MAPKEY.HTM");
    AddCommandEntry(file, "compass card", etGraphicOnly, kSourceHyper, "COMPASS.BMP,0");
    TScreenBackground hill = TextWindowOn(kPaper, 330, 120, 280, 240);
    hill.ScreenType = 2;
    hill.GraphicFile = "HILL.BMP";
    AddTextEntry(file, "contour lines", etGraphicAndText, kSourceHyper,
                 Rtf("<p><b>Contour lines</b></p>"
                     "<p>A contour line joins points of the same height. Walk along one and you go "
                     "neither up nor down.</p><p>Close together: steep. Far apart: gentle.</p>"),
                 hill);
    AddCommandEntry(file, "Field notes", etNotePad, kSourceUtility, "NOTES.TXT");
    AddTextEntry(file, "Compass card", etTextOnly, kSourceUtility,
                 Rtf("<p><b>Compass card</b></p><p>N north, E east, S south, W west: "
                     "<i>Never Eat Soggy Wheat</i>, clockwise from the top.</p>"
                     "<p>A grid reference: along the corridor, then up the stairs.</p>"),
                 TextWindowOn(kPaper, 160, 120, 320, 180));
    AddWindowText(file, "Remember", ColorToString(kSand),
                  Rtf("<p><b>Never Eat Soggy Wheat</b></p>"
                      "<p>North, East, South, West: clockwise from the top of the map.</p>"));
    AddWindowText(file, "Grid rule", ColorToString(0x00F0F0D8),
                  Rtf("<p><b>Along the corridor, then up the stairs.</b></p>"
                      "<p>Read the number along the bottom first (easting), then the number up the "
                      "side (northing).</p>"));
    return ReadFileBytes(file);
}

// ---- project file -------------------------------------------------------------------------

std::string ProjectRecord() {
    using namespace quill;
    TTutorialConfig c;
    SetConfigDefaults(c);
    c.set(cfg::TutorialType, 1);
    c.set(cfg::StartChapter, "MAPS1");
    c.set(cfg::UtilitiesOn, 1);

    namespace M = cfg::MainMenu;
    c.set(M::TitleBarOn, 1);
    c.set(M::TitleBarText, "Reading a Map");
    c.set(M::TitleBarColor, kSand);
    c.set(M::StatusBarOn, 1);
    c.set(M::StatusBarText, "Choose a chapter, or Quit");
    c.set(M::ScreenColor, kPaper);
    c.set(M::MenuColor, kSand);
    c.set(M::MenuTitle, "Chapters");
    c.set(M::MenuTitleColor, kSand);
    c.set(M::MenuPickColor, kPaper);
    const char* chapters[3][2] = {{"Finding north", "MAPS1"}, {"Grid references", "MAPS2"}, {"Hills", "MAPS3"}};
    for (int i = 1; i <= 3; ++i) {
        c.set(M::Chapter(i).Topic, chapters[i - 1][0]);
        c.set(M::Chapter(i).FileName, chapters[i - 1][1]);
    }
    c.set(M::ChapterCount, 3);
    c.set(M::SingleColumn, 1);

    c.set(cfg::IntroOn, 1);
    c.set(cfg::Intro::TitleBarOn, 1);
    c.set(cfg::Intro::TitleBarText, "Welcome to Reading a Map");
    c.set(cfg::Intro::TitleBarColor, kSand);
    c.set(cfg::Intro::StatusBarOn, 1);
    c.set(cfg::Intro::StatusBarText, "A short lesson made with Quillmark");
    TScreenBackground intro = ReadScreenBackground(c, cfg::Intro::Screen);
    intro.TextWindowOff = false;
    intro.ScreenColor = kPaper;
    intro.WindowColor = 0x00FFFFFF;
    intro.WindowLeft = 120;
    intro.WindowTop = 90;
    intro.WindowWidth = 400;
    intro.WindowHeight = 260;
    WriteScreenBackground(c, cfg::Intro::Screen, intro);

    c.set(cfg::AboutOn, 1);
    c.set(cfg::About::ShowWhen, 0);
    c.set(cfg::About::BoxTitle, "About Reading a Map");
    c.set(cfg::About::ProgramName, "Reading a Map");
    c.set(cfg::About::VersionText, "Version 1.0");
    c.set(cfg::About::AuthorLine, "The Quillmark authors");
    c.set(cfg::About::Comment1, "The sample tutorial that comes with Quillmark.");
    c.set(cfg::About::Comment2, "Open its chapters in the chapter editor to see how");
    c.set(cfg::About::Comment3, "each screen is made.");

    c.set(cfg::Program::ProgramTitle, "Reading a Map");
    c.set(cfg::Program::BackgroundColor, kSand);

    c.set(cfg::Colors::Entry(17).Name, "Paper");
    c.set(cfg::Colors::Entry(17).Value, kPaper);
    c.set(cfg::Colors::Entry(18).Name, "Forest");
    c.set(cfg::Colors::Entry(18).Value, kForest);
    c.set(cfg::Colors::Entry(19).Name, "Sand");
    c.set(cfg::Colors::Entry(19).Value, kSand);

    c.set(cfg::Headings::Entry(1).Name, "TITLE");
    c.set(cfg::Headings::Entry(1).Font, "18 " + std::to_string(kNavy) + " 1 Times New Roman");
    c.set(cfg::Headings::Entry(1).Mode, 1);
    c.set(cfg::Headings::Entry(1).BackColor, kSand);
    c.set(cfg::Headings::Entry(2).Name, "SUB");
    c.set(cfg::Headings::Entry(2).Font, "14 " + std::to_string(kForest) + " 1 Arial");
    c.set(cfg::Headings::Entry(2).Mode, 2);
    c.set(cfg::Headings::Entry(2).BackColor, kPaper);
    const auto& bytes = c.bytes();
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::pair<std::string, std::string>> MakeSampleFiles() {
    TempFolder scratch;
    return {{"MAPS.QKJ", ProjectRecord()},
            {"MAPS.QKR", DataFile(scratch.path())},
            {"COMPASS.BMP", CompassPicture()},
            {"MAP.BMP", MapPicture()},
            {"HILL.BMP", HillPicture()}};
}

// A copy of the sample to play in (the chapters write USER.DAT and notes).
fs::path CopySample(const TempFolder& folder) {
    const fs::path copy = folder.path() / "MAPS";
    fs::copy(kSampleDir, copy, fs::copy_options::recursive);
    return copy;
}

quill::test::QuillcResult Quillc(const quillc::Args& args) { return quill::test::RunQuillc(args); }

}  // namespace

TEST(SampleTutorial, FilesAreGenerated) {
    const bool write = qEnvironmentVariableIsSet("QUILL_WRITE_SAMPLE");
    for (const auto& [name, bytes] : MakeSampleFiles()) {
        const fs::path file = kSampleDir / name;
        if (write) quill::WriteFileAtomic(file, bytes);
        ASSERT_TRUE(fs::exists(file)) << name;
        EXPECT_TRUE(TempFolder::read(file) == bytes) << name << " differs from what the generator makes";
    }
    // The pictures read back at their size.
    EXPECT_EQ(QImage(QString::fromStdString((kSampleDir / "MAP.BMP").string())).size(), QSize(160, 136));
}

TEST(SampleTutorial, PassesTheCheckCompilesAndDistributes) {
    TempFolder folder;
    const fs::path project = CopySample(folder) / "MAPS.QKJ";
    auto r = Quillc({"check", project.string()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "");

    r = Quillc({"compile", project.string()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (const char* name : {"MAPS.QKD", "MAPS1.QKC", "MAPS2.QKC", "MAPS3.QKC"})
        EXPECT_TRUE(fs::exists(project.parent_path() / name)) << name;

    // The distribution gathers every picture and page the tutorial names.
    const fs::path home = folder.write("home/QUILPLAY.EXE", "stand-in").parent_path();
    const fs::path target = folder.path() / "dist";
    r = Quillc({"distribute", project.string(), target.string(), "--home", home.string()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (const char* name : {"MAPS.QKD", "MAPS1.QKC", "MAPS2.QKC", "MAPS3.QKC", "QUILPLAY.EXE", "COMPASS.BMP",
                             "MAP.BMP", "HILL.BMP", "MAPKEY.HTM"})
        EXPECT_TRUE(fs::exists(target / name)) << name;
}

// Every chapter runs to its last line (or *Exit) with its answers: no error, no answer
// skipped, and the answers do not run out.
TEST(SampleTutorial, EveryChapterPlaysToItsEnd) {
    const std::vector<std::string> chapters{"MAPS1", "MAPS2", "MAPS3"};
    for (const std::string& chapter : chapters) {
        SCOPED_TRACE(chapter);
        TempFolder folder;
        const fs::path dir = CopySample(folder);
        const auto r = Quillc({"play", (dir / "MAPS.QKJ").string(), chapter, "--answers",
                               (dir / "answers" / (chapter + ".txt")).string(), "--trace"});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(r.out.find("ERROR:"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("INFO:"), std::string::npos) << r.out;
        // The last traced line is the chapter's last line or its *Exit.
        const auto lines = quill::ReadTextLines(dir / (chapter + ".QKS"));
        const std::string lastTrace = r.out.substr(r.out.rfind("TRACE "));
        const std::string lastLine = "TRACE " + chapter + ".QKS:" + std::to_string(lines.size()) + ": ";
        EXPECT_TRUE(lastTrace.starts_with(lastLine) || lastTrace.find(": *Exit") != std::string::npos) << lastTrace;
    }
}

// The last page of chapter 3 keeps its text inside its rounded Paper box: nothing is drawn on the
// Sand around it, and no Sand band runs across the box.
TEST(SampleTutorial, TheLastPageKeepsItsTextInItsBox) {
    TempFolder folder;
    const fs::path dir = CopySample(folder);
    const fs::path shots = folder / "shots";
    fs::create_directories(shots);
    const auto r = Quillc({"play", (dir / "MAPS.QKJ").string(), "MAPS3", "--answers",
                           (dir / "answers" / "MAPS3.txt").string(), "--snapshots", shots.string()});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    // The last wait of the chapter is the snapshot before the one taken when the run ends.
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(shots)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_GE(files.size(), 2u);
    const QImage page(QString::fromStdString(files[files.size() - 2].string()));
    ASSERT_FALSE(page.isNull());
    // The box of *RoundBorderBox 2 Forest 6 6 76 13: columns 6 to 76, rows 6 to 13.
    const QRect box(40, 85, 562, 121);  // its border included
    const QRect inside = box.adjusted(6, 6, -6, -6);
    const QColor sand = QColor::fromRgb(0xE6, 0xD2, 0x8C);
    int outsideDrawn = 0, sandInside = 0;
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < 640; ++x) {
            const QColor c = page.pixelColor(x, y);
            if (!box.contains(x, y) && c != sand) ++outsideDrawn;
            if (inside.contains(x, y) && c == sand) ++sandInside;
        }
    EXPECT_EQ(outsideDrawn, 0);
    EXPECT_EQ(sandInside, 0);
}

// The whole tutorial (about box, introduction, main menu) along each path of the main menu,
// each ending with the menu's quit entry. Skipped while quillc cannot play a whole tutorial.
TEST(SampleTutorial, EveryMenuPathPlaysToTheEnd) {
    for (int path = 1; path <= 3; ++path) {
        SCOPED_TRACE(path);
        TempFolder folder;
        const fs::path dir = CopySample(folder);
        const auto r = Quillc({"play", (dir / "MAPS.QKJ").string(), "--answers",
                               (dir / "answers" / ("tutorial-" + std::to_string(path) + ".txt")).string()});
        if (r.status == 2 && r.err.find("usage") != std::string::npos)
            GTEST_SKIP() << "quillc play cannot play a whole tutorial yet";
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        EXPECT_EQ(r.out.find("ERROR:"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("answers ran out"), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find("skipped"), std::string::npos) << r.out;
    }
}

// The examples of `quillc --help` name files the sample has.
TEST(SampleTutorial, HelpExamplesNameItsFiles) {
    const auto r = Quillc({"--help"});
    ASSERT_EQ(r.status, 0);
    int named = 0;
    for (std::size_t at = 0; (at = r.out.find("~/maps/", at)) != std::string::npos; ++named) {
        at += 7;
        const std::string name = r.out.substr(at, r.out.find_first_of(" \n", at) - at);
        EXPECT_TRUE(fs::exists(kSampleDir / name)) << name;
    }
    EXPECT_GE(named, 5);
}
