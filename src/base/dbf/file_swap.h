#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace arkona::dbf {

// Bringing a rebuilt table file and its memo file in together, so that a crash at any moment
// leaves either the old pair or the new pair on disk, never a table with the other's memos.
//
// The new files are written beside the old ones as "<name>.arkona-new". The swap then renames
// the old table to "<name>.arkona-old" (from here on the new pair is the truth), the old memo
// file likewise, brings the new memo file and the new table in, and removes the backups. Whoever
// opens the table next finishes a swap it finds interrupted, or removes the new files of a
// rebuild that never reached the swap.

inline constexpr const char* kNewSuffix = ".arkona-new";
inline constexpr const char* kOldSuffix = ".arkona-old";

std::filesystem::path newFileOf(const std::filesystem::path& file);
std::filesystem::path oldFileOf(const std::filesystem::path& file);

// Swaps in `table`.arkona-new and `memo`.arkona-new (both complete and synced). The caller holds
// the old table open exclusively, so nobody repairs the swap while it runs. Throws
// std::system_error after undoing the renames it made.
void swapInPair(const std::filesystem::path& table, const std::filesystem::path& memo);

enum class SwapState {
    Clean,    // nothing left of a rebuild
    Repaired, // an interrupted swap was finished or the leftovers of a rebuild removed
    Busy,     // another process is swapping this table right now
};

// Finishes a swap that a crash interrupted (the table's ".arkona-old" exists and nobody holds
// it). Safe to call without holding the table.
SwapState finishInterruptedSwap(const std::filesystem::path& table);

// Removes "<name>.arkona-new" files of a rebuild that never reached the swap (`memo`: the
// table's memo file, or empty). Call only while holding the table's lock: a rebuild holds it
// exclusively while it writes them.
SwapState removeAbandonedRebuild(const std::filesystem::path& table,
                                 const std::filesystem::path& memo);

// Where the repairs are announced (the status line of the program); none by default.
void setRepairNotice(std::function<void(const std::string&)> notice);
void announceRepair(const std::string& text);

namespace testing {
// Called at each step of a pack: 0 while the new files are half written, 1 when they are
// complete, 2 to 5 after each rename of the swap, 6 after the memo backup is removed. A test
// ends the process there to see what a crash leaves.
void setSwapStepHook(std::function<void(int)> hook);
void swapStep(int step);
} // namespace testing

} // namespace arkona::dbf
