// The arrows point down only: engine/ includes the standard library and itself; view/ adds the
// engine, the resource ids and the platform interface (never a platform backend). Neither
// includes an OS or toolkit header. The sources are scanned as they are when the test runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The C++20 standard library headers and the C standard headers.
constexpr std::array<std::string_view, 119> standardHeaders = {
    "algorithm",
    "any",
    "array",
    "atomic",
    "barrier",
    "bit",
    "bitset",
    "cassert",
    "cctype",
    "cerrno",
    "cfenv",
    "cfloat",
    "charconv",
    "chrono",
    "cinttypes",
    "climits",
    "clocale",
    "cmath",
    "codecvt",
    "compare",
    "complex",
    "concepts",
    "condition_variable",
    "coroutine",
    "csetjmp",
    "csignal",
    "cstdarg",
    "cstddef",
    "cstdint",
    "cstdio",
    "cstdlib",
    "cstring",
    "ctime",
    "cuchar",
    "cwchar",
    "cwctype",
    "deque",
    "exception",
    "execution",
    "expected",
    "filesystem",
    "format",
    "forward_list",
    "fstream",
    "functional",
    "future",
    "initializer_list",
    "iomanip",
    "ios",
    "iosfwd",
    "iostream",
    "istream",
    "iterator",
    "latch",
    "limits",
    "list",
    "locale",
    "map",
    "memory",
    "memory_resource",
    "mutex",
    "new",
    "numbers",
    "numeric",
    "optional",
    "ostream",
    "queue",
    "random",
    "ranges",
    "ratio",
    "regex",
    "scoped_allocator",
    "semaphore",
    "set",
    "shared_mutex",
    "source_location",
    "span",
    "sstream",
    "stack",
    "stdexcept",
    "stop_token",
    "streambuf",
    "string",
    "string_view",
    "syncstream",
    "system_error",
    "thread",
    "tuple",
    "type_traits",
    "typeindex",
    "typeinfo",
    "unordered_map",
    "unordered_set",
    "utility",
    "valarray",
    "variant",
    "vector",
    "version",
    "assert.h",
    "ctype.h",
    "errno.h",
    "float.h",
    "inttypes.h",
    "limits.h",
    "locale.h",
    "math.h",
    "setjmp.h",
    "signal.h",
    "stdarg.h",
    "stddef.h",
    "stdint.h",
    "stdio.h",
    "stdlib.h",
    "string.h",
    "time.h",
    "uchar.h",
    "wchar.h",
    "wctype.h",
};

bool IsStandard(std::string_view header) {
    return std::find(standardHeaders.begin(), standardHeaders.end(), header) !=
           standardHeaders.end();
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Answers why an include in a file of this layer is not allowed, or nothing when it is.
std::optional<std::string> Violation(std::string_view layer, std::string_view header, bool angled) {
    if (angled) {
        if (IsStandard(header)) {
            return std::nullopt;
        }
        return "<" + std::string(header) + "> is not a standard C++ header";
    }
    if (StartsWith(header, "engine/")) {
        return std::nullopt;
    }
    if (layer == "view") {
        if (StartsWith(header, "view/") || StartsWith(header, "res/")) {
            return std::nullopt;
        }
        if (StartsWith(header, "shell/platform/")) {
            const std::string_view rest = header.substr(15);
            for (std::string_view backend : {"gtk/", "win32/", "headless/", "soft/"}) {
                if (StartsWith(rest, backend)) {
                    return "\"" + std::string(header) + "\" is a platform backend";
                }
            }
            return std::nullopt;
        }
    }
    return "\"" + std::string(header) + "\" lies outside what " + std::string(layer) + "/ may use";
}

struct Include {
    std::string header;
    bool angled;
};

std::optional<Include> ParseInclude(const std::string& line) {
    static const std::regex pattern(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) {
        return std::nullopt;
    }
    return Include{match[2].str(), match[1].str() == "<"};
}

TEST(IncludeRules, TheCheckerRejectsWhatItShould) {
    const struct {
        const char* layer;
        const char* line;
        bool allowed;
    } cases[] = {
        {"engine", "#include <cstdint>", true},
        {"engine", "#include \"engine/game.h\"", true},
        {"engine", "#include <windows.h>", false},
        {"engine", "  #  include <gtk/gtk.h>", false},
        {"engine", "#include <gdk/gdk.h>", false},
        {"engine", "#include <X11/Xlib.h>", false},
        {"engine", "#include <unistd.h>", false},
        {"engine", "#include <sys/time.h>", false},
        {"engine", "#include \"view/layout.h\"", false},
        {"engine", "#include \"shell/platform/w_timer.h\"", false},
        {"engine", "#include \"res/resource_ids.h\"", false},
        {"view", "#include \"engine/game.h\"", true},
        {"view", "#include \"view/layout.h\"", true},
        {"view", "#include \"shell/platform/w_graphics.h\"", true},
        {"view", "#include \"shell/platform/gtk/gtk_canvas.h\"", false},
        {"view", "#include \"shell/platform/win32/w32.h\"", false},
        {"view", "#include \"shell/form1.h\"", false},
        {"view", "#include <windows.h>", false},
        {"view", "#include <cairo.h>", false},
    };
    for (const auto& c : cases) {
        const std::optional<Include> include = ParseInclude(c.line);
        ASSERT_TRUE(include.has_value()) << c.line;
        EXPECT_EQ(!Violation(c.layer, include->header, include->angled).has_value(), c.allowed)
            << c.layer << ": " << c.line;
    }
    EXPECT_FALSE(ParseInclude("// #include is mentioned in prose").has_value());
}

TEST(IncludeRules, EngineAndViewSourcesFollowThem) {
    const fs::path root(VANTOREL_SOURCE_DIR);
    int engineFiles = 0;
    std::vector<std::string> problems;
    for (std::string_view layer : {"engine", "view"}) {
        const fs::path dir = root / layer;
        if (!fs::exists(dir)) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() ||
                (ext != ".h" && ext != ".cpp" && ext != ".hpp" && ext != ".cc" && ext != ".inc")) {
                continue;
            }
            engineFiles += layer == "engine" ? 1 : 0;
            std::ifstream in(entry.path());
            std::string line;
            int number = 0;
            while (std::getline(in, line)) {
                ++number;
                const std::optional<Include> include = ParseInclude(line);
                if (!include) {
                    continue;
                }
                if (auto why = Violation(layer, include->header, include->angled)) {
                    problems.push_back(fs::relative(entry.path(), root).string() + ":" +
                                       std::to_string(number) + ": " + *why);
                }
            }
        }
    }
    EXPECT_GT(engineFiles, 0) << "no engine source found under " << root;
    for (const std::string& problem : problems) {
        ADD_FAILURE() << problem;
    }
}

}  // namespace
