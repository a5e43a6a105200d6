// The SCORM package: zip entries read back by a reader of the test's own (and by `unzip -t`
// where it is installed), the manifest read as XML.
#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <fstream>

#include "../../format/test_folder.h"
#include "export/scorm_package.h"
#include "export/zip_writer.h"
#include "text/errors.h"

namespace quill {
namespace {

using quill::test::TempFolder;

std::uint32_t Get16(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b.at(at)) | static_cast<unsigned char>(b.at(at + 1)) << 8;
}
std::uint32_t Get32(std::string_view b, std::size_t at) { return Get16(b, at) | Get16(b, at + 2) << 16; }

std::uint32_t Adler32(std::string_view s) {
    std::uint32_t a = 1, b = 0;
    for (char c : s) {
        a = (a + static_cast<unsigned char>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// Raw deflate back to bytes through Qt's zlib: the stream wrapped as qUncompress expects it.
std::string Inflate(std::string_view raw, std::uint32_t size, std::uint32_t adler) {
    QByteArray z;
    for (int shift : {24, 16, 8, 0}) z.append(static_cast<char>((size >> shift) & 0xFF));
    z.append("\x78\x9C", 2);
    z.append(raw.data(), static_cast<qsizetype>(raw.size()));
    for (int shift : {24, 16, 8, 0}) z.append(static_cast<char>((adler >> shift) & 0xFF));
    const QByteArray out = qUncompress(z);
    return {out.constData(), static_cast<std::size_t>(out.size())};
}

struct ReadEntry {
    std::string name, data;
    std::uint32_t method, flags;
};

// Reads the archive as an unpacking program does: from the end record through the central
// directory to each local header; every size, offset and CRC must agree. A deflated entry is
// inflated by zlib, which also checks it against the Adler-32 of the bytes the test expects
// for that name (`expected`), so a wrong stream never reads back as the right bytes.
std::vector<ReadEntry> ReadZip(std::string_view zip, const std::function<std::string(const std::string&)>& expected) {
    std::vector<ReadEntry> entries;
    const std::size_t endAt = zip.size() - 22;
    EXPECT_EQ(Get32(zip, endAt), 0x06054b50u);
    const std::uint32_t count = Get16(zip, endAt + 10);
    std::size_t c = Get32(zip, endAt + 16);
    EXPECT_EQ(c + Get32(zip, endAt + 12), endAt);
    for (std::uint32_t i = 0; i < count; ++i) {
        EXPECT_EQ(Get32(zip, c), 0x02014b50u);
        ReadEntry e{std::string(zip.substr(c + 46, Get16(zip, c + 28))), {}, Get16(zip, c + 10), Get16(zip, c + 8)};
        const std::uint32_t crc = Get32(zip, c + 16), packed = Get32(zip, c + 20), size = Get32(zip, c + 24);
        const std::size_t local = Get32(zip, c + 42);
        EXPECT_EQ(Get32(zip, local), 0x04034b50u);
        EXPECT_EQ(Get16(zip, local + 8), e.method);
        EXPECT_EQ(Get32(zip, local + 14), crc);
        EXPECT_EQ(zip.substr(local + 30, Get16(zip, local + 26)), e.name);
        const std::string_view body = zip.substr(local + 30 + Get16(zip, local + 26) + Get16(zip, local + 28), packed);
        if (e.method == 0) {
            e.data = body;
        } else {
            EXPECT_EQ(e.method, 8u);
            e.data = Inflate(body, size, Adler32(expected(e.name)));
        }
        EXPECT_EQ(e.data.size(), size) << e.name;
        EXPECT_EQ(Crc32(e.data), crc) << e.name;
        entries.push_back(std::move(e));
        c += 46 + Get16(zip, c + 28) + Get16(zip, c + 30) + Get16(zip, c + 32);
    }
    return entries;
}

TEST(ZipWriter, Crc32OfTheCheckString) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32(""), 0u);
}

TEST(ZipWriter, NamesThatWouldLeaveTheFolderOrCannotBeReadAreRefused) {
    for (const char* ok : {"index.html", "a/b/c.txt", "MAP 1.BMP", "\xC3\xA4nderung.txt", "..a", "a.."})
        EXPECT_EQ(ZipNameProblem(ok), std::nullopt) << ok;
    const std::pair<const char*, const char*> bad[] = {
        {"", "empty"},           {"/etc/passwd", "absolute"}, {"../x", "\"..\""},   {"a/../b", "\"..\""},
        {"./a", "\".\""},        {"a//b", "empty folder"},    {"a/", "empty folder"}, {"C:x", "drive letter"},
        {"a\\b", "backslash"},   {"a\x01z", "control"},       {"\xFF.txt", "UTF-8"}, {"\xC3", "UTF-8"},
    };
    for (const auto& [name, why] : bad) {
        const auto problem = ZipNameProblem(name);
        ASSERT_TRUE(problem) << name;
        EXPECT_NE(problem->find(why), std::string::npos) << name << ": " << *problem;
    }
}

TEST(ZipWriter, EntriesReadBackWithTheirBytesNamesAndMethods) {
    std::string text;
    for (int i = 0; i < 400; ++i) text += "Line " + std::to_string(i % 7) + " of the chapter\r\n";
    std::string binary(5000, '\0');
    std::uint32_t x = 12345;
    for (char& b : binary) b = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
    const std::vector<ZipEntry> entries = {
        {"imsmanifest.xml", "<manifest/>"}, {"empty.txt", ""}, {"chapters/MAPS1.QKC", text},
        {"media/\xC3\xA4rger map.bmp", binary}, {"abc", "abc"},
    };
    const std::string zip = BuildZip(entries, 0x6000, 0x5A8B);
    std::vector<ReadEntry> read = ReadZip(zip, [&](const std::string& name) {
        for (const auto& e : entries)
            if (e.name == name) return e.data;
        return std::string();
    });
    ASSERT_EQ(read.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(read[i].name, entries[i].name);
        EXPECT_EQ(read[i].data, entries[i].data) << entries[i].name;
        EXPECT_EQ(read[i].flags & 0x0800, 0x0800u) << "UTF-8 names are flagged";
    }
    EXPECT_EQ(read[2].method, 8u) << "text is deflated";
    EXPECT_EQ(read[3].method, 0u) << "bytes that do not shrink are stored";
    EXPECT_EQ(read[4].method, 0u);
    EXPECT_LT(zip.size(), text.size());

    // An unpacking program agrees, where one is installed.
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty()) return;
    TempFolder dir;
    const auto file = dir.write("t.zip", zip);
    QProcess p;
    p.start(unzip, {"-t", QString::fromStdString(file.string())});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
}

TEST(ZipWriter, RefusesBadAndTwiceGivenNames) {
    EXPECT_THROW(BuildZip({{"../evil", "x"}}, 0, 0), std::invalid_argument);
    try {
        BuildZip({{"Data/A.txt", "1"}, {"data/a.TXT", "2"}}, 0, 0);
        FAIL() << "a name given twice was taken";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("data/a.TXT"), std::string::npos) << e.what();
    }
}

