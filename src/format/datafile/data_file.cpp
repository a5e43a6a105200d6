#include "datafile/data_file.h"

#include "project/tutorial_folder.h"

#include <array>
#include <cstring>
#include <limits>
#include <system_error>
#include <unordered_map>

#include "datafile/color_notation.h"
#include "datafile/line_cursor.h"
#include "project/file_names.h"
#include "project/project_path.h"
#include "text/cp1252.h"
#include "text/errors.h"
#include "text/file_lookup.h"
#include "text/text_file.h"

namespace quill {

namespace fs = std::filesystem;

namespace {

// EqualsIgnoringCase through a table: names are compared at every header of the file.
bool SameIgnoringCase(std::string_view a, std::string_view b) {
    static const auto upper = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = UpperCp1252(static_cast<unsigned char>(i));
        return t;
    }();
    if (a.size() != b.size()) return false;
    // From the end: names of one file often share their beginning ("Step 1", "Step 2").
    for (std::size_t i = a.size(); i-- > 0;) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y && upper[x] != upper[y]) return false;
    }
    return true;
}

// A name that a header line can carry: one without line ends.
bool CanBeEntryName(std::string_view name) {
    return name.find('\r') == std::string_view::npos && name.find('\n') == std::string_view::npos;
}

// True when the text (at the start of a line beginning with "[") is a header line of the entry
// name, that is "[" + name + one more character, and the line ends there; decided without
// reading further than the header could reach. The name must pass CanBeEntryName.
bool HeaderIsNamed(std::string_view text, std::string_view name) {
    const std::size_t len = name.size();
    if (text.size() < len + 2) return false;
    const char last = text[len + 1];
    if (last == '\r' || last == '\n') return false;
    if (text.size() > len + 2 && text[len + 2] != '\r' && text[len + 2] != '\n') return false;
    return SameIgnoringCase(text.substr(1, len), name);
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}
bool IsHeader(std::string_view line) { return !line.empty() && line.front() == '['; }

// The entry name: the header line without its first and last character.
std::string_view HeaderName(std::string_view header) {
    return header.size() >= 2 ? header.substr(1, header.size() - 2) : std::string_view();
}
// A line's text from the given 0-based position on (empty when the line is shorter).
std::string_view From(std::string_view line, std::size_t pos) {
    return line.size() > pos ? line.substr(pos) : std::string_view();
}
// The source value of a source line as the entry lookups read it: after "source=".
std::string_view SourceValue(std::string_view line) { return From(line, 7); }
// A key line's value: the text after its first "=" (the whole line when it has none).
std::string_view ValueAfterEquals(std::string_view line) {
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? line : line.substr(eq + 1);
}

// The data file is read and written through the folder it lies in (the tutorial folder).
TutorialFolder FolderOf(const fs::path& file) {
    return TutorialFolder(file.has_parent_path() ? file.parent_path() : fs::path("."));
}

// The file's bytes, or nullopt when it does not exist. A data file that is a link leading out
// of its folder (the tutorial's folder) is not read: its entries would show, and a rewrite
// would copy, a file from elsewhere. The folder layer refuses it as it opens the file.
std::optional<FileBytes> ReadBytesIfExists(const fs::path& file) {
    try {
        return FolderOf(file).ReadIfPresent(file);
    } catch (const OutsideFolderError&) {
        throw IoError("Cannot read the tutorial data file " + DisplayName(file) +
                      ": it leads outside the tutorial folder");
    }
}

std::optional<std::string> ReadIfExists(const fs::path& file) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return std::nullopt;
    return std::string(bytes->view());
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

// Appends the lines at the end of the file (created when absent), atomically.
void AppendEntry(const fs::path& file, const TextLines& lines) {
    const std::string data = ReadIfExists(file).value_or(std::string());
    const std::string entry = JoinLinesCrLf(lines);
    // A file whose last line has no line end (edited by hand) gets one, so the new header
    // starts a line of its own.
    const bool open = !data.empty() && data.back() != '\n' && data.back() != '\r';
    const std::string_view pieces[] = {data, open ? "\r\n" : "", entry};
    FolderOf(file).Replace(file, pieces);
}

