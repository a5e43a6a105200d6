#include "export/zip_writer.h"

#include <array>
#include <ctime>
#include <limits>
#include <set>
#include <stdexcept>

#include <QByteArray>

#include "text/cp1252.h"

namespace quill {

namespace {

constexpr std::uint16_t kUtf8Names = 0x0800;  // general purpose flag bit 11
constexpr std::uint16_t kStored = 0, kDeflated = 8;
constexpr std::uint16_t kMadeByUnix = (3 << 8) | 20;
constexpr std::uint32_t kRegularFileRwR = 0100644u << 16;  // external attributes: -rw-r--r--

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Raw deflate of the bytes: Qt's zlib stream without its length prefix (4 bytes), zlib header
// (2 bytes) and Adler-32 trailer (4 bytes). Empty when that fails.
std::string Deflate(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 2)) return {};
    const QByteArray z = qCompress(reinterpret_cast<const uchar*>(bytes.data()), static_cast<qsizetype>(bytes.size()), 9);
    if (z.size() < 4 + 2 + 4) return {};
    return std::string(z.constData() + 6, static_cast<std::size_t>(z.size() - 10));
}

bool ValidUtf8(std::string_view s) {
    for (std::size_t pos = 0; pos < s.size();)
        if (quill::DecodeUtf8(s, pos) < 0) return false;
    return true;
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
    static const auto kTable = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) crc = kTable[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::optional<std::string> ZipNameProblem(std::string_view name) {
    if (name.empty()) return "the name is empty";
    if (name.size() > 0xFFFF) return "the name is longer than a zip entry's name may be";
    if (!ValidUtf8(name)) return "the name is not valid UTF-8";
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) return "the name holds a control character";
        if (c == '\\') return "the name holds a backslash";
    }
    if (name.front() == '/') return "the name is an absolute path";
    if (name.size() >= 2 && name[1] == ':') return "the name starts with a drive letter";
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (part.empty()) return "the name has an empty folder name";
        if (part == "." || part == "..") return "the name has a part \"" + std::string(part) + "\"";
        if (end == name.size()) break;
        start = end + 1;
    }
    return std::nullopt;
}

std::string BuildZip(const std::vector<ZipEntry>& entries, std::uint16_t dosTime, std::uint16_t dosDate) {
    if (entries.size() >= 0xFFFF) throw std::invalid_argument("a zip archive holds fewer than 65535 files");
    std::set<std::string> seen;
    std::string out, central;
    for (const ZipEntry& e : entries) {
        if (auto problem = ZipNameProblem(e.name)) throw std::invalid_argument("The file \"" + e.name + "\" cannot go into the archive: " + *problem);
        if (!seen.insert(Upper(e.name)).second)
            throw std::invalid_argument("The file \"" + e.name + "\" is in the archive twice (letter case aside)");
        const std::uint32_t crc = Crc32(e.data);
        std::string deflated = e.data.empty() ? std::string() : Deflate(e.data);
        const bool deflate = !deflated.empty() && deflated.size() < e.data.size();
        const std::string_view body = deflate ? std::string_view(deflated) : std::string_view(e.data);
        const std::uint64_t offset = out.size();
        if (e.data.size() >= 0xFFFFFFFFull || offset + 30 + e.name.size() + body.size() >= 0xFFFFFFFFull)
            throw std::invalid_argument("The archive grows beyond 4 GiB at the file \"" + e.name + "\"");
        const std::uint16_t method = deflate ? kDeflated : kStored;
        const std::uint16_t needed = deflate ? 20 : 10;

        Put32(out, 0x04034b50);  // local file header
        Put16(out, needed);
        Put16(out, kUtf8Names);
        Put16(out, method);
        Put16(out, dosTime);
        Put16(out, dosDate);
        Put32(out, crc);
        Put32(out, static_cast<std::uint32_t>(body.size()));
        Put32(out, static_cast<std::uint32_t>(e.data.size()));
        Put16(out, static_cast<std::uint32_t>(e.name.size()));
        Put16(out, 0);  // extra field
        out += e.name;
        out += body;

        Put32(central, 0x02014b50);  // central directory header
        Put16(central, kMadeByUnix);
        Put16(central, needed);
        Put16(central, kUtf8Names);
        Put16(central, method);
        Put16(central, dosTime);
        Put16(central, dosDate);
        Put32(central, crc);
        Put32(central, static_cast<std::uint32_t>(body.size()));
        Put32(central, static_cast<std::uint32_t>(e.data.size()));
        Put16(central, static_cast<std::uint32_t>(e.name.size()));
        Put16(central, 0);  // extra field
        Put16(central, 0);  // comment
        Put16(central, 0);  // disk number
        Put16(central, 0);  // internal attributes
        Put32(central, kRegularFileRwR);
        Put32(central, static_cast<std::uint32_t>(offset));
        central += e.name;
    }
    const std::uint64_t centralOffset = out.size();
    if (centralOffset + central.size() + 22 >= 0xFFFFFFFFull) throw std::invalid_argument("The archive grows beyond 4 GiB");
    out += central;
    Put32(out, 0x06054b50);  // end of central directory
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    Put32(out, static_cast<std::uint32_t>(central.size()));
    Put32(out, static_cast<std::uint32_t>(centralOffset));
    Put16(out, 0);  // comment
    return out;
}

std::pair<std::uint16_t, std::uint16_t> DosTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (!localtime_r(&now, &tm) || tm.tm_year < 80) return {0, (1 << 5) | 1};  // 1980-01-01
    const auto time = static_cast<std::uint16_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
    const auto date = static_cast<std::uint16_t>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
    return {time, date};
}

}  // namespace quill
