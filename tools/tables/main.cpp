// SPDX-License-Identifier: GPL-3.0-or-later
// zafrano-tablegen: searches the reduction systems shipped in tablas.bin. Not
// part of the program; see tools/tables/README.md or --help.
#include "lotto_search.h"
#include "systems/draw_cover.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using tablegen::LottoSearch;
using tablegen::Mask;

namespace {

constexpr int MaxBets = 205; // what a syndicate record holds

const char *const HelpText =
    R"(zafrano-tablegen: local search for reduction systems (lotto designs):
bets of six numbers among N such that any six winning numbers among the N
meet some bet in at least G numbers.

  zafrano-tablegen search N G [options]
      One system. Progress on standard error; the smallest system found on
      standard output, as tablas.bin holds it (N, G, M, then M bet lines).
  zafrano-tablegen plan PLAN [--out FILE] [--cache DIR] [--only N:G]
      Every system of a plan file, in its order; leaves out a system that
      another of the same N beats (as few bets or fewer, higher guarantee);
      writes the tables file (CR LF lines) in ascending N, then G.
      --cache keeps each line's result and log in DIR and reuses a result
      whose plan line has not changed (after checking it again); --only
      runs the lines of one system. A plan line is "N G" followed by any of the options below as key=value
      (bets=87 seed=3 ...); '#' starts a comment.

Options (a plan line takes them without the dashes):
  --bets M    size to start from (default: the size of a greedy cover)
  --floor L   stop once a system of L bets is found (default: the counting bound)
  --seed S    random seed (default 1); a run is fully determined by its options
  --steps K   moves for the whole descent (default 20000000)
  --cycle C   moves per cooling cycle (default 500000)
  --t0 X      temperature at the start of each cycle (default 1.5)
  --t1 Y      temperature at the end of each cycle (default 0.2);
              t0 = t1 anneals at one fixed temperature
  --history L late acceptance instead of annealing: a move is taken when it
              leaves no more draws uncovered than now or than L moves ago

The search: a greedy cover of M bets, then simulated annealing whose moves
swap one number of a bet so as to cover a random uncovered draw. Each time
every draw is covered the system is checked exhaustively, kept, and the bet
that covers fewest draws alone is removed; the annealing goes on one bet smaller.
)";

struct Options
{
    int n = 0;
    int g = 0;
    int bets = 0;  // 0: greedy cover size
    int floor = 0; // 0: counting bound
    std::uint64_t seed = 1;
    std::uint64_t steps = 20'000'000;
    std::uint64_t cycle = 500'000;
    double t0 = 1.5;
    double t1 = 0.2;
    std::uint64_t history = 0; // late acceptance when above 0
};

struct Found
{
    int n = 0;
    int g = 0;
    std::vector<Mask> bets;
};

[[noreturn]] void die(const std::string &problem)
{
    std::fprintf(stderr, "zafrano-tablegen: %s\n", problem.c_str());
    std::exit(2);
}

std::uint64_t parseCount(const std::string &text, const std::string &name)
{
    char *end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        die("not a number for " + name + ": " + text);
    return value;
}

double parseReal(const std::string &text, const std::string &name)
{
    char *end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value > 0))
        die("not a positive number for " + name + ": " + text);
    return value;
}

void setOption(Options &options, const std::string &key, const std::string &value)
{
    if (key == "bets")
        options.bets = static_cast<int>(parseCount(value, key));
    else if (key == "floor")
        options.floor = static_cast<int>(parseCount(value, key));
    else if (key == "seed")
        options.seed = parseCount(value, key);
    else if (key == "steps")
        options.steps = parseCount(value, key);
    else if (key == "cycle")
        options.cycle = std::max<std::uint64_t>(1, parseCount(value, key));
    else if (key == "t0")
        options.t0 = parseReal(value, key);
    else if (key == "t1")
        options.t1 = parseReal(value, key);
    else if (key == "history")
        options.history = parseCount(value, key);
    else
        die("unknown option " + key);
}

void checkCell(const Options &options)
{
    if (options.n < 7 || options.n > zafrano::MaxSystemNumbers || options.g < 1 || options.g > 6)
        die("N must be 7..20 and G 1..6");
    // The search counts the bets covering a draw in one byte.
    if (options.bets > 255)
        die("at most 255 bets");
}

std::vector<Mask> sortedBets(std::vector<Mask> bets)
{
    // Ascending by the bet's numbers read left to right: the lowest bit first.
    std::sort(bets.begin(), bets.end(), [](Mask a, Mask b) {
        const Mask differ = a ^ b;
        return (a & differ & (~differ + 1)) != 0;
    });
    return bets;
}

