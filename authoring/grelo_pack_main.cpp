// grelo-pack: makes a quiz program from a quiz description, and reads one
// back.
//
//   grelo-pack build QUIZ.toml [-o QUIZ.exe] [--player grelo.exe]
//   grelo-pack dump QUIZ.exe [--extract DOSSIER]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/file_io.h"
#include "authoring/pe_resources.h"
#include "authoring/quiz_dump.h"
#include "authoring/quiz_package.h"
#include "authoring/quiz_toml.h"

#ifdef _WIN32
#include "platform/platform.h"
#include <shellapi.h>
#endif

namespace {

const char usage[] =
    "Utilisation :\n"
    "  grelo-pack build QUIZ.toml [-o QUIZ.exe] [--player grelo.exe]\n"
    "      fait un programme de quiz : une copie du lecteur qui porte le quiz d\xC3\xA9" "crit\n"
    "      dans QUIZ.toml, avec ses images, sons et films. Sans -o, le programme\n"
    "      prend le nom du fichier TOML avec l'extension .exe.\n"
    "  grelo-pack dump QUIZ.exe [--extract DOSSIER]\n"
    "      affiche en TOML le quiz que porte un programme ; avec --extract, \xC3\xA9" "crit\n"
    "      aussi ses images et m\xC3\xA9" "dias et le fichier quiz.toml dans DOSSIER.\n"
    "\n"
    "Le lecteur par d\xC3\xA9" "faut est grelo.exe \xC3\xA0 c\xC3\xB4t\xC3\xA9 de grelo-pack ; pour un grelo-pack\n"
    "construit sous Linux, aussi ../../bin/grelo.exe et ../../windows/bin/grelo.exe\n"
    "depuis son dossier (les dossiers de construction du projet).\n";

std::filesystem::path ownFolder() {
#ifdef _WIN32
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(std::wstring(path, length)).parent_path();
#else
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
#endif
}

std::vector<std::filesystem::path> defaultPlayers() {
    std::filesystem::path folder = ownFolder();
    std::vector<std::filesystem::path> candidates = {folder / "grelo.exe"};
#ifndef _WIN32
    // A native build sits beside the Windows one (build/native and
    // build/windows) or inside it (build/windows/host-tools).
    candidates.push_back((folder / "../../bin/grelo.exe").lexically_normal());
    candidates.push_back((folder / "../../windows/bin/grelo.exe").lexically_normal());
#endif
    return candidates;
}

bool findDefaultPlayer(std::string &player) {
    std::error_code ignored;
    for (const std::filesystem::path &candidate : defaultPlayers())
        if (std::filesystem::is_regular_file(candidate, ignored)) {
            player = candidate.u8string();
            return true;
        }
    std::fprintf(stderr, "grelo-pack : lecteur grelo.exe introuvable ; donnez-le avec --player. Cherch\xC3\xA9 :\n");
    for (const std::filesystem::path &candidate : defaultPlayers())
        std::fprintf(stderr, "  %s\n", candidate.u8string().c_str());
    return false;
}

std::string withExtension(const std::string &path, const char *extension) {
    return std::filesystem::u8path(path).replace_extension(extension).u8string();
}

bool samePath(const std::string &a, const std::string &b) {
    std::error_code status;
    return std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b), status);
}

std::string sizeText(std::size_t bytes) {
    if (bytes < 10 * 1024) return std::to_string(bytes) + " octets";
    if (bytes < 10 * 1024 * 1024) return std::to_string((bytes + 512) / 1024) + " Ko";
    return std::to_string((bytes + 512 * 1024) / (1024 * 1024)) + " Mo";
}

int fail(const std::string &message) {
    std::fprintf(stderr, "grelo-pack : %s\n", message.c_str());
    return 1;
}

std::string counted(std::size_t count, const char *singular, const char *plural) {
    return std::to_string(count) + " " + (count > 1 ? plural : singular);
}

void printSummary(const std::string &output, const QuizDescription &quiz, const QuizResources &resources,
                  std::size_t size) {
    const char *kinds[] = {"texte", "d'images", "audio", "vid\xC3\xA9o"};
    std::string files;
    if (resources.pictures > 0) files += counted(resources.pictures, "image", "images");
    if (resources.pictures > 0 && resources.media > 0) files += " et ";
    if (resources.media > 0) files += counted(resources.media, "m\xC3\xA9" "dia", "m\xC3\xA9" "dias");
    bool onlyPictures = resources.media == 0;  // "image" is feminine
    if (files.empty()) files = "aucun fichier joint";
    else files += std::string(onlyPictures ? " jointe" : " joint") + (resources.pictures + resources.media > 1 ? "s" : "");
    std::printf("%s : quiz %s, %s, %s par question, %s%s ; %s\n", output.c_str(),
                quiz.kind >= 0 && quiz.kind <= 3 ? kinds[quiz.kind] : "?",
                counted(quiz.questions.size(), "question", "questions").c_str(),
                counted(quiz.answersPerQuestion, "r\xC3\xA9ponse", "r\xC3\xA9ponses").c_str(), files.c_str(),
                quiz.protect ? ", prot\xC3\xA9g\xC3\xA9" : "", sizeText(size).c_str());
}

