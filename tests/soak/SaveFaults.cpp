// The game's save files under what a player's machine does to them: the game killed at any
// moment while it saves, a full disk, a read-only save folder, the folder removed during play and
// a folder where a save file goes. Every run is the real executable replaying a recording from an
// empty save folder. After a fault, play must have gone on to the same end (the same digest),
// each failed save must have cost one debug line and nothing else, and a restart must accept
// every file there, so that none was lost or left half written.
//
//     save_faults <snowtide> <recording> faults
//     save_faults <snowtide> <recording> kills [trials = 1000] [seed = 1]
//
// The faults need small filesystems of their own, mounted in a mount namespace of the tool's own
// (as root, or inside a user namespace); where neither is allowed it says so and exits with 77.
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Platform/AtomicFile.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSaveFiles[] = {"save.fluffy", "options.fluffy", "presence.fluffy"};
constexpr const char* kFailedSaveLine = "ERROR!!! :: Failed to save file: ";

std::string g_snowtide, g_recording;
int g_problems = 0;

void Problem(const std::string& what) {
    ++g_problems;
    std::printf("PROBLEM: %s\n", what.c_str());
    std::fflush(stdout);
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The game with the run's options, its output kept in `output`.
pid_t StartGame(const fs::path& home, std::vector<std::string> options, const fs::path& output) {
    options.insert(options.begin(), {g_snowtide, "-nowindow"});
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || dup2(fd, 1) < 0 || dup2(fd, 2) < 0) _exit(126);
    std::vector<char*> argv;
    for (std::string& option : options) argv.push_back(option.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// The exit code, or 128 + the signal that ended it.
int Reap(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Whether the game still runs; a game that has ended is left for Reap.
bool Running(pid_t game) {
    siginfo_t info{};
    return waitid(P_PID, id_t(game), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

struct Outcome {
    int status = 0;
    std::string output;
    // The end's state only: a run resumed after a kill folds in fewer frames.
    std::string Digest() const {
        const size_t at = output.rfind("digest ");
        return at == std::string::npos ? std::string() : output.substr(at, output.find(" run ", at) - at);
    }
};

// A started game's end: its exit code and what it printed.
Outcome Collect(pid_t game, const fs::path& output) {
    Outcome outcome{Reap(game), ReadText(output)};
    fs::remove(output);
    return outcome;
}

Outcome Play(const fs::path& home, std::vector<std::string> options = {"-playback", g_recording, "-digest"}) {
    const fs::path output = home / "output.txt";
    return Collect(StartGame(home, std::move(options), output), output);
}

// Saves begun and finished in a folder, and the save files put in place, as inotify tells them.
class SaveWatch {
public:
    explicit SaveWatch(const fs::path& folder) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ < 0 || inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_FROM | IN_MOVED_TO) < 0)
            std::perror("inotify"), std::exit(1);
    }
    ~SaveWatch() { close(fd_); }
    SaveWatch(const SaveWatch&) = delete;
    SaveWatch& operator=(const SaveWatch&) = delete;

    void Read() {
        alignas(inotify_event) char buffer[16384];
        for (ssize_t size; (size = read(fd_, buffer, sizeof buffer)) > 0;)
            for (ssize_t at = 0; at < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const std::string_view name = event->len ? event->name : "";
                const bool temporary = IsTemporaryFileName(name);
                if (!temporary && (event->mask & IN_MOVED_TO)) placed.insert(std::string(name));
                begun += temporary && (event->mask & IN_CREATE);
                finished += temporary && (event->mask & IN_MOVED_FROM);
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
    }

    int begun = 0, finished = 0;
    std::set<std::string> placed;

private:
    int fd_;
};

// What a restart makes of the folder: it must start, take every file as it is, and clear away
// the temporary file of a save the kill cut short.
void CheckRestart(const fs::path& home, const fs::path& folder, const std::string& when) {
    const Outcome restart = Play(home, {"-frames", "3"});
    if (restart.status != 0) Problem(when + ": the restart ended with " + std::to_string(restart.status));
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".damaged")) Problem(when + ": the restart found " + name + " damaged");
        if (IsTemporaryFileName(name)) Problem(when + ": " + name + " was left behind");
    }
}

struct Reference {
    Outcome outcome;
    std::string folder_name; // the save folder's, under the home
    std::vector<std::pair<std::string, std::string>> files; // name, bytes
    double seconds = 0;
};