bool HasNonEmptyLine(std::string_view text) {
    for (const char c : text)
        if (c != '\r' && c != '\n') return true;
    return false;
}

// Writes the rewritten content, or deletes the file when only empty lines remain.
void StoreRewrite(const fs::path& file, std::span<const std::string_view> pieces) {
    bool any = false;
    for (const auto piece : pieces) any = any || HasNonEmptyLine(piece);
    if (!any) {
        FolderOf(file).Remove(file);
        return;
    }
    FolderOf(file).Replace(file, pieces);
}

// True when the cursor stands at an entry's header: a line beginning with "[" followed by its
// "source=" line.
bool StartsEntry(const LineCursor& at) {
    LineCursor ahead = at;
    std::string_view header, sourceLine;
    return ahead.next(header) && IsHeader(header) && ahead.next(sourceLine) && sourceLine.size() >= 7 &&
           SameIgnoringCase(sourceLine.substr(0, 7), "source=");
}

// Rewrites the file with every entry (name, source) replaced by `replacement` (nothing for a
// deletion). The lines around the entries are written through as they are. Returns false when
// no entry matched (the file is then left untouched, except that a file of empty lines only is
// deleted).
bool RewriteEntries(const fs::path& file, const std::string& data, std::string_view name,
                    std::string_view source, const TextLines* replacement,
                    const TextLines* appended = nullptr, bool* damaged = nullptr) {
    if (!CanBeEntryName(name)) return false;
    const std::string newEntry = replacement ? JoinLinesCrLf(*replacement) : std::string();
    std::vector<std::string_view> pieces;  // the new file: parts of data and new entries
    const std::string_view all(data);
    std::size_t copied = 0;  // the bytes of data before this position are in pieces
    bool matched = false;
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.seekLineStartingWith('[')) {
        if (!HeaderIsNamed(cursor.rest(), name)) {
            cursor.skipByte();
            continue;
        }
        const std::size_t headerStart = cursor.position();
        cursor.next(line);
        std::string_view sourceLine;
        if (!cursor.next(sourceLine)) break;  // a header on the last line: not an entry
        if (!SameIgnoringCase(SourceValue(sourceLine), source)) continue;
        matched = true;
        pieces.push_back(all.substr(copied, headerStart - copied));
        // The entry runs to its "]" line. An entry cut short (no "]" before the next entry)
        // ends where the next entry's header begins: that entry is not part of it.
        bool closed = false;
        for (;;) {
            if (StartsEntry(cursor)) break;
            std::string_view skipped;
            if (!cursor.next(skipped)) break;
            if (skipped == "]") {
                closed = true;
                break;
            }
        }
        if (!closed && damaged) *damaged = true;
        pieces.push_back(newEntry);
        // The empty separator line after the entry goes with it. Anything else there (a
        // hand-edited file without separators) belongs to what follows and is kept.
        if (closed) {
            LineCursor ahead = cursor;
            std::string_view separator;
            if (ahead.next(separator) && separator.empty()) cursor = ahead;
        }
        copied = cursor.position();
    }
    pieces.push_back(all.substr(copied));
    // An entry that goes to the end of the file is written with the same rewrite.
    const std::string tail = appended ? JoinLinesCrLf(*appended) : std::string();
    if (matched && appended) {
        const std::string_view rest = all.substr(copied);
        const bool open = !rest.empty() && rest.back() != '\n' && rest.back() != '\r';
        if (open) pieces.push_back("\r\n");
        pieces.push_back(tail);
    }
    if (!matched) {
        if (!HasNonEmptyLine(data)) StoreRewrite(file, pieces);
        return false;
    }
    StoreRewrite(file, pieces);
    return true;
}

void ModifyEntry(const fs::path& file, std::string_view oldName, std::string_view source,
                 const TextLines& entry) {
    auto data = ReadIfExists(file);
    if (data && RewriteEntries(file, *data, oldName, source, &entry)) return;
    AppendEntry(file, entry);
}

std::string SourceLine(std::string_view source) { return "source=" + UpperAscii(source); }
std::string Bracketed(std::string_view name) { return "[" + std::string(name) + "]"; }
const char* BoolText(bool b) { return b ? "true" : "false"; }

}  // namespace

