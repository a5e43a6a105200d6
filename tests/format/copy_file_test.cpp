#include <gtest/gtest.h>

#include "project/file_names.h"
#include "test_folder.h"

using namespace quill;
using quill::test::TempFolder;

// CopyFileTo lets the kernel copy where it can and reads the file itself where the kernel
// reports nothing to copy (files of /proc, empty files).
TEST(CopyFileTo, KernelCopyAndItsFallback) {
    TempFolder tmp;
    std::string big(3u << 20, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 31 + i / 997);
    const auto source = tmp.write("big.bin", big);
    tmp.write("out/big.bin", "older and longer content that must go");
    CopyFileTo(source, tmp / "out");
    EXPECT_EQ(TempFolder::read(tmp / "out/big.bin"), big);

    CopyFileTo(tmp.write("empty", ""), tmp / "empty.copy");
    EXPECT_EQ(TempFolder::read(tmp / "empty.copy"), "");

    CopyFileTo("/proc/self/status", tmp / "status");
    EXPECT_NE(TempFolder::read(tmp / "status").find("Name:"), std::string::npos);
}
