#pragma once
// Runs the built kmsoa program and captures what it prints.
#include "support/TempFolder.h"
#include <fcntl.h>
#include <fstream>
#include <initializer_list>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace km::test {

struct KmsoaResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The built kmsoa program.
inline std::string kmsoaProgram() {
    return std::string(KM_OUTPUT_DIR) + "/kmsoa";
}

/// Runs a program with the arguments; standard input from \p input (a file path, or /dev/null
/// when empty); \p environment ("NAME=value") added to this process's environment.
inline KmsoaResult runProgram(const std::string& program, std::vector<std::string> arguments,
                              const std::string& input = {}, const std::vector<std::string>& environment = {}) {
    TempFolder capture;
    std::string outPath = capture.file("out"), errPath = capture.file("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment;
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    for (char** inherited = environ; *inherited; ++inherited) {
        envp.push_back(*inherited);
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    KmsoaResult result;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readWhole(outPath);
    result.err = readWhole(errPath);
    return result;
}

/// Runs KM_OUTPUT_DIR/kmsoa (see runProgram).
inline KmsoaResult runKmsoa(std::vector<std::string> arguments, const std::string& input = {},
                            const std::vector<std::string>& environment = {}) {
    return runProgram(kmsoaProgram(), std::move(arguments), input, environment);
}

} // namespace km::test