Reference PlayReference() {
    TempFolder home;
    Reference reference;
    const Clock::time_point start = Clock::now();
    reference.outcome = Play(home.Path());
    reference.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (const fs::directory_entry& entry : fs::directory_iterator(home.Path()))
        if (entry.is_directory()) reference.folder_name = entry.path().filename().string();
    if (reference.outcome.status != 0 || reference.outcome.Digest().empty() || reference.folder_name.empty()) {
        std::printf("save_faults: the undisturbed replay failed (exit %d):\n%s\n", reference.outcome.status,
                    reference.outcome.output.c_str());
        std::exit(1);
    }
    std::printf("undisturbed replay: %.2f s, %s, files:", reference.seconds, reference.outcome.Digest().c_str());
    for (const char* name : kSaveFiles)
        if (const fs::path path = fs::path(home.Path()) / reference.folder_name / name; fs::exists(path)) {
            reference.files.emplace_back(name, ReadText(path));
            std::printf(" %s (%zu bytes)", name, reference.files.back().second.size());
        }
    std::printf("\n");
    return reference;
}

// The same end as the undisturbed replay, and one debug line for each failed save, of which there
// must have been some unless `may_save` allowed every save.
int CheckPlayWentOn(const Reference& reference, const Outcome& outcome, const std::string& when,
                    bool may_save = false) {
    if (outcome.status != 0) Problem(when + ": the replay ended with " + std::to_string(outcome.status));
    if (outcome.Digest() != reference.outcome.Digest())
        Problem(when + ": the replay ended elsewhere: " + outcome.Digest());
    const size_t failed = Count(outcome.output, kFailedSaveLine);
    if (Count(outcome.output, "Failed to save file") != 2 * failed)
        Problem(when + ": a failed save was reported other than by its two lines");
    if (failed == 0 && !may_save) Problem(when + ": no save failed");
    return int(failed);
}

void ExpectFile(const fs::path& path, const std::string& bytes, const std::string& when) {
    if (!fs::is_regular_file(path) || ReadText(path) != bytes)
        Problem(when + ": " + path.filename().string() + " is not the file it should be");
}

// ---- faults ---------------------------------------------------------------------------------

bool WriteTo(const char* file, const std::string& text) {
    const int fd = open(file, O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (fd >= 0) close(fd);
    return written;
}

// Mounts made from here on are this process's and its children's alone.
bool OwnMountNamespace(std::string& why) {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWNS) != 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            why = std::string("unshare: ") + std::strerror(errno);
            return false;
        }
        if (!WriteTo("/proc/self/setgroups", "deny") || !WriteTo("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !WriteTo("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            why = "cannot map this user into the new namespace";
            return false;
        }
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        why = std::string("mount: ") + std::strerror(errno);
        return false;
    }
    return true;
}

