// Pictures in the web build: the export has written every picture of the tutorial as a raw
// picture (screen/raw_picture.h) under its own name, so reading one is copying its pixels.
#include "project/tutorial_folder.h"
#include "screen/picture_reader.h"
#include "screen/raw_picture.h"

namespace quill {

Image ReadPicture(const TutorialFolder& folder, const std::filesystem::path& file, Text* why) {
    std::string bytes;
    try {
        bytes = folder.Read(file);
    } catch (const std::exception& e) {
        if (why) *why = e.what();
        return {};
    }
    const auto picture = ParseRawPicture(bytes);
    if (!picture) {
        if (why) *why = "the web export did not convert it into a picture the browser can show";
        return {};
    }
    Image image(picture->width, picture->height);
    auto* out = reinterpret_cast<std::uint32_t*>(image.bits());
    std::copy(picture->pixels.begin(), picture->pixels.end(), out);
    return image;
}

}  // namespace quill
