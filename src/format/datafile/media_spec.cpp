#include "datafile/media_spec.h"

#include "datafile/data_file.h"
#include "project/file_names.h"
#include "text/cp1252.h"

namespace quill {

namespace {

bool Holds(const std::string& part, std::string_view what) { return part.find(what) != std::string::npos; }

}  // namespace

MediaSpec ParseMediaSpec(std::string_view spec) {
    MediaSpec out;
    const std::string upper = UpperCaseCp1252(std::string(spec));
    std::size_t start = 0;
    for (int part = 0; part < 6 && start <= upper.size(); ++part) {
        auto comma = upper.find(',', start);
        const std::string text = upper.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (Holds(text, ".BMP") || Holds(text, ".JPG") || Holds(text, ".WMF")) {
            out.graphic = TrimBlanks(text);
        } else if (Holds(text, ".WAV") || Holds(text, ".MID")) {
            out.sound = TrimBlanks(text);
        } else if (Holds(text, ".AVI")) {
            out.video = TrimBlanks(text);
        } else if (auto n = ParseInt32(text)) {
            out.durationMs = static_cast<long long>(*n) * 100;
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (out.durationMs < 0) out.durationMs = 0;
    return out;
}

}  // namespace quill