std::string HyperWordTooLong(std::string_view word) {
    return "The HyperText Link \"" + std::string(word) + "\" is " + std::to_string(word.size()) +
           " characters long: the player reads at most " + std::to_string(kMaxHyperWordLength) +
           " characters of a link, so shorten the phrase.";
}

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// --- Reading -------------------------------------------------------------------------------

bool HasEntryOfSource(const fs::path& file, std::string_view source) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return {};
    const std::string_view data = bytes->view();
    const std::string wanted = SourceLine(source);
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.nextStartingWith('[', line))
        if (cursor.nextOrEmpty() == wanted) return true;
    return false;
}

void ListEntryNames(TextLines& list, const fs::path& file, std::string_view source) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return;
    const std::string_view data = bytes->view();
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.nextStartingWith('[', line)) {
        if (SameIgnoringCase(ValueAfterEquals(cursor.nextOrEmpty()), source))
            list.emplace_back(HeaderName(line));
    }
}

bool LoadEntry(const fs::path& file, std::string_view name, std::string_view source,
               TextLines& list) {
    if (!CanBeEntryName(name)) return false;
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return false;
    const std::string_view data = bytes->view();
    // The headers are found with memchr on the whole file and each is tested in place against
    // the upper-cased name (as HeaderIsNamed does, one table look-up a byte); only an entry of that name
    // is walked line by line. A later entry of the name replaces an earlier one.
    const std::string wanted = UpperCaseCp1252(name);
    const std::size_t len = wanted.size();
    const char* const begin = data.data();
    const char* const end = begin + data.size();
    auto named = [&](const char* header) {
        // "[" + name + one more character, and the line ends there.
        if (static_cast<std::size_t>(end - header) < len + 2) return false;
        const char last = header[len + 1];
        if (last == '\r' || last == '\n') return false;
        if (static_cast<std::size_t>(end - header) > len + 2 && header[len + 2] != '\r' && header[len + 2] != '\n')
            return false;
        for (std::size_t i = len; i-- > 0;)  // from the end: names often share their beginning
            if (kUpperCp1252[static_cast<unsigned char>(header[1 + i])] != static_cast<unsigned char>(wanted[i]))
                return false;
        return true;
    };
    bool found = false;
    const char* from = begin;
    while (from < end) {
        const auto* at = static_cast<const char*>(std::memchr(from, '[', static_cast<std::size_t>(end - from)));
        if (!at) break;
        from = at + 1;
        if (at != begin && at[-1] != '\n' && at[-1] != '\r') continue;  // not at a line start
        if (!named(at)) continue;
        LineCursor cursor(data.substr(static_cast<std::size_t>(at - begin)));
        std::string_view line;
        cursor.next(line);
        const std::string_view sourceLine = cursor.nextOrEmpty();
        from = at + cursor.position();
        if (!SameIgnoringCase(SourceValue(sourceLine), source)) continue;
        list.clear();
        list.emplace_back(HeaderName(line));
        list.emplace_back(sourceLine);
        std::string_view body;
        while (cursor.next(body)) {
            list.emplace_back(body);
            if (body == "]") break;
        }
        from = at + cursor.position();
        found = true;
    }
    return found;
}

std::vector<TextLines> LoadEntriesOfSource(const fs::path& file, std::string_view source) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return {};
    const std::string_view data = bytes->view();
    struct Found {
        std::string_view name;
        bool listed;      // ListEntryNames lists it
        bool loadable;    // LoadEntry finds it under its name
        TextLines lines;  // as LoadEntry gives them (only when loadable)
    };
    std::vector<Found> entries;
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.nextStartingWith('[', line)) {
        const std::string_view sourceLine = cursor.nextOrEmpty();
        // A header of "[" alone names no entry LoadEntry could find ("[" + name + one more).
        Found f{HeaderName(line), SameIgnoringCase(ValueAfterEquals(sourceLine), source),
                line.size() >= 2 && SameIgnoringCase(SourceValue(sourceLine), source), {}};
        if (!f.listed && !f.loadable) continue;
        if (f.loadable) {
            f.lines.emplace_back(f.name);
            f.lines.emplace_back(sourceLine);
            LineCursor body = cursor;
            std::string_view l;
            while (body.next(l)) {
                f.lines.emplace_back(l);
                if (l == "]") break;
            }
        }
        entries.push_back(std::move(f));
    }
    // The later of equal entries wins, as in LoadEntry.
    std::unordered_map<std::string, std::size_t> lastLoadable;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].loadable) lastLoadable[UpperCaseCp1252(entries[i].name)] = i;
    std::vector<TextLines> result;
    for (const auto& f : entries) {
        if (!f.listed) continue;
        const auto it = lastLoadable.find(UpperCaseCp1252(f.name));
        if (it != lastLoadable.end()) result.push_back(entries[it->second].lines);
    }
    return result;
}

