#pragma once
// The small shared routines for names, numbers and files of a project.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// The file name without folder and extension: "C:\T\SAFETY1.QKS" gives "SAFETY1". Both '\' and
// '/' separate folders.
std::string NameOnly(std::string_view path);

// The name with its extension replaced by (or extended with) `ext` (".QKJ").
std::string ChangeExtension(std::string_view name, std::string_view ext);

// False when the text holds any of  " * + , / : ; < = > ? [ ] |  and true otherwise, also for
// the empty text. Backslash and period are allowed.
bool IsValidFileName(std::string_view text);

// The whole text as a 32-bit integer, in the forms stored projects and chapters use:
// leading blanks, then an optional sign, then decimal digits or "$" and hexadecimal digits.
// Decimal must lie in the 32-bit signed range; hexadecimal may use all 32 bits ($FFFFFFFF is
// -1). Anything else (trailing blanks, empty text, a lone sign) is not a number.
std::optional<std::int32_t> ParseInt32(std::string_view text);
// The same into `value`, false when the text is not a number. For hot loops (the operand reader
// reads every number of a chapter through it): the usual one to four digits are read inline,
// and no std::optional is built on the way.
inline bool ReadInt32(std::string_view text, std::int32_t& value) {
    if (!text.empty() && text.size() <= 4) {
        unsigned v = 0;
        bool digits = true;
        for (const char c : text) {
            const unsigned d = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
            digits &= d < 10;
            v = v * 10 + d;
        }
        if (digits) {
            value = static_cast<std::int32_t>(v);
            return true;
        }
    }
    const auto parsed = ParseInt32(text);
    if (parsed) value = *parsed;
    return parsed.has_value();
}
inline bool IsNumber(std::string_view text) { return ParseInt32(text).has_value(); }

// word := text up to the first blank; the word and that one blank are removed from text. With
// no blank the whole text is the word and text becomes empty.
void TakeWord(std::string& text, std::string& word);
std::string TakeWord(std::string& text);

// Windows file attribute bits, and how they are read on Linux.
enum FileAttribute : unsigned {
    faReadOnly = 0x01,   // the file cannot be written by this process
    faHidden = 0x02,     // the name begins with '.'
    faSysFile = 0x04,    // neither a regular file nor a folder (device, socket, pipe)
    faVolumeID = 0x08,   // never set: Linux has no volume-label entries
    faDirectory = 0x10,  // a folder
    faArchive = 0x20,    // a regular file (Linux keeps no archive bit; every file counts)
};
unsigned FileAttributesOf(const std::filesystem::path& file);  // 0 when it does not exist
// True when the file exists and all bits of mask are set in its attributes.
bool FileHasAttributes(const std::filesystem::path& file, unsigned mask);

// The first (in listing order) bare name in the project folder matching the mask.
std::optional<std::string> FindInProject(const std::filesystem::path& projectDir,
                                         std::string_view pattern);
// True when either mask matches; the second is searched only when the first finds nothing.
// `name` receives the match of the last search made, and only when it is empty.
bool FindEitherInProject(const std::filesystem::path& projectDir, std::string_view pattern1,
                         std::string_view pattern2, std::string& name);

// Byte copy. When destination is an existing folder the copy goes into it under the source's
// name. Throws IoError naming the file that could not be opened, created or written.
void CopyFileTo(const std::filesystem::path& source, const std::filesystem::path& destination);
// The same from a file already open for reading (closed here in every case; `shown` names it)
// to the file `target`.
void CopyOpenFileTo(int source, const std::filesystem::path& shown, const std::filesystem::path& target);

// Result codes of CopyFileBlocks.
enum CopyResult : int {
    CopyOk = 0,
    CopySameFile = 1,       // source and target are the same file: nothing copied
    CopyNoSource = 2,       // the source cannot be opened
    CopyNoTarget = 3,       // the target cannot be created
    CopyShortWrite = 4,     // a block was written short (disk full)
};
int CopyFileBlocks(const std::filesystem::path& source, const std::filesystem::path& target);

// The question asked before a chosen file is copied into the project.
std::string CopyFileQuestion(std::string_view bareName);

// Copying a file chosen in an open-file dialog into the project folder, as every "Find File"
// button does. `confirm` asks CopyFileQuestion(name) and returns true for Yes. On Yes, and only
// when no file of that name (ignoring case) is in the project folder yet, the file is copied
// in; an existing file is never overwritten. Returns the field's new text: the bare name when
// a file of that name now exists in the project folder, otherwise `fieldText` unchanged; a
// result that is not a valid file name (still the mask "*.ICO", say) is replaced by the first
// project file matching `mask`. Copy failures throw IoError.
std::string CopyChosenFileIntoProject(const std::filesystem::path& projectDir,
                                      const std::filesystem::path& picked,
                                      const std::string& fieldText, std::string_view mask,
                                      const std::function<bool(const std::string&)>& confirm);

}  // namespace quill