// A home for one run, its save folder a small filesystem of its own when asked.
struct Home {
    explicit Home(const Reference& reference, bool mounted = false)
        : folder(fs::path(home.Path()) / reference.folder_name) {
        fs::create_directories(folder);
        if (mounted && mount("none", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
            std::perror("mount tmpfs"), std::exit(1);
    }
    TempFolder home;
    fs::path folder;
};

// Room for the first save of each file and no more: each later save fails, the first stays.
void FullDisk(const Reference& reference) {
    Home run(reference, true);
    struct statvfs info {};
    statvfs(run.folder.c_str(), &info);
    WriteText(run.folder / "filler", std::string((info.f_bavail - reference.files.size()) * info.f_bsize, 'x'));
    const int failed = CheckPlayWentOn(reference, Play(run.home.Path()), "full disk");
    for (const auto& [name, bytes] : reference.files)
        if (!fs::is_regular_file(run.folder / name)) Problem("full disk: the first " + name + " is gone");
    fs::remove(run.folder / "filler"); // room for the restart's own saves
    CheckRestart(run.home.Path(), run.folder, "full disk");
    umount(run.folder.c_str());
    std::printf("full disk: %d saves failed, play went on, the first files stayed whole\n", failed);
}

void ReadOnlyFolder(const Reference& reference) {
    Home run(reference, true);
    if (mount(nullptr, run.folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        std::perror("remount read-only"), std::exit(1);
    const int failed = CheckPlayWentOn(reference, Play(run.home.Path()), "read-only folder");
    if (!fs::is_empty(run.folder)) Problem("read-only folder: something was written");
    umount(run.folder.c_str());
    std::printf("read-only folder: %d saves failed, play went on\n", failed);
}

// The folder goes as soon as the first save is in it; the next saves make it again.
void VanishedFolder(const Reference& reference) {
    Home run(reference);
    const fs::path output = fs::path(run.home.Path()) / "output.txt";
    pid_t game;
    {
        SaveWatch watch(run.folder);
        game = StartGame(run.home.Path(), {"-playback", g_recording, "-digest"}, output);
        while (watch.placed.empty() && Running(game)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            watch.Read();
        }
    }
    // The game may be making it again as it goes.
    for (std::error_code busy; fs::remove_all(run.folder, busy), busy; busy.clear()) {
    }
    const int failed = CheckPlayWentOn(reference, Collect(game, output), "vanished folder", true);
    for (const auto& [name, bytes] : reference.files) ExpectFile(run.folder / name, bytes, "vanished folder");
    std::printf("vanished folder: made again, %d saves failed, play went on, the last files are whole\n", failed);
}

void FolderForAFile(const Reference& reference) {
    Home run(reference);
    WriteText(run.folder / "save.fluffy" / "kept", "kept");
    const int failed = CheckPlayWentOn(reference, Play(run.home.Path()), "a folder for a file");
    if (ReadText(run.folder / "save.fluffy" / "kept") != "kept") Problem("a folder for a file: the folder was touched");
    for (const auto& [name, bytes] : reference.files)
        if (name != "save.fluffy") ExpectFile(run.folder / name, bytes, "a folder for a file");
    std::printf("a folder where save.fluffy goes: %d saves failed, the folder and the other files are right\n",
                failed);
}

// ---- kills ----------------------------------------------------------------------------------

int Kills(const Reference& reference, int trials, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> moment(0, reference.seconds);
    int ended_first = 0, in_flight = 0;
    std::vector<int> saves; // begun in each trial
    for (int trial = 1; trial <= trials; ++trial) {
        Home run(reference);
        SaveWatch watch(run.folder);
        const pid_t game = StartGame(run.home.Path(), {"-playback", g_recording}, "/dev/null");
        std::this_thread::sleep_for(std::chrono::duration<double>(moment(random)));
        ended_first += !Running(game);
        kill(game, SIGKILL);
        Reap(game);
        watch.Read();
        saves.push_back(watch.begun);
        in_flight += watch.begun > watch.finished;
        const std::string when = "trial " + std::to_string(trial);
        for (const std::string& name : watch.placed)
            if (!fs::is_regular_file(run.folder / name)) Problem(when + ": " + name + " was put in place, then lost");
        // A presence file cut at a line's end would still read: every whole one ends with one.
        const std::string presence = ReadText(run.folder / "presence.fluffy");
        if (!presence.empty() && presence.back() != '\n') Problem(when + ": presence.fluffy is cut short");
        CheckRestart(run.home.Path(), run.folder, when);
        if (trial % 100 == 0) std::printf("%d trials\n", trial), std::fflush(stdout);
    }
    std::sort(saves.begin(), saves.end());
    double total = 0;
    for (int count : saves) total += count;
    std::printf("kills: %d trials, killed at a random moment of %.2f s; saves begun before the kill: min %d, median "
                "%d, mean %.1f, max %d; killed with a save in flight: %d; the replay had ended first: %d; problems: "
                "%d\n",
                trials, reference.seconds, saves.front(), saves[saves.size() / 2], total / double(trials),
                saves.back(), in_flight, ended_first, g_problems);
    return g_problems ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 3 ? argv[3] : "";
    if (argc < 4 || (mode != "faults" && mode != "kills")) {
        std::fprintf(stderr, "usage: save_faults <snowtide> <recording> faults\n"
                             "       save_faults <snowtide> <recording> kills [trials = 1000] [seed = 1]\n");
        return 2;
    }
    g_snowtide = fs::absolute(argv[1]).string();
    g_recording = fs::absolute(argv[2]).string();
    const Reference reference = PlayReference();
    if (mode == "kills") return Kills(reference, argc > 4 ? std::max(1, std::atoi(argv[4])) : 1000,
                                      argc > 5 ? unsigned(std::atoi(argv[5])) : 1);
    std::string why;
    if (!OwnMountNamespace(why)) {
        std::printf("save_faults: skipped: no mount namespace of our own here (%s)\n", why.c_str());
        return 77;
    }
    FullDisk(reference);
    ReadOnlyFolder(reference);
    VanishedFolder(reference);
    FolderForAFile(reference);
    return g_problems ? 1 : 0;
}