int build(const std::string &descriptionPath, std::string output, std::string player) {
    QuizTomlResult description = readQuizToml(descriptionPath);
    if (!description.ok) {
        for (const std::string &error : description.errors) std::fprintf(stderr, "%s\n", error.c_str());
        std::fprintf(stderr, "grelo-pack : %zu erreur%s, aucun fichier \xC3\xA9" "crit\n", description.errors.size(),
                     description.errors.size() > 1 ? "s" : "");
        return 1;
    }
    if (output.empty()) output = withExtension(descriptionPath, ".exe");
    if (player.empty() && !findDefaultPlayer(player)) return 1;
    if (samePath(player, output)) return fail("le programme \xC3\xA0 \xC3\xA9" "crire est le lecteur lui-m\xC3\xAAme : " + output);

    std::vector<std::uint8_t> playerBytes, program;
    std::string problem;
    QuizResources resources;
    if (!readFileBytes(player, playerBytes, problem)) return fail(problem);
    if (!buildQuizResources(description.quiz, description.files, resources, problem)) return fail(descriptionPath + ": " + problem);
    if (!packQuizProgram(playerBytes, resources, program, problem)) return fail(player + ": " + problem);
    if (!writeFileAtomically(output, program, problem)) return fail(problem);
    printSummary(output, description.quiz, resources, program.size());
    return 0;
}

bool writeExtractedFiles(const DumpedQuiz &dumped, const std::string &folder, const std::string &toml,
                         std::string &problem) {
    std::error_code status;
    std::filesystem::create_directories(std::filesystem::u8path(folder), status);
    if (status) {
        problem = "impossible de cr\xC3\xA9" "er le dossier " + folder + " : " + status.message();
        return false;
    }
    auto inFolder = [&](const std::string &name) {
        return (std::filesystem::u8path(folder) / std::filesystem::u8path(name)).u8string();
    };
    for (std::size_t index = 0; index < dumped.files.size(); ++index) {
        const DumpedQuestion &files = dumped.files[index];
        const QuizQuestionDescription &question = dumped.quiz.questions[index];
        if (files.picture && !writeFileAtomically(inFolder(question.picture), files.picture->bytes, problem))
            return false;
        if (files.answerPicture &&
            !writeFileAtomically(inFolder(question.answerPicture), files.answerPicture->bytes, problem))
            return false;
    }
    return writeFileAtomically(inFolder("quiz.toml"), std::vector<std::uint8_t>(toml.begin(), toml.end()), problem);
}

int dump(const std::string &programPath, const std::string &extractFolder) {
    std::vector<std::uint8_t> program;
    std::vector<PeResource> resources;
    std::string problem;
    DumpedQuiz dumped;
    if (!readFileBytes(programPath, program, problem)) return fail(problem);
    if (!readPeResources(program, resources, problem)) return fail(programPath + ": " + problem);
    if (!dumpQuizResources(resources, dumped, problem)) return fail(programPath + ": " + problem);
    for (const std::string &warning : dumped.warnings) std::fprintf(stderr, "grelo-pack : attention : %s\n", warning.c_str());
    if (!extractFolder.empty()) nameDumpedFiles(dumped);
    std::string name = std::filesystem::u8path(programPath).filename().u8string();
    std::string toml = dumpedQuizToml(dumped, name);
    if (!extractFolder.empty() && !writeExtractedFiles(dumped, extractFolder, toml, problem)) return fail(problem);
    std::fputs(toml.c_str(), stdout);
    return 0;
}

struct Arguments {
    std::string command, input, output, player, extract;
    bool help = false;
};

// Options may come before or after the file.
bool parseArguments(const std::vector<std::string> &args, Arguments &parsed) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &arg = args[i];
        auto value = [&](std::string &into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (arg == "-h" || arg == "--help" || arg == "help") parsed.help = true;
        else if (arg == "-o" || arg == "--output") { if (!value(parsed.output)) return false; }
        else if (arg == "--player") { if (!value(parsed.player)) return false; }
        else if (arg == "--extract") { if (!value(parsed.extract)) return false; }
        else if (!arg.empty() && arg[0] == '-') return false;
        else if (parsed.command.empty()) parsed.command = arg;
        else if (parsed.input.empty()) parsed.input = arg;
        else return false;
    }
    if (parsed.help) return true;
    if (parsed.input.empty()) return false;
    if (parsed.command == "build") return parsed.extract.empty();
    if (parsed.command == "dump") return parsed.output.empty() && parsed.player.empty();
    return false;
}

// The arguments in UTF-8 whatever the system's code page.
std::vector<std::string> argumentsOf(int argc, char **argv) {
    std::vector<std::string> args;
#ifdef _WIN32
    (void)argv;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide && i < count; ++i) {
        int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? size - 1 : 0, '\0');
        if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &arg[0], size, nullptr, nullptr);
        args.push_back(arg);
    }
    LocalFree(wide);
    if (!args.empty()) return args;
#endif
    for (int i = 0; i < argc; ++i) args.push_back(argv[i]);
    return args;
}

}  // namespace

int main(int argc, char **argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    Arguments arguments;
    if (!parseArguments(argumentsOf(argc, argv), arguments)) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (arguments.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (arguments.command == "build") return build(arguments.input, arguments.output, arguments.player);
    return dump(arguments.input, arguments.extract);
}
