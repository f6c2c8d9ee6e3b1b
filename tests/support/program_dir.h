// Whole runs of the real programs: a working directory of their own, standard input from
// bytes (or closed, or fed through a pipe while the test changes the directory between
// answers), and a snapshot of everything in the directory to show that nothing was created
// or changed that should not have been. The console streams are kept beside the working
// directory so that they do not show among the files the program sees.
#pragma once

#include "tests/support/scratch.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

namespace testsupport {

struct Outcome {
    int status = -1; // exit status, or -1 when the program did not exit by itself
    std::string out;
    std::string err;
};

// Each entry of a directory: a file's bytes, a directory's entries, a symbolic link's target.
using Snapshot = std::map<std::string, std::string>;

class ProgramDir {
  public:
    ProgramDir() {
        std::filesystem::create_directory(work());
        // Unprivileged runs must reach the directory and the program copied into it.
        chmod(root_.path().c_str(), 0755);
    }
    std::string work() const { return root_.file("work"); }
    std::string file(const std::string& name) const { return root_.file("work/" + name); }
    std::string write(const std::string& name, const std::string& bytes) const {
        return root_.write("work/" + name, bytes);
    }
    std::string read(const std::string& name) const { return root_.read("work/" + name); }
    bool exists(const std::string& name) const { return std::filesystem::exists(file(name)); }
    void copyIn(const std::string& source, const std::string& name) const {
        std::filesystem::copy_file(source, file(name));
    }

    Snapshot snapshot() const { return snapshotOf(work()); }

    // Runs `program` in the working directory. `input` goes to standard input unless
    // `stdinRedirection` says otherwise ("<&-" closes it); `errRedirection` likewise for
    // standard error. `prefix` comes in front of the program (for example a command that
    // drops privileges).
    Outcome run(const std::string& program, const std::string& input,
                const std::string& stdinRedirection = "<../stdin", const std::string& prefix = "",
                const std::string& errRedirection = "2>../stderr") const {
        root_.write("stdin", input);
        root_.write("stderr", "");
        const std::string command = "cd '" + work() + "' && timeout 60 " + prefix + "'" + program +
                                    "' " + stdinRedirection + " >../stdout " + errRedirection;
        return finished(std::system(command.c_str()));
    }

    // The same with command-line arguments (shell words) after the program.
    Outcome runWithArguments(const std::string& program, const std::string& arguments,
                             const std::string& input, const std::string& prefix = "") const {
        return run(program, input, arguments + " <../stdin", prefix);
    }

    // The same with standard input from a pipe: start, then send answers while the
    // program waits, then finish.
    void start(const std::string& program, const std::string& prefix = "") {
        std::signal(SIGPIPE, SIG_IGN);
        root_.write("stdout", "");
        const std::string command = "cd '" + work() + "' && exec timeout 60 " + prefix + "'" +
                                    program + "' >../stdout 2>../stderr";
        pipe_ = popen(command.c_str(), "w");
    }
    // Waits until standard output holds `text` (at most 20 s).
    bool waitFor(const std::string& text) const {
        for (int i = 0; i < 2000; ++i) {
            if (root_.read("stdout").find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void send(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), pipe_);
        std::fflush(pipe_);
    }
    Outcome finish() {
        const int status = pclose(pipe_);
        pipe_ = nullptr;
        return finished(status);
    }

    // A copy of `program` inside the scratch directory, where an unprivileged user can run it.
    std::string reachableCopy(const std::string& program) const {
        const std::string copy = root_.file("program");
        std::filesystem::copy_file(program, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        chmod(copy.c_str(), 0755);
        return copy;
    }

    static Snapshot snapshotOf(const std::string& dir) {
        Snapshot s;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_symlink()) {
                s[name] = "<link to " + std::filesystem::read_symlink(entry.path()).string() + ">";
            } else if (entry.is_directory()) {
                std::string names = "<directory:";
                for (const auto& inner : std::filesystem::directory_iterator(entry.path()))
                    names += " " + inner.path().filename().string();
                s[name] = names + ">";
            } else {
                s[name] = readFile(entry.path().string());
            }
        }
        return s;
    }

  private:
    Outcome finished(int status) const {
        Outcome outcome;
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.out = root_.read("stdout");
        outcome.err = root_.read("stderr");
        return outcome;
    }

    ScratchDir root_;
    FILE* pipe_ = nullptr;
};

// The command prefix that runs a program as an unprivileged user (nobody), so that file
// permissions hold also when the tests run as root; false when that cannot be done here.
inline bool unprivilegedPrefix(std::string& prefix) {
    if (geteuid() != 0) {
        prefix.clear();
        return true;
    }
    if (std::system("setpriv --reuid=65534 --regid=65534 --clear-groups true >/dev/null 2>&1") != 0)
        return false;
    prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    return true;
}

} // namespace testsupport
