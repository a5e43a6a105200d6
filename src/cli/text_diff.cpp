#include "text_diff.h"

#include <algorithm>

namespace quillc {

namespace {

enum class Op { Same, Removed, Added };
struct Edit {
    Op op;
    int before, after;  // line indexes (0-based) in each text; -1 where the line is not there
};

// The shortest edit script (Myers): at each number of differences d the furthest reach on each
// diagonal, kept per step to walk back. Past kMaxDifferences the texts are taken as replaced
// whole: a diff that long is not read line by line anyway.
constexpr int kMaxDifferences = 4000;

std::vector<Edit> Edits(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
    // Common head and tail first: most transcripts differ in a few places.
    int head = 0;
    while (head < n && head < m && a[static_cast<std::size_t>(head)] == b[static_cast<std::size_t>(head)]) ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head &&
           a[static_cast<std::size_t>(n - 1 - tail)] == b[static_cast<std::size_t>(m - 1 - tail)])
        ++tail;
    const int an = n - head - tail, bm = m - head - tail;
    auto A = [&](int i) -> const std::string& { return a[static_cast<std::size_t>(head + i)]; };
    auto B = [&](int j) -> const std::string& { return b[static_cast<std::size_t>(head + j)]; };

    std::vector<Edit> middle;
    const int max = an + bm;
    bool found = max == 0;
    if (!found) {
        std::vector<std::vector<int>> trace;  // trace[d][k + d] for k = -d..d: reach before step d
        std::vector<int> v(static_cast<std::size_t>(2 * max + 3), 0);
        const int off = max + 1;
        int dEnd = 0;
        for (int d = 0; d <= std::min(max, kMaxDifferences) && !found; ++d) {
            trace.emplace_back(v.begin() + (off - d), v.begin() + (off + d + 1));
            for (int k = -d; k <= d; k += 2) {
                int x = (k == -d || (k != d && v[static_cast<std::size_t>(off + k - 1)] < v[static_cast<std::size_t>(off + k + 1)]))
                            ? v[static_cast<std::size_t>(off + k + 1)]
                            : v[static_cast<std::size_t>(off + k - 1)] + 1;
                int y = x - k;
                while (x < an && y < bm && A(x) == B(y)) ++x, ++y;
                v[static_cast<std::size_t>(off + k)] = x;
                if (x >= an && y >= bm) {
                    found = true;
                    dEnd = d;
                    break;
                }
            }
        }
        if (found) {
            int x = an, y = bm;
            for (int d = dEnd; d >= 0; --d) {
                const std::vector<int>& t = trace[static_cast<std::size_t>(d)];
                auto at = [&](int k) { return t[static_cast<std::size_t>(k + d)]; };
                const int k = x - y;
                int prevK = k, prevX = 0, prevY = 0;
                if (d > 0) {
                    // t holds the reaches before step d, that is after step d - 1: indexes -d..d.
                    prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
                    prevX = at(prevK);
                    prevY = prevX - prevK;
                }
                while (x > prevX && y > prevY) middle.push_back({Op::Same, --x, --y});
                if (d > 0) {
                    if (x == prevX) middle.push_back({Op::Added, -1, --y});
                    else middle.push_back({Op::Removed, --x, -1});
                }
            }
            std::reverse(middle.begin(), middle.end());
        }
    }
    if (!found) {
        middle.clear();
        for (int i = 0; i < an; ++i) middle.push_back({Op::Removed, i, -1});
        for (int j = 0; j < bm; ++j) middle.push_back({Op::Added, -1, j});
    }

    std::vector<Edit> out;
    out.reserve(static_cast<std::size_t>(head + tail) + middle.size());
    for (int i = 0; i < head; ++i) out.push_back({Op::Same, i, i});
    for (const Edit& e : middle)
        out.push_back({e.op, e.before < 0 ? -1 : e.before + head, e.after < 0 ? -1 : e.after + head});
    for (int i = 0; i < tail; ++i) out.push_back({Op::Same, n - tail + i, m - tail + i});
    return out;
}

std::string Range(int start, int count) {
    // A hunk of no lines names the line before it.
    if (count == 0) return std::to_string(start) + ",0";
    if (count == 1) return std::to_string(start + 1);
    return std::to_string(start + 1) + "," + std::to_string(count);
}

}  // namespace

std::string UnifiedDiff(const std::vector<std::string>& before, const std::vector<std::string>& after,
                        const std::string& beforeName, const std::string& afterName, int context) {
    const std::vector<Edit> edits = Edits(before, after);
    std::string out;
    const std::size_t count = edits.size();
    std::size_t i = 0;
    while (i < count) {
        if (edits[i].op == Op::Same) {
            ++i;
            continue;
        }
        // A hunk: from `context` lines before this change to `context` lines after the last
        // change that lies within 2 * context lines of the one before it.
        const std::size_t start = i >= static_cast<std::size_t>(context) ? i - static_cast<std::size_t>(context) : 0;
        std::size_t end = i;
        std::size_t same = 0;
        for (std::size_t j = i; j < count; ++j) {
            if (edits[j].op == Op::Same) {
                if (++same > static_cast<std::size_t>(2 * context)) break;
            } else {
                same = 0;
                end = j;
            }
        }
        const std::size_t stop = std::min(count, end + 1 + static_cast<std::size_t>(context));
        int beforeStart = -1, afterStart = -1, beforeCount = 0, afterCount = 0;
        for (std::size_t j = start; j < stop; ++j) {
            if (edits[j].op != Op::Added) {
                if (beforeStart < 0) beforeStart = edits[j].before;
                ++beforeCount;
            }
            if (edits[j].op != Op::Removed) {
                if (afterStart < 0) afterStart = edits[j].after;
                ++afterCount;
            }
        }
        // Where one side has no lines in the hunk, it starts after the lines before it.
        auto startOf = [&](bool beforeSide) {
            int lines = 0;
            for (std::size_t j = 0; j < start; ++j)
                if (beforeSide ? edits[j].op != Op::Added : edits[j].op != Op::Removed) ++lines;
            return lines;
        };
        if (beforeStart < 0) beforeStart = startOf(true);
        if (afterStart < 0) afterStart = startOf(false);
        if (out.empty()) out = "--- " + beforeName + "\n+++ " + afterName + "\n";
        out += "@@ -" + Range(beforeStart, beforeCount) + " +" + Range(afterStart, afterCount) + " @@\n";
        for (std::size_t j = start; j < stop; ++j) {
            const Edit& e = edits[j];
            if (e.op == Op::Same) out += " " + before[static_cast<std::size_t>(e.before)] + "\n";
            else if (e.op == Op::Removed) out += "-" + before[static_cast<std::size_t>(e.before)] + "\n";
            else out += "+" + after[static_cast<std::size_t>(e.after)] + "\n";
        }
        i = stop;
    }
    return out;
}

}  // namespace quillc
