// Random play against the game's invariants. A seeded player drives the same
// handlers the window calls (presses, moves and releases of both buttons, with
// and without Shift, the keys, the menu commands, saving and loading) and
// after every event and command checks what must always hold. A failure names
// the seed and the gesture and how to replay it.
#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gestures.h"

using namespace fusefuda;
using namespace fusefuda::stress;

namespace {

// The player and everything it plays on.
struct Player {
    Player(uint64_t seed, const std::string &folder, long traceFrom, int scale)
        : folder(folder), table(folder, scale), random{seed}, trace{0, traceFrom} {}
    std::string folder;
    Table table;
    Random random;
    Trace trace;
    Expectations expect{table, random};
    Hand hand{table, random, expect, trace};
    Commands commands{table, random, expect, trace, folder};
    Gestures gestures{table, random, expect, hand, commands, trace};
};

// A scratch folder for the play files, in memory where the machine has one.
std::string makeScratchFolder() {
    std::string base = "/dev/shm";
    if (::access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/fusefuda-randomplay-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    return pattern;
}

int usage(const char *program) {
    std::fprintf(stderr,
                 "usage: %s [--seed N] [--gestures N] [--trace-from N] [--scale 1|2|3]\n"
                 "Plays N gestures (default 200000) from seed N (default 1) and checks the\n"
                 "game's invariants after every event; --trace-from prints the events of\n"
                 "that gesture on; --scale draws on surfaces of that many device pixels a\n"
                 "pixel.\n",
                 program);
    return 2;
}

void report(uint64_t seed, long gestures, double seconds, const Counts &n) {
    std::printf(
        "fusefuda_randomplay: seed %llu, %ld gestures, %ld events in %.1f s; joins %ld "
        "(near misses %ld), wins %ld/%ld/%ld (beginner/intermediate/advanced), peeks %ld, "
        "undos %ld, reversals %ld, new games %ld, saves %ld, loads %ld, refused loads %ld, "
        "commands mid-gesture %ld, zooms %ld, full paints %ld\n",
        (unsigned long long)seed, gestures, n.events, seconds, n.joins, n.nearMisses,
        n.winsBeginner, n.winsIntermediate, n.winsAdvanced, n.peeks, n.undos, n.reversals,
        n.newGames, n.saves, n.loads, n.refusedLoads, n.midGesture, n.zooms, n.paints);
}

}  // namespace

int main(int argc, char **argv) {
    uint64_t seed = 1;
    long gestures = 200000, traceFrom = -1;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage(argv[0]);
        const char *value = argv[++i];
        char *end = nullptr;
        const unsigned long long number = std::strtoull(value, &end, 10);
        if (end == value || *end != '\0') return usage(argv[0]);
        if (arg == "--seed")
            seed = number;
        else if (arg == "--gestures")
            gestures = long(number);
        else if (arg == "--trace-from")
            traceFrom = long(number);
        else if (arg == "--scale" && number >= 1 && number <= 3)
            scale = int(number);
        else
            return usage(argv[0]);
    }
    if (traceFrom < 0) traceFrom = gestures + 1;

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string folder = makeScratchFolder();
    const auto started = std::chrono::steady_clock::now();
    auto player = std::make_unique<Player>(seed, folder, traceFrom, scale);
    long number = 1;
    int status = 0;
    try {
        for (; number <= gestures; ++number) player->gestures.play(number);
    } catch (const Failure &failure) {
        std::fprintf(stderr,
                     "fusefuda_randomplay: seed %llu, gesture %ld: %s\n"
                     "replay: %s --seed %llu --gestures %ld --trace-from %ld --scale %d\n",
                     (unsigned long long)seed, number, failure.what.c_str(), argv[0],
                     (unsigned long long)seed, number, number, scale);
        status = 1;
    }
    std::filesystem::remove_all(folder);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const Counts &n = player->expect.counts;
    report(seed, number - 1, seconds, n);
    if (status == 0 && gestures >= 20000 &&
        n.winsBeginner + n.winsIntermediate + n.winsAdvanced == 0) {
        std::fprintf(stderr, "fusefuda_randomplay: no game was won; the player no longer plays\n");
        status = 1;
    }
    return status;
}
