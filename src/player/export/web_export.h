#pragma once
// The web export: a folder that plays the whole tutorial in a browser, opened with a double click
// (no server) or from any static web server. It holds the page (index.html), the engine built for
// WebAssembly in one script (quill_engine.js), the page's player (quill_player.js), the learning
// management system bridge (quill_lms.js) and the tutorial itself in one script
// (quill_tutorial.js): its compiled chapters and data file, every file the distribution list
// names, with pictures converted to raw pixels (screen/raw_picture.h), its rich texts converted to
// HTML, and the screen font's glyph masks, so the browser draws the screen as the desktop does.
#include <filesystem>
#include <functional>
#include <string>

namespace quill {

// The folder that holds the page's files (quill_engine.js, quill_player.js, quill_lms.js,
// index.html, quill_player.css): $QUILL_WEB_DIR when set, else "web" beside the program, else
// <prefix>/share/quillmark/web. Empty when none holds quill_engine.js.
std::filesystem::path WebRuntimeFolder();

// Called before each step: (step from 0, count, what is done, UTF-8).
using WebExportProgress = std::function<void(int, int, const std::string&)>;

// Compiles the tutorial of the project file (as "Compile all" does) and writes the web folder.
// The folder is made when needed and must not be the project folder; files of an earlier export
// in it are replaced, others left alone. False with the reason in *error (UTF-8, naming the file)
// when the tutorial does not compile, a file it names is missing or cannot be read, or the folder
// cannot be written; nothing of the export is then left half-written (each file is replaced
// atomically).
bool ExportWebFolder(const std::filesystem::path& project, const std::filesystem::path& folder,
                     std::string* error);
bool ExportWebFolder(const std::filesystem::path& project, const std::filesystem::path& folder,
                     std::string* error, const WebExportProgress& progress,
                     const std::filesystem::path& runtimeFolder = {});

}  // namespace quill