bool NameInUse(const fs::path& file, std::string_view newName, std::string_view oldName,
               std::string_view source) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return false;
    if (SameIgnoringCase(newName, oldName)) return false;
    TextLines entry;
    return LoadEntry(file, newName, source, entry);
}

void ParseTextEntry(const TextLines& entry, TScreenBackground& s, TextLines& text) {
    auto value = [&](std::size_t i) -> std::optional<std::string_view> {
        if (i >= entry.size()) return std::nullopt;
        return ValueAfterEquals(entry[i]);
    };
    auto readInt = [&](std::size_t i, std::int32_t& field) {
        if (auto v = value(i))
            if (auto n = ParseInt32(*v)) field = *n;
    };
    auto readColor = [&](std::size_t i, std::uint32_t& field) {
        if (auto v = value(i))
            if (auto c = StringToColor(*v)) field = *c;
    };
    auto readBool = [&](std::size_t i, bool& field) {
        if (i < entry.size()) field = entry[i].find("true") != std::string::npos;
    };
    auto readFile = [&](std::size_t i, std::string& field) {
        if (auto v = value(i)) field = std::string(v->substr(0, kScreenFileCapacity));
    };
    readInt(3, s.ScreenType);
    readBool(4, s.TextWindowOff);
    readColor(5, s.ScreenColor);
    readFile(6, s.GraphicFile);
    readFile(7, s.WallpaperFile);
    readColor(8, s.WindowColor);
    readInt(9, s.WindowLeft);
    readInt(10, s.WindowTop);
    readInt(11, s.WindowWidth);
    readInt(12, s.WindowHeight);
    readBool(15, s.PrintOn);
    for (std::size_t i = 17; i < entry.size(); ++i) text.push_back(entry[i]);
}

bool LoadIntroduction(const fs::path& file, TextLines& text) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return {};
    const std::string_view data = bytes->view();
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.nextStartingWith('[', line)) {
        if (!StartsWith(line, "[^INTRO")) continue;
        cursor.nextOrEmpty();  // source=INTRO
        cursor.nextOrEmpty();  // text=
        while (cursor.next(line)) {
            if (StartsWith(line, "]")) break;
            text.emplace_back(line);
        }
        return true;
    }
    return false;
}

bool LoadWindowText(const fs::path& file, std::string_view name, std::string& color,
                    TextLines& text) {
    if (!CanBeEntryName(name)) return false;
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return {};
    const std::string_view data = bytes->view();
    LineCursor cursor(data);
    std::string_view line;
    while (cursor.seekLineStartingWith('[')) {
        if (!HeaderIsNamed(cursor.rest(), name)) {
            cursor.skipByte();
            continue;
        }
        cursor.next(line);
        if (!SameIgnoringCase(SourceValue(cursor.nextOrEmpty()), kSourceWinText)) continue;
        color = std::string(From(cursor.nextOrEmpty(), 6));
        cursor.nextOrEmpty();  // text=
        while (cursor.next(line)) {
            if (StartsWith(line, "]")) break;
            text.emplace_back(line);
        }
        return true;
    }
    return false;
}

// --- Writing -------------------------------------------------------------------------------

TextLines CommandEntryLines(std::string_view name, int typeCode, std::string_view source,
                            std::string_view command) {
    return {Bracketed(name),  SourceLine(source), "type=" + std::to_string(typeCode),
            "command=" + std::string(command), "]", ""};
}

