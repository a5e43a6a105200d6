#pragma once
// What the choosers, the media preview, the program launcher, the entry viewers and the notes
// editor work with: the open project (its folder, its records), the platform services (boxes,
// dialogs, help) and the outside services (programs, the desktop's handler, sound).
namespace quill {

class Project;
struct Platform;
class SystemServices;

struct AidsContext {
    Project& project;
    Platform& platform;
    SystemServices& system;
};

}  // namespace quill
