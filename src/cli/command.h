#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace arkona::cli {

// Exit codes of the command line.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;   // the work failed; the message is on stderr
inline constexpr int kBadUsage = 2; // the command line is wrong

// The words after the command name, with a small helper for options.
struct Arguments {
    std::vector<std::string> words;

    bool takeFlag(const std::string& flag); // removes --flag when present
    bool hasHelp() const;
};

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// Reports a usage error with the command's help hint and returns kBadUsage.
int badUsage(Streams& io, const std::string& message, const std::string& command);

int runTable(Arguments args, Streams& io);
int runCheck(Arguments args, Streams& io);
int runPack(Arguments args, Streams& io);
int runSections(Arguments args, Streams& io);
int runKatalog(Arguments args, Streams& io);
int runTemplate(Arguments args, Streams& io);
int runTree(Arguments args, Streams& io);
int runGenerate(Arguments args, Streams& io);
int runGoods(Arguments args, Streams& io);

} // namespace arkona::cli