TextLines TextEntryLines(std::string_view name, int typeCode, std::string_view source,
                         const TextLines& text, const TScreenBackground& s) {
    TextLines lines = {
        Bracketed(name),
        SourceLine(source),
        "type=" + std::to_string(typeCode),
        "displaytype=" + std::to_string(s.ScreenType),
        std::string("fullscreen=") + BoolText(s.TextWindowOff),
        "Sbackcolor=" + ColorToString(s.ScreenColor),
        "SGraphic=" + s.GraphicFile,
        "SWallpaper=" + s.WallpaperFile,
        "VPBack=" + ColorToString(s.WindowColor),
        "VPLeft=" + std::to_string(s.WindowLeft),
        "VPTop=" + std::to_string(s.WindowTop),
        "VPWidth=" + std::to_string(s.WindowWidth),
        "VPHeight=" + std::to_string(s.WindowHeight),
        "RLTop=" + std::to_string(s.RLTop),
        "RLLeft=" + std::to_string(s.RLLeft),
        std::string("print=") + BoolText(s.PrintOn),
        "text=",
    };
    lines.insert(lines.end(), text.begin(), text.end());
    lines.emplace_back("]");
    lines.emplace_back("");
    return lines;
}

namespace {

TextLines IntroductionLines(const TextLines& text) {
    TextLines lines = {std::string(kIntroductionHeader), "source=INTRO", "text="};
    lines.insert(lines.end(), text.begin(), text.end());
    lines.emplace_back("]");
    return lines;
}

}  // namespace

void AddCommandEntry(const fs::path& file, std::string_view name, int typeCode,
                     std::string_view source, std::string_view command) {
    AppendEntry(file, CommandEntryLines(name, typeCode, source, command));
}

void AddTextEntry(const fs::path& file, std::string_view name, int typeCode,
                  std::string_view source, const TextLines& text, const TScreenBackground& s) {
    AppendEntry(file, TextEntryLines(name, typeCode, source, text, s));
}

void AddIntroduction(const fs::path& file, const TextLines& text) {
    TextLines lines = IntroductionLines(text);
    lines.emplace_back("");
    AppendEntry(file, lines);
}

void AddWindowText(const fs::path& file, std::string_view name, std::string_view color,
                   const TextLines& text) {
    TextLines lines = {Bracketed(name), "source=WINTEXT", "color=" + std::string(color), "text="};
    lines.insert(lines.end(), text.begin(), text.end());
    lines.emplace_back("]");
    lines.emplace_back("");
    AppendEntry(file, lines);
}

void ReplaceWindowText(const fs::path& file, std::string_view oldName, std::string_view newName,
                       std::string_view color, const TextLines& text) {
    TextLines lines = {Bracketed(newName), "source=WINTEXT", "color=" + std::string(color), "text="};
    lines.insert(lines.end(), text.begin(), text.end());
    lines.emplace_back("]");
    lines.emplace_back("");
    const auto data = ReadIfExists(file);
    if (data && RewriteEntries(file, *data, oldName, kSourceWinText, nullptr, &lines)) return;
    AppendEntry(file, lines);
}

void ModifyCommandEntry(const fs::path& file, std::string_view newName, std::string_view oldName,
                        std::string_view source, std::string_view command, int typeCode) {
    ModifyEntry(file, oldName, source, CommandEntryLines(newName, typeCode, source, command));
}

void ModifyTextEntry(const fs::path& file, std::string_view newName, std::string_view oldName,
                     std::string_view source, const TextLines& text, const TScreenBackground& s,
                     int typeCode) {
    ModifyEntry(file, oldName, source, TextEntryLines(newName, typeCode, source, text, s));
}

bool DeleteEntry(const fs::path& file, std::string_view name, std::string_view source) {
    const auto data = ReadIfExists(file);
    if (!data) return false;
    bool damaged = false;
    RewriteEntries(file, *data, name, source, nullptr, nullptr, &damaged);
    return damaged;
}

