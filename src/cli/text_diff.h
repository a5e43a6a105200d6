#pragma once
// Line differences of two texts as a unified diff (the form `diff -u` and version control
// print), for comparing a run's transcript with the one kept.
#include <string>
#include <string_view>
#include <vector>

namespace quillc {

// The unified diff turning `before` into `after`, with `context` lines around each change and
// the headers "--- beforeName" and "+++ afterName"; empty when the texts are equal.
std::string UnifiedDiff(const std::vector<std::string>& before, const std::vector<std::string>& after,
                        const std::string& beforeName, const std::string& afterName, int context = 3);

}  // namespace quillc