TEST(ScormManifest, IdentifiersAndFileNamesAreMadeSafe) {
    const std::pair<const char*, const char*> ids[] = {
        {"MAPS", "MAPS"}, {"1 MAPS", "_1_MAPS"}, {"", "_"}, {"a.b-c_d", "a.b-c_d"}, {"\xC3\xA4x", "__x"},
    };
    for (const auto& [in, out] : ids) EXPECT_EQ(XmlId(in), out) << in;
    EXPECT_EQ(UriPath("media/MAP 1.BMP"), "media/MAP%201.BMP");
    EXPECT_EQ(UriPath("a&b#c?d%e"), "a%26b%23c%3Fd%25e");
    EXPECT_EQ(UriPath("\xC3\xA4.txt"), "%C3%A4.txt");
}

TEST(ScormManifest, OneOrganisationOneItemOneScoListingEveryFile) {
    const ScormManifestInfo info{"1 MAPS", "Maps & <Legends> \"1\"\x01", "index.html",
                                 {"index.html", "quill_engine.js", "media/MAP 1.BMP"}};
    const std::string xml = BuildScormManifest(info);
    QXmlStreamReader r(QByteArray::fromStdString(xml));
    QStringList files, titles, path;
    QString schemaVersion, scormType, href, organisations, items;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = r.name().toString();
            path << name;
            if (name == "file") files << r.attributes().value("href").toString();
            if (name == "organization") organisations += "o";
            if (name == "item") items += r.attributes().value("identifierref").toString();
            if (name == "resource") {
                scormType = r.attributes().value("http://www.adlnet.org/xsd/adlcp_rootv1p2", "scormtype").toString();
                href = r.attributes().value("href").toString();
            }
            if (name == "schemaversion") schemaVersion = r.readElementText();
            if (name == "title") titles << r.readElementText();
            if (name == "schemaversion" || name == "title") path.removeLast();
        } else if (token == QXmlStreamReader::EndElement) {
            path.removeLast();
        }
    }
    ASSERT_FALSE(r.hasError()) << r.errorString().toStdString() << "\n" << xml;
    EXPECT_EQ(r.namespaceUri().toString(), "");
    EXPECT_EQ(schemaVersion, "1.2");
    EXPECT_EQ(organisations, "o");
    EXPECT_EQ(items, "_1_MAPS-SCO");
    EXPECT_EQ(scormType, "sco");
    EXPECT_EQ(href, "index.html");
    EXPECT_EQ(files, (QStringList{"index.html", "quill_engine.js", "media/MAP%201.BMP"}));
    EXPECT_EQ(titles, (QStringList{"Maps & <Legends> \"1\"", "Maps & <Legends> \"1\""}));
}

