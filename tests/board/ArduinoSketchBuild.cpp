#include "ArduinoSketchBuild.h"

#include "BoardToolchainConfig.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

extern char** environ;

namespace award::board {
namespace {

namespace fs = std::filesystem;

struct CommandResult {
    int exitCode = -1;
    std::string output;
};

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Output goes to a file rather than a pipe so a chatty compiler can never block
// on a full pipe while we wait for it.
CommandResult Run(const std::vector<std::string>& args, const fs::path& outputFile) {
    std::vector<char*> argv;
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);

    CommandResult result;
    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        result.output = "cannot start " + args.front() + ": " + std::generic_category().message(spawnError);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            break;
        }
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.output = ReadWholeFile(outputFile);
    return result;
}

std::string CommandLine(const std::vector<std::string>& args) {
    std::string line;
    for (const auto& arg : args) {
        line += (line.empty() ? "" : " ") + arg;
    }
    return line;
}

// FNV-1a: stable across processes and runs, unlike std::hash.
std::string ContentKey(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

}  // namespace

fs::path BuildSketch(std::string_view sketchTextUtf8, BoardKind board) {
    const config::Board& target = config::Of(board);
    const fs::path cacheDir = config::kSketchCacheDir;
    fs::create_directories(cacheDir);
    // The flags are part of the key so a changed toolchain setup never reuses
    // an ELF built the old way.
    std::string keyed(sketchTextUtf8);
    for (const char* arg : target.compileArgs) {
        keyed += std::string("\n") + arg;
    }
    for (const char* arg : target.linkArgs) {
        keyed += std::string("\n") + arg;
    }
    const std::string key = ContentKey(keyed);
    const fs::path cachedElf = cacheDir / (key + ".elf");
    const fs::path cachedSketch = cacheDir / (key + ".ino");
    // The key is only a hash: the sketch stored beside the ELF confirms a hit.
    if (fs::exists(cachedElf) && ReadWholeFile(cachedSketch) == sketchTextUtf8) {
        return cachedElf;
    }

    // A private work directory per build: parallel test processes may build the
    // same sketch at once and must not share object files.
    std::string workTemplate = (cacheDir / (key + ".XXXXXX")).string();
    if (mkdtemp(workTemplate.data()) == nullptr) {
        throw SketchBuildError("cannot create a work directory in " + cacheDir.string());
    }
    const fs::path workDir = workTemplate;
    const fs::path source = workDir / "sketch.ino.cpp";
    const fs::path object = workDir / "sketch.ino.cpp.o";
    const fs::path elf = workDir / "sketch.elf";
    {
        // What the IDE's preprocessor hands to the compiler: Arduino.h first,
        // then the sketch with its own line numbers.
        std::ofstream out(source, std::ios::binary);
        out << "#include <Arduino.h>\n#line 1 \"sketch.ino\"\n" << sketchTextUtf8;
        std::ofstream(workDir / "sketch.ino", std::ios::binary) << sketchTextUtf8;
    }

    std::vector<std::string> compile{config::kAvrGxx};
    compile.insert(compile.end(), target.compileArgs.begin(), target.compileArgs.end());
    compile.insert(compile.end(), {source.string(), "-o", object.string()});
    std::vector<std::string> link{config::kAvrGcc};
    link.insert(link.end(), target.linkArgs.begin(), target.linkArgs.end());
    link.insert(link.end(),
                {"-o", elf.string(), object.string(), target.coreArchive, "-L" + workDir.string(), "-lm"});

    for (const auto& step : {compile, link}) {
        const CommandResult result = Run(step, workDir / "output.txt");
        if (result.exitCode != 0) {
            throw SketchBuildError(CommandLine(step) + "\n" + result.output + "\n(sources kept in " + workDir.string() +
                                   ")");
        }
    }

    // Sketch first, ELF last: a reader that finds the ELF finds its sketch too.
    fs::rename(workDir / "sketch.ino", cachedSketch);
    fs::rename(elf, cachedElf);
    fs::remove_all(workDir);
    return cachedElf;
}

namespace {

// Runs an ELF tool of the tool chain and hands back what it printed.
std::string ToolOutput(const char* tool, const std::vector<std::string>& args, const fs::path& elf) {
    const fs::path output = fs::path(elf).replace_extension(".tool." + std::to_string(getpid()));
    std::vector<std::string> command{tool};
    command.insert(command.end(), args.begin(), args.end());
    command.push_back(elf.string());
    const CommandResult result = Run(command, output);
    fs::remove(output);
    if (result.exitCode != 0) {
        throw SketchBuildError(CommandLine(command) + " failed\n" + result.output);
    }
    return result.output;
}

// avr-size -A: one line per section, its name and size.
std::size_t SectionBytes(const std::string& sizes, std::string_view wanted) {
    std::istringstream lines(sizes);
    std::size_t total = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string section;
        std::size_t size = 0;
        if (fields >> section >> size && section == wanted) {
            total += size;
        }
    }
    return total;
}

}  // namespace

SramUse MeasureSram(const fs::path& elf) {
    // The IDE's recipe.size.regex.data: .data, .bss and .noinit count as SRAM.
    const std::string sizes = ToolOutput(config::kAvrSize, {"-A"}, elf);
    return {SectionBytes(sizes, ".data"), SectionBytes(sizes, ".bss"), SectionBytes(sizes, ".noinit")};
}

std::uint32_t SymbolAddress(const fs::path& elf, std::string_view variable) {
    // A const table has internal linkage: its symbol is mangled as _ZL<length><name>.
    const std::string local = "_ZL" + std::to_string(variable.size()) + std::string(variable);
    std::istringstream lines(ToolOutput(config::kAvrNm, {}, elf));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name && (name == variable || name == local)) {
            return static_cast<std::uint32_t>(std::stoul(address, nullptr, 16));
        }
    }
    throw SketchBuildError("no symbol " + std::string(variable) + " in " + elf.string());
}

}  // namespace award::board