void ReplaceIntroduction(const fs::path& file, const TextLines& text) {
    const auto data = ReadIfExists(file);
    if (!data) {
        AddIntroduction(file, text);
        return;
    }
    const TextLines entry = IntroductionLines(text);
    std::string out;
    out.reserve(data->size() + 256);
    std::size_t copied = 0;  // the bytes before this position are in out
    bool replaced = false;
    LineCursor cursor(*data);
    std::string_view line;
    while (cursor.nextStartingWith('[', line)) {
        if (!StartsWith(line, "[^INTRO")) continue;
        out.append(*data, copied, static_cast<std::size_t>(line.data() - data->data()) - copied);
        while (cursor.next(line))
            if (line == "]") break;
        // The separator line after it stays, as an ordinary line.
        for (const auto& l : entry) AppendLine(out, l);
        copied = cursor.position();
        replaced = true;
    }
    out.append(*data, copied);
    if (!replaced) {
        AddIntroduction(file, text);
        return;
    }
    FolderOf(file).Replace(file, out);
}

// --- Compiled data image -------------------------------------------------------------------

namespace {

void PutI32(std::string& image, std::size_t off, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) image[off + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

// string[capacity] at off: length byte, the characters, zero bytes up to the capacity.
void PutShortString(std::string& image, std::size_t off, std::size_t capacity,
                    std::string_view text) {
    const std::size_t len = text.size() < capacity ? text.size() : capacity;
    image[off] = static_cast<char>(len);
    if (len) std::memcpy(image.data() + off + 1, text.data(), len);
}

std::int32_t Offset32(std::size_t value) {
    if (value > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw FormatError("The tutorial data file is too large to compile: its compiled image "
                          "would pass 2 GB.");
    return static_cast<std::int32_t>(value);
}

struct IndexRecord {
    std::string_view header;
    std::size_t bodyOffset = 0;
    std::size_t bodyLength = 0;
    std::string_view source;
};

}  // namespace

std::string BuildCompiledImage(std::string_view data) {
    std::string image(kImageHeaderSize, '\0');
    PutShortString(image, 0, 4, "QR1");

    std::vector<IndexRecord> records;
    std::vector<std::string_view> body;
    IndexRecord current;
    bool open = false;
    bool inside = true;

    auto flush = [&] {
        for (auto l : body) AppendLine(image, l);
        current.bodyLength = image.size() - current.bodyOffset;
        records.push_back(current);
    };

    LineCursor cursor(data);
    std::string_view line;
    while (cursor.next(line)) {
        if (!line.empty() && line.front() == ']') {
            inside = false;
        } else if (IsHeader(line)) {
            const std::string_view sourceLine = cursor.nextOrEmpty();
            const std::string_view source =
                sourceLine.size() > 7 ? sourceLine.substr(7, 10) : std::string_view();
            if (open) flush();
            open = true;
            body.clear();
            body.push_back(line);
            body.push_back(source);
            inside = true;
            current.header = line;
            current.source = source;
            current.bodyOffset = image.size();
        } else if (inside) {
            body.push_back(line);
        }
    }
    if (open) flush();

    if (!records.empty()) {
        const std::size_t indexOffset = image.size();
        PutI32(image, 5, Offset32(records.size()));
        PutI32(image, 9, Offset32(indexOffset));
        image.resize(indexOffset + records.size() * kImageIndexRecordSize, '\0');
        std::size_t at = indexOffset;
        for (const auto& r : records) {
            PutShortString(image, at, 60, r.header);
            PutI32(image, at + 61, Offset32(r.bodyOffset));
            PutI32(image, at + 65, Offset32(r.bodyLength));
            PutShortString(image, at + 69, 10, r.source);
            at += kImageIndexRecordSize;
        }
    }
    return image;
}

std::optional<std::string> CompiledDataImage(const fs::path& file) {
    const auto bytes = ReadBytesIfExists(file);
    if (!bytes) return {};
    const std::string_view data = bytes->view();
    return BuildCompiledImage(data);
}

bool PackDataFile(const fs::path& file, std::string_view extension) {
    const auto image = CompiledDataImage(file);
    if (!image) return false;
    const fs::path target =
        file.parent_path() / Cp1252ToPath(NameOnly(DiskNameToCp1252(file.filename())) + "." +
                                          std::string(extension));
    FolderOf(target).Replace(target, *image);
    return true;
}

}  // namespace quill