TEST(ScormPackage, TheFolderAndItsManifestInOneZipReplacedAtomically) {
    TempFolder dir;
    dir.write("web/index.html", "<html></html>");
    dir.write("web/quill_engine.js", std::string(20000, 'x'));
    dir.write("web/media/MAP 1.BMP", "BM....");
    const auto zip = dir.write("out/MAPS.zip", "the previous package");

    WriteScormPackage(dir / "web", zip, "MAPS", "Reading a Map");
    const ScormManifestInfo info{"MAPS", "Reading a Map", "index.html", {"index.html", "media/MAP 1.BMP", "quill_engine.js"}};
    const auto expected = [&](const std::string& name) {
        return name == "imsmanifest.xml" ? BuildScormManifest(info) : TempFolder::read(dir / "web" / name);
    };
    const std::vector<ReadEntry> read = ReadZip(TempFolder::read(zip), expected);
    std::vector<std::string> names;
    for (const auto& e : read) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"imsmanifest.xml", "index.html", "media/MAP 1.BMP", "quill_engine.js"}));
    EXPECT_NE(read[0].data.find("<file href=\"media/MAP%201.BMP\"/>"), std::string::npos) << read[0].data;
    EXPECT_EQ(read[3].data, std::string(20000, 'x'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1) << "no temporary file left";

    // A folder that cannot be packaged leaves the package as it was.
    const std::string before = TempFolder::read(zip);
    std::filesystem::create_symlink("/etc/passwd", dir / "web/link");
    EXPECT_THROW(WriteScormPackage(dir / "web", zip, "MAPS", "Reading a Map"), quill::IoError);
    std::filesystem::remove(dir / "web/link");
    dir.write("web/imsmanifest.xml", "<manifest/>");
    EXPECT_THROW(WriteScormPackage(dir / "web", zip, "MAPS", "Reading a Map"), std::invalid_argument);
    std::filesystem::remove(dir / "web/imsmanifest.xml");
    std::filesystem::remove(dir / "web/index.html");
    EXPECT_THROW(WriteScormPackage(dir / "web", zip, "MAPS", "Reading a Map"), quill::IoError);
    EXPECT_EQ(TempFolder::read(zip), before);
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

TEST(ScormPackage, ExportsIntoATemporaryFolderThatIsAlwaysRemoved) {
    quill::test::TempFolder dir;
    const auto zip = dir / "MAPS.zip";
    std::filesystem::path used;
    const WebFolderExport good = [&](const std::filesystem::path& project, const std::filesystem::path& folder, std::string*) {
        EXPECT_EQ(project, dir / "MAPS.QKJ");
        EXPECT_TRUE(std::filesystem::is_empty(folder));
        used = folder;
        std::ofstream(folder / "index.html") << "<html></html>";
        return true;
    };
    std::string error;
    ASSERT_TRUE(ExportScormPackage(dir / "MAPS.QKJ", zip, "MAPS", "Maps", good, &error)) << error;
    EXPECT_TRUE(std::filesystem::exists(zip));
    EXPECT_FALSE(std::filesystem::exists(used));

    const std::string before = quill::test::TempFolder::read(zip);
    const WebFolderExport failing = [&](const std::filesystem::path&, const std::filesystem::path& folder, std::string* e) {
        used = folder;
        std::ofstream(folder / "half.js") << "half";
        *e = "The engine is missing";
        return false;
    };
    EXPECT_FALSE(ExportScormPackage(dir / "MAPS.QKJ", zip, "MAPS", "Maps", failing, &error));
    EXPECT_EQ(error, "The engine is missing");
    EXPECT_FALSE(std::filesystem::exists(used));
    // A folder without its page is refused by the packaging, with the reason.
    const WebFolderExport noPage = [&](const std::filesystem::path&, const std::filesystem::path& folder, std::string*) {
        used = folder;
        std::ofstream(folder / "quill_engine.js") << "x";
        return true;
    };
    EXPECT_FALSE(ExportScormPackage(dir / "MAPS.QKJ", zip, "MAPS", "Maps", noPage, &error));
    EXPECT_NE(error.find("holds no index.html"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(used));
    EXPECT_EQ(quill::test::TempFolder::read(zip), before);
}

}  // namespace
}  // namespace quill
