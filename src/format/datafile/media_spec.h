#pragma once
// The command of a media entry or media chooser ("PICTURE.BMP,50", "PIC.JPG,SOUND.WAV,0",
// "FILM.AVI") taken apart: what the media preview plays and what the course checker looks for
// in the folder.
#include <string>
#include <string_view>

namespace quill {

// Its text is upper-cased and split at every "," into at most six parts; a part holding ".BMP",
// ".JPG" or ".WMF" is the graphic, ".WAV" or ".MID" the sound, ".AVI" the video, and a part that
// reads as a number the duration in tenths of a second. Names lose their surrounding blanks.
struct MediaSpec {
    std::string graphic, sound, video;  // upper-cased names, empty when not named
    long long durationMs = 0;           // 0: no time limit
    bool operator==(const MediaSpec&) const = default;
};
MediaSpec ParseMediaSpec(std::string_view spec);

// The first file the media entry names that `exists` does not find, in the order the preview opens them
// (the video, else the graphic, then the sound); empty when every named file is there.
template <typename Exists>
std::string FirstMissingMediaFile(const MediaSpec& spec, Exists&& exists) {
    if (!spec.video.empty()) return exists(spec.video) ? std::string() : spec.video;
    for (const std::string* name : {&spec.graphic, &spec.sound})
        if (!name->empty() && !exists(*name)) return *name;
    return {};
}

}  // namespace quill
