#include <gtest/gtest.h>

#include <QLabel>

#include "app/main_form.h"

using namespace quill;

TEST(MainForm, ShowsNoneSelectedWithoutProject) {
    Project project("/tmp");
    TQMKmainform form(project);
    auto* label = form.findChild<QLabel*>("ProjectLbl");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "None Selected");
    project.ProjectFile = "SAFETY.QKJ";
    project.ProjectName = "SAFETY";
    form.UpdateProjectLabel();
    EXPECT_EQ(label->text(), "SAFETY");
}