bool verified(const Found &found)
{
    return zafrano::checkDrawCover(found.n, found.g, found.bets).holds();
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Progress goes to standard error and into the cell's log.
void note(std::string &log, const char *format, ...) __attribute__((format(printf, 2, 3)));
void note(std::string &log, const char *format, ...)
{
    char line[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    std::fputs(line, stderr);
    log += line;
}

std::optional<Found> search(const Options &options, std::string &log)
{
    const auto start = std::chrono::steady_clock::now();
    LottoSearch lotto(options.n, options.g, options.seed);
    const int bound =
        static_cast<int>((lotto.drawCount() + lotto.drawsPerBet() - 1) / lotto.drawsPerBet());
    const int floor = std::max(options.floor, bound);
    if (options.bets > 0) {
        lotto.startGreedy(options.bets);
    } else {
        while (lotto.uncovered() > 0) {
            if (lotto.bets().size() == 255)
                die("the greedy cover needs more than 255 bets; give --bets");
            lotto.addGreedyBet();
        }
    }
    note(log, "N=%d G=%d: %zu draws, %zu per bet, bound %d; start %zu bets\n", options.n, options.g,
         lotto.drawCount(), lotto.drawsPerBet(), bound, lotto.bets().size());

    std::optional<Found> best;
    std::uint64_t used = 0;
    while (true) {
        if (lotto.uncovered() == 0) {
            Found found{options.n, options.g, lotto.bets()};
            if (!verified(found))
                die("internal error: a cover failed the exhaustive check");
            best = found;
            note(log, "N=%d G=%d: %zu bets after %llu moves, %.2f s\n", options.n, options.g,
                 found.bets.size(), static_cast<unsigned long long>(used), secondsSince(start));
            if (static_cast<int>(found.bets.size()) <= floor || found.bets.size() == 1)
                break;
            lotto.dropWeakestBet();
        }
        if (used >= options.steps)
            break;
        used += options.history > 0
                    ? lotto.lateAcceptance(options.steps - used, options.history)
                    : lotto.anneal(options.steps - used, options.cycle, options.t0, options.t1);
    }
    note(log, "N=%d G=%d: %s after %llu moves, %.2f s\n", options.n, options.g,
         best ? "stopped" : "no cover", static_cast<unsigned long long>(used), secondsSince(start));
    if (best)
        best->bets = sortedBets(best->bets);
    return best;
}

std::string twoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

// One table as the file holds it: N, G, M, then one line of six two-character
// positions per bet; lines end with CR LF.
std::string tableText(const Found &found)
{
    std::string text = std::to_string(found.n) + "\r\n" + std::to_string(found.g) + "\r\n" +
                       std::to_string(found.bets.size()) + "\r\n";
    for (const Mask bet : found.bets) {
        for (Mask rest = bet; rest != 0; rest &= rest - 1)
            text += twoDigits(std::countr_zero(rest) + 1);
        text += "\r\n";
    }
    return text;
}

// Reads back one table written by tableText; nothing when it is not one.
std::optional<Found> parseTable(const std::string &text, int n, int g)
{
    std::istringstream lines(text);
    int fileN = 0, fileG = 0;
    std::size_t count = 0;
    if (!(lines >> fileN >> fileG >> count) || fileN != n || fileG != g)
        return std::nullopt;
    Found found{n, g, {}};
    for (std::string line; found.bets.size() < count && lines >> line;) {
        Mask bet = 0;
        for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
            const int position = std::atoi(line.substr(i, 2).c_str());
            if (position < 1 || position > n)
                return std::nullopt;
            bet |= Mask{1} << (position - 1);
        }
        if (std::popcount(bet) != 6)
            return std::nullopt;
        found.bets.push_back(bet);
    }
    if (found.bets.size() != count || !verified(found))
        return std::nullopt;
    return found;
}

std::string readWhole(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeWhole(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.flush())
        die("cannot write " + path);
}

Options cellOptions(int argc, char **argv, int first)
{
    Options options;
    options.n = static_cast<int>(parseCount(argv[first], "N"));
    options.g = static_cast<int>(parseCount(argv[first + 1], "G"));
    for (int i = first + 2; i < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag.rfind("--", 0) != 0 || i + 1 >= argc)
            die("expected --option value, got " + flag);
        setOption(options, flag.substr(2), argv[i + 1]);
    }
    checkCell(options);
    return options;
}

// Everything that determines a run, in one line.
std::string runKey(const Options &o)
{
    char key[256];
    std::snprintf(key, sizeof key,
                  "%d %d bets=%d floor=%d seed=%llu steps=%llu "
                  "cycle=%llu t0=%g t1=%g history=%llu",
                  o.n, o.g, o.bets, o.floor, static_cast<unsigned long long>(o.seed),
                  static_cast<unsigned long long>(o.steps),
                  static_cast<unsigned long long>(o.cycle), o.t0, o.t1,
                  static_cast<unsigned long long>(o.history));
    return key;
}

