#pragma once
// The screen a chapter shows at its first wait for a control button, as the learner's screen
// draws it: what a designer's preview is compared with.
#include <QImage>
#include <fstream>
#include <string>
#include <vector>

#include "engine/chapter_player.h"
#include "headless_host.h"
#include "project/project.h"
#include "screen/screen_render.h"
#include "screen/text_screen.h"

namespace quill::test {

// Plays the chapter lines (written as PLAYED.QKS into the project folder) and gives the picture
// at the first wait for a button.
inline QImage PlayedScreen(const Project& project, const std::vector<std::string>& lines) {
    std::ofstream out(project.ProjectDir / "PLAYED.QKS", std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
    out.close();
    struct Host : HeadlessHost {
        using HeadlessHost::HeadlessHost;
        const TextScreen* shown = nullptr;
        QImage picture;
        ControlButton waitForButton() override {
            if (picture.isNull()) picture = RenderScreen(*shown);
            return HeadlessHost::waitForButton();
        }
    } host;
    TextScreen screen(project.Config, project.ProjectDir, &host);
    host.setScreen(&screen);
    host.shown = &screen;
    ChapterPlayer player(project, screen, host);
    player.run("PLAYED");
    return host.picture;
}

}  // namespace quill::test