std::string cacheName(const std::string &dir, const Options &o)
{
    std::uint64_t hash = 0xCBF29CE484222325ULL; // FNV-1a
    for (const char c : runKey(o))
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    char name[64];
    std::snprintf(name, sizeof name, "/%d_%d_%016llx", o.n, o.g,
                  static_cast<unsigned long long>(hash));
    return dir + name;
}

std::vector<Options> readPlan(const std::string &path)
{
    std::ifstream file(path);
    if (!file)
        die("cannot read " + path);
    std::vector<Options> plan;
    std::string line;
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string n, g;
        if (!(words >> n >> g))
            continue;
        Options options;
        options.n = static_cast<int>(parseCount(n, "N"));
        options.g = static_cast<int>(parseCount(g, "G"));
        for (std::string word; words >> word;) {
            const auto equals = word.find('=');
            if (equals == std::string::npos)
                die("expected key=value in the plan: " + word);
            setOption(options, word.substr(0, equals), word.substr(equals + 1));
        }
        checkCell(options);
        plan.push_back(options);
    }
    return plan;
}

std::optional<Found> planCell(const Options &options, const std::string &cacheDir)
{
    const std::string cached = cacheDir.empty() ? std::string() : cacheName(cacheDir, options);
    if (!cached.empty()) {
        if (std::optional<Found> found =
                parseTable(readWhole(cached + ".txt"), options.n, options.g)) {
            std::fprintf(stderr, "N=%d G=%d: %zu bets, from %s.txt\n", options.n, options.g,
                         found->bets.size(), cached.c_str());
            return found;
        }
    }
    std::string log = runKey(options) + "\n";
    std::optional<Found> found = search(options, log);
    if (!cached.empty()) {
        writeWhole(cached + ".log", log);
        if (found)
            writeWhole(cached + ".txt", tableText(*found));
    }
    return found;
}

int runPlan(const std::string &planPath, const std::string &outPath, const std::string &cacheDir,
            const std::string &only)
{
    std::map<std::pair<int, int>, Found> tables;
    const auto start = std::chrono::steady_clock::now();
    for (const Options &options : readPlan(planPath)) {
        if (!only.empty() && only != std::to_string(options.n) + ":" + std::to_string(options.g))
            continue;
        std::optional<Found> found = planCell(options, cacheDir);
        if (found && found->bets.size() > MaxBets) {
            std::fprintf(stderr, "N=%d G=%d: left out, more bets than a syndicate holds\n",
                         found->n, found->g);
            found.reset();
        }
        if (found) {
            const auto key = std::make_pair(found->n, found->g);
            const auto known = tables.find(key);
            if (known == tables.end() || known->second.bets.size() > found->bets.size())
                tables[key] = *found;
        }
    }
    std::string text;
    std::fprintf(stderr, "\n N  G  bets\n");
    for (const auto &[key, found] : tables) {
        const bool beaten = std::any_of(tables.begin(), tables.end(), [&](const auto &other) {
            return other.first.first == key.first && other.first.second > key.second &&
                   other.second.bets.size() <= found.bets.size();
        });
        std::fprintf(stderr, "%2d  %d  %4zu%s\n", key.first, key.second, found.bets.size(),
                     beaten ? "  (left out: beaten by a higher guarantee)" : "");
        if (!beaten)
            text += tableText(found);
    }
    std::fprintf(stderr, "total %.1f s\n", secondsSince(start));
    if (outPath.empty())
        std::fwrite(text.data(), 1, text.size(), stdout);
    else
        writeWhole(outPath, text);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command.empty()) {
        std::fputs(HelpText, command.empty() ? stderr : stdout);
        return command.empty() ? 2 : 0;
    }
    if (command == "search") {
        if (argc < 4)
            die("search N G [options]");
        std::string log;
        const std::optional<Found> found = search(cellOptions(argc, argv, 2), log);
        if (!found)
            return 1;
        const std::string text = tableText(*found);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (command == "plan") {
        if (argc < 3)
            die("plan PLAN [--out FILE] [--cache DIR] [--only N:G]");
        std::string out, cache, only;
        for (int i = 3; i + 1 < argc; i += 2) {
            const std::string flag = argv[i];
            if (flag == "--out")
                out = argv[i + 1];
            else if (flag == "--cache")
                cache = argv[i + 1];
            else if (flag == "--only")
                only = argv[i + 1];
            else
                die("unknown option " + flag);
        }
        return runPlan(argv[2], out, cache, only);
    }
    die("unknown command " + command + " (try --help)");
}
